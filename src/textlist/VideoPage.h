#pragma once

#include <QWidget>

#include <functional>

class ErrorReport;
class QProgressBar;
class QToolButton;
class TMediaModule;
class TOpenDialog;
class WallSink;

// The "Video" page of the text list window: a video chosen here or named by the COSA feed is staged and
// previewed in PnVideo; "Anzeigen" shows it on the wall and uploads it; "LiveVideo" and "MJPEG LiveCam"
// switch the wall to its live sources.
//
// Needs: the wall, the media parts (upload, local video preview), the window's open dialog and the
// general error report.
class TVideoPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TVideoPage)
public:
    TVideoPage(WallSink& wall, TMediaModule& media, TOpenDialog& open, ErrorReport& report, QWidget* parent = nullptr);

    // Stages the video at path, brings the page forward and plays the copy in the preview; a path that
    // names no file only turns "Anzeigen" off.
    void showVideo(const QString& path);
    // The page came forward: "Anzeigen" is on while the staged copy is there.
    void TSVideoShow();
    // Stops the local video preview; errors it throws are swallowed.
    void stopVideo();
    // Replaces that stop (the media parts' by default).
    void setStopVideo(std::function<void()> stop) { m_stopVideo = std::move(stop); }
    // The staged copy; empty until a video was staged.
    const QString& videoCopyPath() const { return m_videoCopyPath; }
    QProgressBar* progressBar() const { return m_progress; }

    void SBOpenVideoClick();
    void SBShowVideoClick();
    void SBLiveClick();
    void SBShowMJPEGClick();

Q_SIGNALS:
    // The page wants to be the window's visible page.
    void showRequested();

private:
    WallSink& m_wall;
    TMediaModule& m_media;
    TOpenDialog& m_open;
    ErrorReport& m_report;
    std::function<void()> m_stopVideo;
    QString m_videoCopyPath;
    QWidget* m_surface;       // PnVideo
    QToolButton* m_showVideo; // SBShowVideo
    QProgressBar* m_progress; // PBarVideo
};
