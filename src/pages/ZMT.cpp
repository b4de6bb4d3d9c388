#include "pages/ZMT.h"

#include "wall_link/WallCommands.h"
#include "wall_link/WallSink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kZero = QStringLiteral("00:00:00");
}

TFormZMT::TFormZMT(WallSink& wall, QWidget* parent)
    : TPageForm(wall, QStringLiteral("TFormZMT"), QStringLiteral("Zeitmesstechnik"), parent)
{
    using namespace pagewidgets;

    m_pnWatch = timePanel(this, QStringLiteral("PnWatch"), kZero);
    m_sbErase =
        button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"), QStringLiteral("Anzeigetafel löschen"));
    m_sbSend = button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"));
    // At most one of the two is down: a click toggles the clicked button and pressing one releases the
    // other.
    for (QToolButton* b : {m_sbErase, m_sbSend})
        b->setCheckable(true);
    latchedLook(m_sbSend);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_sbErase);
    bar->addStretch();
    bar->addWidget(m_sbSend);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_pnWatch, 1);
    column->addLayout(bar);
    fixFrame();

    connect(m_sbErase, &QToolButton::clicked, this, [this](bool pressed) {
        if (pressed)
            m_sbSend->setChecked(false);
        SBEraseClick();
    });
    connect(m_sbSend, &QToolButton::clicked, this, [this](bool pressed) {
        if (pressed)
            m_sbErase->setChecked(false);
        SBSendClick();
    });
    finishPage(m_sbSend, m_sbErase, m_sbSend);
}

void TFormZMT::HandleTimeMessage(const QString& text, bool force)
{
    if (text == m_pnWatch->text() && !force)
        return;
    m_pnWatch->setText(text);
    if (m_sbSend->isChecked())
        m_wall.send(wallcmd::timingTime(text));
    else
        contentChanged();
}

TUnsentChanges::Held TFormZMT::held() const
{
    return {wallcmd::timingTime(m_pnWatch->text()), {}};
}

void TFormZMT::SBSendClick()
{
    HandleTimeMessage(kZero, true);
}

void TFormZMT::ReleaseSend()
{
    m_sbSend->setChecked(false);
}

void TFormZMT::FormShow()
{
    HandleTimeMessage(kZero, true);
}

void TFormZMT::FormHide()
{
    HandleTimeMessage(kZero, true);
    SBEraseClick();
    ReleaseSend();
}
