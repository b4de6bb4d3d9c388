#pragma once

#include "pages/PageForm.h"

class ErrorReport;
class TMediaModule;
class QToolButton;
class TImage;

// The picture window: a JPEG chosen here is previewed, uploaded to the wall computer and shown on the
// wall; "LiveVideo" switches the wall to its video grabber. Hiding the window blanks the wall.
//
// Needs: the wall, the media parts (upload, open dialog, preview) and the general error report, which
// shows what ends an action (a failed upload, an unreadable file).
class TFormJpg final : public TPageForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormJpg)
public:
    TFormJpg(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent = nullptr);

    void SBLoadPictureClick();
    void SBSendClick();
    void SBLiveClick();

protected:
    void FormHide() override;
    TUnsentChanges::Held held() const override;

private:
    TMediaModule& m_media;
    ErrorReport& m_report;
    TImage* m_picture = nullptr;     // ImShowPicture
    QToolButton* m_sbSend = nullptr; // SBSend
};
