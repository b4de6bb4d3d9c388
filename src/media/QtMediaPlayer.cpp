#include "media/QtMediaPlayer.h"

#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QVideoWidget>

TQtMediaPlayer::TQtMediaPlayer() = default;

TQtMediaPlayer::~TQtMediaPlayer()
{
    if (m_player)
        m_player->stop();
    // The widget belongs to its surface; it must not outlive the player's reference to it unnoticed.
    if (m_video)
        m_player->setVideoOutput(static_cast<QObject*>(nullptr));
}

QVideoWidget* TQtMediaPlayer::videoWidget() const
{
    return m_video;
}

QUrl TQtMediaPlayer::source() const
{
    return m_player ? m_player->source() : QUrl();
}

bool TQtMediaPlayer::MediaStreamPlayed()
{
    return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
}

void TQtMediaPlayer::stopMediaStream()
{
    if (m_player)
        m_player->stop();
}

void TQtMediaPlayer::loadMediaFile(const QString& path, QWidget* surface)
{
    if (!m_player)
        m_player = std::make_unique<QMediaPlayer>();
    if (m_video && m_video->parentWidget() != surface) {
        m_player->setVideoOutput(static_cast<QObject*>(nullptr));
        delete m_video;
    }
    if (!m_video && surface) {
        m_video = new QVideoWidget(surface);
        m_video->setObjectName(QStringLiteral("VideoOutput"));
        m_video->setAspectRatioMode(Qt::KeepAspectRatio);
        QPalette pal = m_video->palette();
        pal.setColor(QPalette::Window, Qt::black);
        m_video->setPalette(pal);
        m_video->setAutoFillBackground(true);
        // A surface closed for good takes the widget with it; the player must stop drawing into it.
        QMediaPlayer* player = m_player.get();
        QObject::connect(m_video, &QObject::destroyed, player, [player] {
            player->stop();
            player->setVideoOutput(static_cast<QObject*>(nullptr));
        });
        m_player->setVideoOutput(m_video.data());
    }
    if (m_video) {
        m_video->setGeometry(surface->rect());
        m_video->show();
    }
    m_player->setSource(QUrl::fromLocalFile(path));
}

int TQtMediaPlayer::getVideoWidth()
{
    if (!m_player)
        return 0;
    return m_player->metaData().value(QMediaMetaData::Resolution).toSize().width();
}

void TQtMediaPlayer::freeMediaStream()
{
    if (m_player)
        m_player->setSource(QUrl());
}

bool TQtMediaPlayer::MediaStreamAvailable()
{
    return m_player && !m_player->source().isEmpty() && m_player->mediaStatus() != QMediaPlayer::InvalidMedia;
}

bool TQtMediaPlayer::VideoAvailable()
{
    // The stream's tracks are known only once the backend has read the file; the output is placed
    // whenever there is one, which is harmless for a file without a picture.
    return m_player && m_video;
}

void TQtMediaPlayer::setVideoPos(int left, int top, int width, int height)
{
    if (m_video)
        m_video->setGeometry(left, top, width, height);
}

void TQtMediaPlayer::playMediaStream()
{
    if (m_player)
        m_player->play();
}
