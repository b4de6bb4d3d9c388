#include "media/VideoPreview.h"

#include "media/MediaInterface.h"

#include <QCoreApplication>
#include <QWidget>

void TVideoPreview::LoadVideo(const QString& path, QWidget* surface)
{
    if (m_library->MediaStreamPlayed())
        m_library->stopMediaStream();
    m_library->loadMediaFile(path.left(MediaInterface::kMaxPathLength), surface);
    m_library->getVideoWidth();
}

void TVideoPreview::PlayVideo(QWidget* surface) noexcept
{
    try {
        if (!m_library->MediaStreamAvailable())
            return;
        if (m_library->VideoAvailable() && surface)
            m_library->setVideoPos(0, 0, surface->width(), surface->height());
        QCoreApplication::processEvents();
        m_library->playMediaStream();
    } catch (...) {
        // The preview is a convenience: at worst the panel stays black.
    }
}

void TVideoPreview::StopVideo()
{
    m_library->stopMediaStream();
    m_library->freeMediaStream();
}

void TVideoPreview::stopQuietly() noexcept
{
    try {
        StopVideo();
    } catch (...) {
    }
}
