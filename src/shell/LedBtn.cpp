#include "shell/LedBtn.h"

#include <QPixmap>

// The resources live in a static library: registered once before the first lamp is drawn.
static void initLampResources()
{
    Q_INIT_RESOURCE(brisal);
}

TLedBtn::TLedBtn(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(16, 16));
    m_picture = resourceName(m_light);
    setIcon(picture(m_picture));
}

void TLedBtn::setActiveLight(TLedBtnColor light)
{
    if (light == m_light)
        return;
    m_light = light;
    m_picture = resourceName(light);
    setIcon(picture(m_picture));
}

QString TLedBtn::resourceName(TLedBtnColor light)
{
    switch (light) {
    case TLedBtnColor::LedRed:
        return QStringLiteral("RED");
    case TLedBtnColor::LedBlue:
        return QStringLiteral("BLUE");
    case TLedBtnColor::LedGreen:
        return QStringLiteral("GREEN");
    case TLedBtnColor::LedYellow:
        return QStringLiteral("YELLOW");
    case TLedBtnColor::LedMangenta:
        return QStringLiteral("MANGENTA");
    case TLedBtnColor::LedCyan:
        return QStringLiteral("CYAN");
    case TLedBtnColor::LedWhite:
        return QStringLiteral("WHITE");
    case TLedBtnColor::LedGray:
        break;
    }
    return QStringLiteral("GRAY");
}

QPixmap TLedBtn::picture(const QString& resourceName)
{
    static const bool registered = (initLampResources(), true);
    Q_UNUSED(registered)
    return QPixmap(QStringLiteral(":/lamps/") + resourceName);
}

TLedBtnColor lampColour(LinkState state)
{
    switch (state) {
    case LinkState::Up:
        return TLedBtnColor::LedGreen;
    case LinkState::Waiting:
        return TLedBtnColor::LedRed;
    case LinkState::Unknown:
        break;
    }
    return TLedBtnColor::LedGray;
}
