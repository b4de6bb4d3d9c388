#include "pages/Watch.h"

#include "pages/Clock.h"
#include "wall_link/WallCommands.h"
#include "wall_link/WallSink.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TFormWatch::TFormWatch(WallSink& wall, const Clock& clock, std::function<QString()> watchText, QWidget* parent)
    : TPageForm(wall, QStringLiteral("TFormWatch"), QStringLiteral("Uhrzeit- Anzeige"), parent), m_clock(clock),
      m_watchText(std::move(watchText))
{
    using namespace pagewidgets;

    m_pnWatch = timePanel(this, QStringLiteral("PnWatch"), QStringLiteral("00:00:00"));
    m_sbErase =
        button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"), QStringLiteral("Anzeigetafel löschen"));
    m_sbAnalogWatch = button(this, QStringLiteral("SBAnalogWatch"), {}, QStringLiteral("Auf Analoguhr umschalten"));
    m_sbAnalogWatch->setIcon(icon(Glyph::AnalogClock));
    m_sbAnalogWatch->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_sbAnalogWatch->setMinimumWidth(25);
    m_sbSend = button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"));

    // One exclusive group: the pressed button stays down when clicked again, and its action still runs.
    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);
    for (QToolButton* b : {m_sbErase, m_sbAnalogWatch, m_sbSend}) {
        b->setCheckable(true);
        m_buttons->addButton(b);
    }
    latchedLook(m_sbAnalogWatch);
    latchedLook(m_sbSend);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_sbErase);
    bar->addStretch();
    bar->addWidget(m_sbAnalogWatch);
    bar->addWidget(m_sbSend);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_pnWatch, 1);
    column->addLayout(bar);
    fixFrame();

    m_watchTimer = new QTimer(this);
    m_watchTimer->setObjectName(QStringLiteral("WatchTimer"));
    m_watchTimer->setInterval(200);

    connect(m_watchTimer, &QTimer::timeout, this, &TFormWatch::WatchTimerTimer);
    connect(m_sbErase, &QToolButton::clicked, this, &TFormWatch::SBEraseClick);
    finishPage(m_sbSend, m_sbErase, m_sbSend);
}

void TFormWatch::FormShow()
{
    m_watchTimer->start();
}

void TFormWatch::FormHide()
{
    SBEraseClick();
    m_watchTimer->stop();
    ReleaseSend();
}

void TFormWatch::ReleaseSend()
{
    pagewidgets::release(m_sbSend);
}

void TFormWatch::press(Button button)
{
    switch (button) {
    case Button::Erase:
        m_sbErase->click();
        return;
    case Button::AnalogWatch:
        m_sbAnalogWatch->click();
        return;
    case Button::Send:
        m_sbSend->click();
        return;
    }
}

TUnsentChanges::Held TFormWatch::held() const
{
    const bool analog = m_sbAnalogWatch->isChecked();
    const QString time = m_pnWatch->text();
    return {wallcmd::clockSecond(time, !analog && m_watchText ? m_watchText() : QString(), !analog, analog), {}};
}

void TFormWatch::WatchTimerTimer()
{
    const QString time = m_clock.now().time().toString(QStringLiteral("HH:mm:ss"));
    if (time == m_pnWatch->text())
        return;
    m_pnWatch->setText(time);
    const bool digital = m_sbSend->isChecked();
    const bool analog = m_sbAnalogWatch->isChecked();
    if (digital || analog)
        m_wall.send(wallcmd::clockSecond(time, digital && m_watchText ? m_watchText() : QString(), digital, analog));
}
