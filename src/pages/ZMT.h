#pragma once

#include "pages/PageForm.h"

class QLabel;
class QToolButton;

// The timing display page: shows the running time handed in by the serial timing feed and, while
// "Anzeigen" is down, forwards each new time to the wall's time display page.
//
// Needs: the wall. The serial timing feed calls HandleTimeMessage on the user-interface thread
// while the window is shown.
class TFormZMT final : public TPageForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormZMT)
public:
    explicit TFormZMT(WallSink& wall, QWidget* parent = nullptr);

    // Shows text and sends it while sending is on; a text equal to the one shown is ignored unless
    // force is set (an empty text with force blanks the display).
    void HandleTimeMessage(const QString& text, bool force);

    void SBSendClick();
    // The link error handling releases the show button before it closes the window.
    void ReleaseSend();

protected:
    void FormShow() override;
    void FormHide() override;
    TUnsentChanges::Held held() const override;

private:
    QLabel* m_pnWatch;
    QToolButton* m_sbErase;
    QToolButton* m_sbSend;
};
