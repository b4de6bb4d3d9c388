#pragma once

#include "pages/PageForm.h"

class ErrorReport;
class TMediaModule;
class QToolButton;

// The video window: a video chosen here is staged, previewed in PnVideo, and on "Anzeigen" shown on the
// wall and uploaded; the grabber and camera buttons switch the wall to its live sources. The main window
// opens it for videos, live video and the camera alike. Hiding the window blanks the wall.
//
// Needs: the wall, the media parts (upload, open dialog, preview) and the general error report.
class TFormVideo final : public TPageForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormVideo)
public:
    TFormVideo(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent = nullptr);

    void SBOpenVideoClick();
    void SBSendClick();
    void SBEraseClick();
    void SBLiveClick();
    void SBShowMJPEGClick();

    // The staged copy of the chosen video; empty until one was chosen.
    const QString& videoCopyPath() const { return m_videoCopyPath; }

protected:
    void FormHide() override;
    TUnsentChanges::Held held() const override;

private:
    TMediaModule& m_media;
    ErrorReport& m_report;
    QWidget* m_surface = nullptr;    // PnVideo
    QToolButton* m_sbSend = nullptr; // SBSend
    QString m_videoCopyPath;
    int m_videosOpened = 0; // tells one staged video from the next of the same name
};
