#pragma once

#include "media/MediaInterface.h"

#include <QPointer>
#include <QUrl>

#include <memory>

class QMediaPlayer;
class QVideoWidget;

// The media player on Qt Multimedia: a QMediaPlayer rendering into a QVideoWidget laid over the surface.
// No audio output is attached: the preview is silent, and a missing sound device cannot disturb it. The
// player is created on first use, so a program that never previews a video never starts the backend.
class TQtMediaPlayer final : public MediaInterface
{
    Q_DISABLE_COPY_MOVE(TQtMediaPlayer)
public:
    TQtMediaPlayer();
    ~TQtMediaPlayer() override;

    bool MediaStreamPlayed() override;
    void stopMediaStream() override;
    void loadMediaFile(const QString& path, QWidget* surface) override;
    int getVideoWidth() override;
    void freeMediaStream() override;
    bool MediaStreamAvailable() override;
    bool VideoAvailable() override;
    void setVideoPos(int left, int top, int width, int height) override;
    void playMediaStream() override;

    // The video output widget, while a stream is bound to a surface (for tests and screenshots).
    QVideoWidget* videoWidget() const;
    QUrl source() const;

private:
    std::unique_ptr<QMediaPlayer> m_player;
    QPointer<QVideoWidget> m_video;
};
