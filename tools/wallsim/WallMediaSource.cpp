#include "WallMediaSource.h"

#include "wall_link/WallCommands.h"
#include "wall_view/WallModel.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>
#include <QVideoFrame>

namespace {

constexpr int kPollMs = 1000;

bool isStill(const QFileInfo& info)
{
    static const QStringList kStill = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                       QStringLiteral("bmp"), QStringLiteral("gif")};
    return kStill.contains(info.suffix().toLower());
}

MediaFile describe(const QFileInfo& info)
{
    return {info.absoluteFilePath(), info.lastModified().toMSecsSinceEpoch(), info.size(), isStill(info)};
}

// Newest regular file matching the pattern; with videosOnly, pictures do not count.
std::optional<MediaFile> newestMatching(const QString& dir, const QString& pattern, bool videosOnly)
{
    if (dir.isEmpty())
        return std::nullopt;
    const QFileInfoList found =
        QDir(dir).entryInfoList({pattern}, QDir::Files | QDir::Readable, QDir::Time); // newest first
    for (const QFileInfo& info : found) {
        if (!videosOnly || !isStill(info))
            return describe(info);
    }
    return std::nullopt;
}

QString fileName(const MediaFile& file)
{
    return QFileInfo(file.path).fileName();
}

} // namespace

namespace mediafolder {

std::optional<MediaFile> picture(const QString& dir)
{
    if (dir.isEmpty())
        return std::nullopt;
    const QFileInfo info(QDir(dir).filePath(QStringLiteral("BrisalClient.jpg")));
    if (!info.isFile())
        return std::nullopt;
    return describe(info);
}

std::optional<MediaFile> video(const QString& dir)
{
    return newestMatching(dir, QStringLiteral("BrisalClient.*"), true);
}

std::optional<MediaFile> newest(const QString& dir, const QString& baseName)
{
    return newestMatching(dir, baseName + QStringLiteral(".*"), false);
}

std::optional<MediaFile> setsArea(const QString& dir, qint64 clearedAtMs)
{
    std::optional<MediaFile> best = picture(dir);
    const std::optional<MediaFile> clip = video(dir);
    if (clip && (!best || clip->modifiedMs > best->modifiedMs))
        best = clip;
    if (best && best->modifiedMs <= clearedAtMs)
        return std::nullopt;
    return best;
}

} // namespace mediafolder

WallMediaSource::WallMediaSource(const WallModel& model, const QString& mediaDir, QObject* parent)
    : QObject(parent), m_model(model), m_dir(mediaDir)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &WallMediaSource::poll);
    if (!m_dir.isEmpty())
        m_poll.start();
}

std::optional<MediaFile> WallMediaSource::wantedVideo() const
{
    if (m_dir.isEmpty() || !m_model.page())
        return std::nullopt;
    auto playable = [this](const std::optional<MediaFile>& file) -> std::optional<MediaFile> {
        if (!file || file->still)
            return std::nullopt;
        // The media-stop code stops what plays; only an upload that came after it starts again.
        if (m_model.mediaStopped() && file->modifiedMs <= m_model.mediaStoppedAt())
            return std::nullopt;
        return file;
    };
    using namespace wallcmd::page;
    switch (*m_model.page()) {
    case Video:
        return playable(mediafolder::video(m_dir));
    case LiveVideo:
        return playable(mediafolder::newest(m_dir, QStringLiteral("live")));
    case Camera:
        return playable(mediafolder::newest(m_dir, QStringLiteral("camera")));
    case GameAndSet:
        return playable(mediafolder::setsArea(m_dir, m_model.mediaAreaClearedAt()));
    default:
        return std::nullopt;
    }
}

QMediaPlayer& WallMediaSource::player()
{
    if (m_player)
        return *m_player;
    m_player = std::make_unique<QMediaPlayer>();
    m_sink = std::make_unique<QVideoSink>();
    // No audio output is attached: the wall computer's sound is not ours to play, and the media backend
    // is unstable with audio and no sound device.
    m_player->setVideoOutput(m_sink.get());
    m_player->setLoops(QMediaPlayer::Infinite);
    connect(m_sink.get(), &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        if (!m_playing)
            return;
        m_frame = frame.toImage();
        Q_EMIT changed();
    });
    connect(m_player.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        if (!m_playing)
            return;
        m_playerError = QStringLiteral("cannot play %1: %2").arg(fileName(*m_playing), text);
        m_frame = QImage();
        Q_EMIT changed();
    });
    return *m_player;
}

void WallMediaSource::play(const std::optional<MediaFile>& file)
{
    m_frame = QImage();
    m_playerError.clear();
    m_playing = file;
    if (!file) {
        if (m_player) {
            m_player->stop();
            m_player->setSource(QUrl());
        }
        return;
    }
    player().stop();
    player().setSource(QUrl::fromLocalFile(file->path));
    player().play();
}

void WallMediaSource::update()
{
    const std::optional<MediaFile> wanted = wantedVideo();
    // A page switch or another file starts at once; the same file growing under an upload waits for
    // the poll to see it hold still.
    const bool samePath = wanted.has_value() == m_playing.has_value() && (!wanted || wanted->path == m_playing->path);
    if (!samePath)
        play(wanted);
    m_lastSeen = wanted;
    Q_EMIT changed();
}

void WallMediaSource::poll()
{
    const std::optional<MediaFile> wanted = wantedVideo();
    if (wanted != m_playing && wanted == m_lastSeen)
        play(wanted);
    m_lastSeen = wanted;
    Q_EMIT changed(); // a picture may have been uploaded meanwhile
}

QImage WallMediaSource::still(const std::optional<MediaFile>& file) const
{
    if (!file)
        return {};
    if (m_stillFile != file) {
        QImageReader reader(file->path);
        reader.setAutoTransform(true);
        m_stillImage = reader.read();
        m_stillFile = file;
    }
    return m_stillImage;
}

MediaShot WallMediaSource::shot(const std::optional<MediaFile>& file, const QString& missing) const
{
    if (m_dir.isEmpty())
        return {{}, QStringLiteral("no media folder (--media DIR)")};
    if (!file)
        return {{}, missing};
    if (file->still) {
        const QImage image = still(file);
        if (image.isNull())
            return {{}, QStringLiteral("cannot read %1").arg(fileName(*file))};
        return {image, {}};
    }
    if (m_model.mediaStopped() && file->modifiedMs <= m_model.mediaStoppedAt())
        return {{}, QStringLiteral("%1 stopped").arg(fileName(*file))};
    if (m_playing && m_playing->path == file->path && !m_frame.isNull())
        return {m_frame, {}};
    if (!m_playerError.isEmpty())
        return {{}, m_playerError};
    return {{}, QStringLiteral("loading %1").arg(fileName(*file))};
}

WallMedia WallMediaSource::current() const
{
    WallMedia media;
    if (!m_model.page())
        return media;
    using namespace wallcmd::page;
    // Only the page shown is looked up: this runs for every frame drawn.
    switch (*m_model.page()) {
    case Picture:
        media.picture = shot(mediafolder::picture(m_dir), QStringLiteral("no BrisalClient.jpg in the media folder"));
        break;
    case Video:
        media.video = shot(mediafolder::video(m_dir), QStringLiteral("no BrisalClient video in the media folder"));
        break;
    case LiveVideo:
        media.live = shot(mediafolder::newest(m_dir, QStringLiteral("live")),
                          QStringLiteral("no live.* stand-in in the media folder"));
        break;
    case Camera:
        media.camera = shot(mediafolder::newest(m_dir, QStringLiteral("camera")),
                            QStringLiteral("no camera.* stand-in in the media folder"));
        break;
    case GameAndSet:
        if (!m_dir.isEmpty())
            media.setsArea = shot(mediafolder::setsArea(m_dir, m_model.mediaAreaClearedAt()), {}).image;
        break;
    default:
        break;
    }
    return media;
}
