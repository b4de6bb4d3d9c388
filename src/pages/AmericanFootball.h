#pragma once

#include "pages/GameClock.h"
#include "pages/ScorePage.h"
#include "wall_link/WallCommands.h"

#include <functional>

class AlertSound;
class Clock;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

// The American football page: team names, scores and a game clock that counts down from the game
// duration or up to it. Every change of the running clock goes to the wall at once, green while it
// runs, red while it stands; the end of the count stops the clock with an alert and a 400 Hz tone.
//
// The clock display takes the focus: Space starts and stops the clock, the arrows correct it by a second,
// Page Up and Page Down by a minute; its context menu offers the same.
//
// Needs: the wall; the clock (its monotonic scale times the game clock); the alert sound.
// The settings store reads and writes the count direction through countDirectionIndex().
//
// With the setting "keeps time" on, closing the window neither blanks the wall nor stops the clock: it
// counts on, ends with its signal, and its seconds go to the wall as long as the wall still shows this
// page, never onto a page another window has put there since.
class TFormAmericanFootball final : public TScorePage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormAmericanFootball)
public:
    TFormAmericanFootball(WallSink& wall, const Clock& clock, AlertSound& sound, QWidget* parent = nullptr);

    // Item index of CBTimeCountDirection: 0 "rückwärts", 1 "vorwärts", -1 none (an index outside the
    // list selects none; showing the window then selects "rückwärts").
    int countDirectionIndex() const;
    void setCountDirectionIndex(int index);

    // Whether the game clock keeps time while the window is closed, asked at closing and at every tick.
    void setKeepsTime(std::function<bool()> keepsTime);
    // Bodies that went to the wall from any window: the last page selected tells whether the wall still
    // shows this page.
    void noteSent(const wallcmd::Bodies& bodies);

    // The game clock's display and the duration box as they stand; restoring sets both, the clock
    // standing, and sends nothing. A display that is not minutes and seconds leaves the display as it is.
    QString clockText() const;
    QString durationText() const;
    void restoreClock(const QString& display, const QString& duration);

    void SBSendClick();
    // The game duration typed into its box, as the operator types it (Enter not pressed).
    void setDuration(const QString& text);
    // The display corrected by seconds (negative: back), as a referee's correction; the clock keeps its
    // state and nothing is sent.
    void adjustClock(int seconds);
    void EdClockChange();
    void SBSetClockClick();
    void SBClearClockClick();
    void SBRunWatchClick();
    void SBStopWatchClick();
    void WatchTimerTimer();

protected:
    void FormShow() override;
    void FormHide() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    TUnsentChanges::Held held() const override;

private:
    // The clock display's keys, context menu and focus look.
    bool clockKey(QKeyCombination key);
    void clockMenu(const QPoint& pos);
    void runOrStop();
    void correct(int seconds);
    gameclock::Direction direction() const;
    QString display() const;
    void setDisplay(const QString& text);
    void showRunning(bool running);
    void sendClock();
    bool keepsTime() const;

    static constexpr int kToneHertz = 400;
    static constexpr int kToneMs = 800;

    const Clock& m_clock;
    AlertSound& m_sound;
    gameclock::ElapsedSeconds m_elapsed;
    std::function<bool()> m_keepsTime;
    bool m_pageOnWall = false;

    QLabel* m_pnGameWatch;
    QToolButton* m_sbRunWatch;
    QToolButton* m_sbStopWatch;
    QButtonGroup* m_runStop;
    QLineEdit* m_edClock;
    QToolButton* m_sbSetClock;
    QToolButton* m_sbClearClock;
    QComboBox* m_cbTimeCountDirection;
    QTimer* m_watchTimer;
};
