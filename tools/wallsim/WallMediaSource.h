#pragma once

#include "wall_view/WallRenderer.h"

#include <QImage>
#include <QMediaPlayer>
#include <QObject>
#include <QTimer>
#include <QVideoSink>

#include <memory>
#include <optional>

class WallModel;

// A file in the media folder, where the FTP uploads land.
struct MediaFile
{
    QString path;
    qint64 modifiedMs = 0;
    qint64 size = -1;
    bool still = false; // a picture rather than a video

    bool operator==(const MediaFile&) const = default;
};

// Which file each media page shows; pure look-ups in the folder.
namespace mediafolder {
// "BrisalClient.jpg", as the picture upload names it.
std::optional<MediaFile> picture(const QString& dir);
// The newest "BrisalClient" plus an extension that is not a picture: the video upload.
std::optional<MediaFile> video(const QString& dir);
// The newest "<baseName>.*" (live video and camera stand-ins: "live.*", "camera.*").
std::optional<MediaFile> newest(const QString& dir, const QString& baseName);
// The game-and-set page's area: the newest upload, picture or video, unless cleared after it came.
std::optional<MediaFile> setsArea(const QString& dir, qint64 clearedAtMs);
} // namespace mediafolder

// The media side of the virtual wall: loads pictures, plays videos (looping, without sound) for the
// page the model shows, and notices new uploads while a media page is shown.
class WallMediaSource final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WallMediaSource)
public:
    // mediaDir empty: no media folder, every media page shows its placeholder.
    WallMediaSource(const WallModel& model, const QString& mediaDir, QObject* parent = nullptr);

    // After each body: start, change or stop playback for what the model now shows.
    void update();

    WallMedia current() const;

Q_SIGNALS:
    void changed();

private:
    std::optional<MediaFile> wantedVideo() const;
    void play(const std::optional<MediaFile>& file);
    QMediaPlayer& player();
    void poll();
    QImage still(const std::optional<MediaFile>& file) const;
    MediaShot shot(const std::optional<MediaFile>& file, const QString& missing) const;

    const WallModel& m_model;
    QString m_dir;
    // Made on the first video: the media backend is slow to start and not needed for pictures.
    std::unique_ptr<QVideoSink> m_sink; // declared first, so the player that draws into it goes first
    std::unique_ptr<QMediaPlayer> m_player;
    QTimer m_poll;
    std::optional<MediaFile> m_playing;
    std::optional<MediaFile> m_lastSeen; // wanted file at the previous poll; a change must hold still once
    QImage m_frame;
    QString m_playerError;
    mutable std::optional<MediaFile> m_stillFile; // one picture kept decoded
    mutable QImage m_stillImage;
};
