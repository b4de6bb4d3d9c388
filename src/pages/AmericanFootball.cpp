#include "pages/AmericanFootball.h"

#include "pages/AlertSound.h"
#include "pages/Clock.h"
#include "pages/PageKeys.h"
#include "shell/Settings.h"
#include "wall_link/WallCommands.h"
#include "wall_link/WallSink.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
const QColor kDarkGreen(0, 128, 0);
const QColor kInvalidRed(255, 0, 0);
const QColor kFocusedClock(255, 250, 205); // the display has the focus, so its keys act
const QString kZero = QStringLiteral("00:00");

QLabel* heading(QWidget* parent, const QString& text)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kNavy);
    l->setPalette(pal);
    return l;
}
} // namespace

TFormAmericanFootball::TFormAmericanFootball(WallSink& wall, const Clock& clock, AlertSound& sound, QWidget* parent)
    : TScorePage(wall, QStringLiteral("TFormAmericanFootball"), QStringLiteral("Spielstand / Spielzeit"), {14, 999},
                 parent),
      m_clock(clock), m_sound(sound)
{
    using namespace pagewidgets;

    for (QLineEdit* e : {m_edVereinLinks, m_edVereinRechts})
        e->setFixedWidth(170);

    m_pnGameWatch = new QLabel(kZero, this);
    m_pnGameWatch->setObjectName(QStringLiteral("PnGameWatch"));
    m_pnGameWatch->setAlignment(Qt::AlignCenter);
    m_pnGameWatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont clockFont = m_pnGameWatch->font();
    clockFont.setPointSize(36);
    clockFont.setBold(true);
    m_pnGameWatch->setFont(clockFont);
    m_pnGameWatch->setFixedHeight(64);
    m_pnGameWatch->setFocusPolicy(Qt::StrongFocus);
    QPalette focusPal = m_pnGameWatch->palette();
    focusPal.setColor(QPalette::Window, kFocusedClock);
    m_pnGameWatch->setPalette(focusPal);
    m_pnGameWatch->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pnGameWatch->installEventFilter(this);
    {
        using shortcuts::Action;
        QStringList keys;
        for (Action a : {Action::ClockRunStop, Action::ClockSecondUp, Action::ClockSecondDown, Action::ClockMinuteUp,
                         Action::ClockMinuteDown})
            keys << shortcuts::binding(a).keyText + QStringLiteral(": ") + shortcuts::binding(a).what;
        pagekeys::setNote(m_pnGameWatch, keys.join(QLatin1Char('\n')));
        pagekeys::setKeyText(m_pnGameWatch, {}, QStringLiteral("Spieluhr"));
    }

    m_sbRunWatch = button(this, QStringLiteral("SBRunWatch"), {}, QStringLiteral("Zeit läuft"));
    m_sbStopWatch = button(this, QStringLiteral("SBStopWatch"), {}, QStringLiteral("Zeit steht"));
    m_sbRunWatch->setIcon(icon(Glyph::Run));
    m_sbStopWatch->setIcon(icon(Glyph::Stop));
    m_runStop = new QButtonGroup(this);
    m_runStop->setExclusive(true);
    for (QToolButton* b : {m_sbRunWatch, m_sbStopWatch}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setCheckable(true);
        b->setFixedSize(40, 30);
        b->setIconSize(QSize(16, 16));
        m_runStop->addButton(b);
    }
    m_sbStopWatch->setChecked(true);
    showRunning(false);

    auto* timeGroup = new QGroupBox(QStringLiteral("Spielzeit"), this);
    m_edClock = new QLineEdit(QStringLiteral("15:00"), timeGroup);
    m_edClock->setObjectName(QStringLiteral("EdClock"));
    m_edClock->setMaxLength(5);
    m_edClock->setFixedWidth(60);
    m_edClock->installEventFilter(this);
    m_sbSetClock = button(timeGroup, QStringLiteral("SBSetClock"), kZero, QStringLiteral("Zeit übernehmen"));
    m_sbSetClock->setIcon(icon(Glyph::SetClock));
    m_sbClearClock = button(timeGroup, QStringLiteral("SBClearClock"), kZero, QStringLiteral("Zeit übernehmen"));
    m_sbClearClock->setIcon(icon(Glyph::ClearClock));
    m_cbTimeCountDirection = new QComboBox(timeGroup);
    m_cbTimeCountDirection->setObjectName(QStringLiteral("CBTimeCountDirection"));
    m_cbTimeCountDirection->addItems(Settings::countDirectionItems());
    m_cbTimeCountDirection->setCurrentIndex(-1);

    auto* timeGrid = new QGridLayout(timeGroup);
    timeGrid->addWidget(new QLabel(QStringLiteral("Spieldauer:"), timeGroup), 0, 0);
    timeGrid->addWidget(new QLabel(QStringLiteral("Zeit läuft "), timeGroup), 0, 3);
    timeGrid->addWidget(m_edClock, 1, 0);
    timeGrid->addWidget(m_sbSetClock, 1, 1);
    timeGrid->addWidget(m_sbClearClock, 1, 2);
    timeGrid->addWidget(m_cbTimeCountDirection, 1, 3);

    QToolButton* erase =
        button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"), QStringLiteral("Anzeigetafel löschen"));
    QToolButton* send = button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"));

    // Each score panel with its up/down control directly at its right, under its team's name.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(heading(this, QStringLiteral("Mannschaften:")), 0, 0);
    grid->addLayout(nameColumn(m_edVereinLinks), 1, 0);
    grid->addLayout(nameColumn(m_edVereinRechts), 1, 1);
    grid->addWidget(heading(this, QStringLiteral("Spielstand:")), 2, 0);
    const QList<std::pair<QLabel*, QSpinBox*>> scores{{m_pnToreLeft, m_udToreLinks}, {m_pnToreRight, m_udToreRechts}};
    for (int side = 0; side < 2; ++side) {
        auto* pair = new QHBoxLayout;
        pair->setSpacing(0);
        pair->addWidget(scores[side].first);
        pair->addWidget(scores[side].second);
        pair->addStretch();
        grid->addLayout(pair, 3, side);
    }

    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(m_pnGameWatch, 1);
    clockRow->addSpacing(8);
    clockRow->addWidget(m_sbRunWatch);
    clockRow->addWidget(m_sbStopWatch);

    auto* bar = new QHBoxLayout;
    bar->addWidget(erase);
    bar->addStretch();
    bar->addWidget(send);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addSpacing(6);
    column->addLayout(clockRow);
    column->addWidget(timeGroup);
    column->addLayout(bar);
    fixFrame();

    m_watchTimer = new QTimer(this);
    m_watchTimer->setObjectName(QStringLiteral("WatchTimer"));
    m_watchTimer->setInterval(200);

    connect(m_watchTimer, &QTimer::timeout, this, &TFormAmericanFootball::WatchTimerTimer);
    connect(send, &QToolButton::clicked, this, &TFormAmericanFootball::SBSendClick);
    connect(erase, &QToolButton::clicked, this, &TFormAmericanFootball::SBEraseClick);
    connect(m_edClock, &QLineEdit::textChanged, this, &TFormAmericanFootball::EdClockChange);
    connect(m_edClock, &QLineEdit::textChanged, this, &TFormAmericanFootball::matchStateChanged);
    connect(m_sbSetClock, &QToolButton::clicked, this, &TFormAmericanFootball::SBSetClockClick);
    connect(m_sbClearClock, &QToolButton::clicked, this, &TFormAmericanFootball::SBClearClockClick);
    connect(m_sbRunWatch, &QToolButton::clicked, this, &TFormAmericanFootball::SBRunWatchClick);
    connect(m_sbStopWatch, &QToolButton::clicked, this, &TFormAmericanFootball::SBStopWatchClick);
    connect(m_pnGameWatch, &QWidget::customContextMenuRequested, this, &TFormAmericanFootball::clockMenu);
    finishPage(send, erase, m_edVereinLinks);
}

int TFormAmericanFootball::countDirectionIndex() const
{
    return m_cbTimeCountDirection->currentIndex();
}

void TFormAmericanFootball::setCountDirectionIndex(int index)
{
    m_cbTimeCountDirection->setCurrentIndex(index >= 0 && index < m_cbTimeCountDirection->count() ? index : -1);
}

void TFormAmericanFootball::setKeepsTime(std::function<bool()> keepsTime)
{
    m_keepsTime = std::move(keepsTime);
}

bool TFormAmericanFootball::keepsTime() const
{
    return m_keepsTime && m_keepsTime();
}

void TFormAmericanFootball::noteSent(const wallcmd::Bodies& bodies)
{
    for (const QByteArray& body : bodies) {
        for (const wallcmd::Record& record : wallcmd::splitRecords(body)) {
            if (record.kind == wallcmd::Record::Kind::PageSelect)
                m_pageOnWall = record.id == wallcmd::page::Football;
        }
    }
}

QString TFormAmericanFootball::clockText() const
{
    return display();
}

QString TFormAmericanFootball::durationText() const
{
    return m_edClock->text();
}

void TFormAmericanFootball::restoreClock(const QString& display, const QString& duration)
{
    m_edClock->setText(duration);
    if (const auto numbers = gameclock::GetMinSecFromStr(display).numbers;
        numbers && numbers->minutes >= 0 && numbers->seconds >= 0)
        setDisplay(gameclock::normalised(*numbers));
    m_sbStopWatch->setChecked(true);
    showRunning(false);
}

gameclock::Direction TFormAmericanFootball::direction() const
{
    return m_cbTimeCountDirection->currentIndex() == 1 ? gameclock::Direction::Up : gameclock::Direction::Down;
}

QString TFormAmericanFootball::display() const
{
    return m_pnGameWatch->text();
}

void TFormAmericanFootball::setDisplay(const QString& text)
{
    if (text == m_pnGameWatch->text())
        return;
    m_pnGameWatch->setText(text);
    Q_EMIT matchStateChanged();
}

void TFormAmericanFootball::showRunning(bool running)
{
    QPalette pal = m_pnGameWatch->palette();
    pal.setColor(QPalette::WindowText, running ? kDarkGreen : kMaroon);
    m_pnGameWatch->setPalette(pal);
}

void TFormAmericanFootball::sendClock()
{
    // A closed window's clock writes into its own page only; the record carries no page-select.
    if (!isVisible() && !m_pageOnWall)
        return;
    m_wall.send(wallcmd::footballClock(m_sbRunWatch->isChecked(), display()));
}

void TFormAmericanFootball::FormShow()
{
    if (m_cbTimeCountDirection->currentIndex() < 0)
        m_cbTimeCountDirection->setCurrentIndex(0);
    // A clock that kept time while the window was closed goes on counting the second it is in.
    if (!m_watchTimer->isActive()) {
        m_elapsed.restart(m_clock.monotonicMs());
        m_watchTimer->start();
    }
    EdClockChange();
}

void TFormAmericanFootball::FormHide()
{
    if (keepsTime())
        return;
    TScorePage::FormHide();
    m_watchTimer->stop();
}

bool TFormAmericanFootball::eventFilter(QObject* watched, QEvent* event)
{
    // EdClockKeyPress: Enter applies a valid duration and never reaches the box or the dialog.
    if (watched == m_edClock && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_sbSetClock->isEnabled())
                SBSetClockClick();
            return true;
        }
    }
    if (watched == m_pnGameWatch) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return clockKey(static_cast<QKeyEvent*>(event)->keyCombination());
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            m_pnGameWatch->setAutoFillBackground(event->type() == QEvent::FocusIn);
            break;
        default:
            break;
        }
    }
    return TScorePage::eventFilter(watched, event);
}

bool TFormAmericanFootball::clockKey(QKeyCombination key)
{
    using shortcuts::Action;
    if (shortcuts::matches(Action::ClockRunStop, key))
        runOrStop();
    else if (shortcuts::matches(Action::ClockSecondUp, key))
        correct(1);
    else if (shortcuts::matches(Action::ClockSecondDown, key))
        correct(-1);
    else if (shortcuts::matches(Action::ClockMinuteUp, key))
        correct(60);
    else if (shortcuts::matches(Action::ClockMinuteDown, key))
        correct(-60);
    else
        return false;
    return true;
}

void TFormAmericanFootball::clockMenu(const QPoint& pos)
{
    using shortcuts::Action;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PopGameWatch"));
    const auto entry = [&menu](Action action, auto run) {
        const shortcuts::Binding& b = shortcuts::binding(action);
        menu.addAction(b.what + QLatin1Char('\t') + b.keyText, run);
    };
    entry(Action::ClockRunStop, [this] { runOrStop(); });
    menu.addSeparator();
    entry(Action::ClockSecondUp, [this] { correct(1); });
    entry(Action::ClockSecondDown, [this] { correct(-1); });
    entry(Action::ClockMinuteUp, [this] { correct(60); });
    entry(Action::ClockMinuteDown, [this] { correct(-60); });
    menu.exec(m_pnGameWatch->mapToGlobal(pos));
}

void TFormAmericanFootball::runOrStop()
{
    (m_sbRunWatch->isChecked() ? m_sbStopWatch : m_sbRunWatch)->click();
}

void TFormAmericanFootball::correct(int seconds)
{
    // Like setting the duration: the display changes, the wall gets it with the next second or "Anzeigen".
    setDisplay(gameclock::shifted(display(), seconds));
    contentChanged();
}

void TFormAmericanFootball::SBSendClick()
{
    m_wall.send(held().bodies);
}

TUnsentChanges::Held TFormAmericanFootball::held() const
{
    wallcmd::GameClock state = wallcmd::GameClock::Hidden;
    if (m_sbStopWatch->isChecked())
        state = wallcmd::GameClock::Standing;
    else if (m_sbRunWatch->isChecked())
        state = wallcmd::GameClock::Running;
    return {wallcmd::footballShow(m_edVereinLinks->text(), m_edVereinRechts->text(), m_udToreLinks->value(),
                                  m_udToreRechts->value(), state, display()),
            {}};
}

void TFormAmericanFootball::EdClockChange()
{
    const gameclock::Parsed duration = gameclock::GetMinSecFromStr(m_edClock->text());
    QPalette pal = m_edClock->palette();
    pal.setColor(QPalette::Text, duration.valid ? palette().color(QPalette::Text) : kInvalidRed);
    m_edClock->setPalette(pal);
    m_sbSetClock->setEnabled(duration.valid);
    if (duration.valid)
        m_sbSetClock->setText(gameclock::normalised(*duration.numbers));
}

void TFormAmericanFootball::SBSetClockClick()
{
    const gameclock::Parsed duration = gameclock::GetMinSecFromStr(m_edClock->text());
    if (!duration.valid)
        return;
    const QString text = gameclock::normalised(*duration.numbers);
    m_edClock->setText(text);
    setDisplay(text);
    contentChanged();
}

void TFormAmericanFootball::SBClearClockClick()
{
    setDisplay(kZero);
    contentChanged();
}

void TFormAmericanFootball::SBRunWatchClick()
{
    m_elapsed.restart(m_clock.monotonicMs());
    if (display() == gameclock::endOfCount(direction(), m_edClock->text())) {
        m_sbStopWatch->setChecked(true);
        showRunning(false);
    } else {
        m_sbRunWatch->setChecked(true);
        showRunning(true);
    }
    sendClock();
}

void TFormAmericanFootball::SBStopWatchClick()
{
    m_elapsed.restart(m_clock.monotonicMs());
    m_sbStopWatch->setChecked(true);
    showRunning(false);
    sendClock();
}

void TFormAmericanFootball::WatchTimerTimer()
{
    // The setting was switched off while the window was closed: time stands until it opens again.
    if (!isVisible() && !keepsTime()) {
        m_watchTimer->stop();
        return;
    }
    const qint64 seconds = m_elapsed.take(m_clock.monotonicMs());
    if (seconds < 1)
        return;
    const gameclock::TickOutcome tick =
        gameclock::count(display(), seconds, m_sbRunWatch->isChecked(), direction(), m_edClock->text());
    if (!tick.changed)
        return;
    setDisplay(tick.text);
    if (tick.ended) {
        m_sbStopWatch->setChecked(true);
        showRunning(false);
        sendClock();
        m_sound.alert();
        m_sound.tone(kToneHertz, kToneMs);
        return;
    }
    sendClock();
}
