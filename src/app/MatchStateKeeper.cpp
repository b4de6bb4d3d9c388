#include "app/MatchStateKeeper.h"

#include "pages/AmericanFootball.h"
#include "pages/Socker.h"
#include "pages/SpielUndSatz.h"
#include "shell/ErrorReport.h"
#include "textlist/Textbox.h"

MatchStateKeeper::MatchStateKeeper(const Windows& windows, const QString& file, ErrorReport& report)
    : m_windows(windows), m_file(file), m_report(report)
{
    const MatchStateFile::Loaded loaded = m_file.read(collect());
    apply(loaded.state);
    if (!loaded.note.isEmpty())
        tell(loaded.note);

    m_due.setSingleShot(true);
    m_due.setInterval(kCoalesceMs);
    connect(&m_due, &QTimer::timeout, this, &MatchStateKeeper::write);
    auto changed = [this] {
        if (!m_due.isActive())
            m_due.start();
    };
    connect(&m_windows.socker, &TScorePage::matchStateChanged, this, changed);
    connect(&m_windows.football, &TScorePage::matchStateChanged, this, changed);
    connect(&m_windows.gameAndSet, &TScorePage::matchStateChanged, this, changed);
    connect(&m_windows.textbox, &TFormTextbox::previewChanged, this, changed);
}

MatchStateKeeper::~MatchStateKeeper()
{
    flush();
}

void MatchStateKeeper::flush()
{
    if (!m_due.isActive())
        return;
    m_due.stop();
    write();
}

MatchState MatchStateKeeper::collect() const
{
    MatchState s;
    s.soccer = m_windows.socker.score();
    s.football = m_windows.football.score();
    s.gameClock = m_windows.football.clockText();
    s.gameDuration = m_windows.football.durationText();
    s.gameAndSet = m_windows.gameAndSet.score();
    std::tie(s.homeSets, s.guestSets) = m_windows.gameAndSet.sets();
    s.listHeader = m_windows.textbox.header();
    s.listLines = m_windows.textbox.lines();
    return s;
}

void MatchStateKeeper::apply(const MatchState& state)
{
    m_windows.socker.setScore(state.soccer);
    m_windows.football.setScore(state.football);
    m_windows.football.restoreClock(state.gameClock, state.gameDuration);
    m_windows.gameAndSet.setScore(state.gameAndSet);
    m_windows.gameAndSet.setSets(state.homeSets, state.guestSets);
    m_windows.textbox.setHeader(state.listHeader);
    m_windows.textbox.setLines(state.listLines);
}

void MatchStateKeeper::write()
{
    const QString error = m_file.write(collect());
    if (!error.isEmpty() && !m_failed)
        tell(error);
    m_failed = !error.isEmpty();
}

void MatchStateKeeper::tell(const QString& text)
{
    // Not before the event loop runs: the box then has the main window to stand over.
    QTimer::singleShot(0, this, [this, text] { m_report.showMessage(ErrorReport::Icon::Warning, QString(), text); });
}
