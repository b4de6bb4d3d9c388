#pragma once

#include "pages/PageForm.h"

#include <functional>

class Clock;
class QButtonGroup;
class QLabel;
class QTimer;
class QToolButton;

// The clock page: shows the local time and, while a mode button is down, puts it on the wall once per
// new second, either as the time display with a small text line below it or as the analog clock.
//
// Needs: the wall; the clock for the time of day; and the small text line, read at every send
// (the composition root hands in the configuration dialog's EdWatchText).
class TFormWatch final : public TPageForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormWatch)
public:
    TFormWatch(WallSink& wall, const Clock& clock, std::function<QString()> watchText, QWidget* parent = nullptr);

    // The three buttons as the operator presses them: "Löschen" blanks the wall and ends sending, the two
    // mode buttons choose what the next new second sends.
    enum class Button
    {
        Erase,
        AnalogWatch,
        Send
    };
    void press(Button button);

    void WatchTimerTimer();
    // The link error handling releases the show button before it closes the window.
    void ReleaseSend();

protected:
    void FormShow() override;
    void FormHide() override;
    // What the next second sends; with neither mode down, what "Anzeigen" would start.
    TUnsentChanges::Held held() const override;

private:
    const Clock& m_clock;
    std::function<QString()> m_watchText;
    QLabel* m_pnWatch;
    QToolButton* m_sbErase;
    QToolButton* m_sbAnalogWatch;
    QToolButton* m_sbSend;
    QButtonGroup* m_buttons;
    QTimer* m_watchTimer;
};
