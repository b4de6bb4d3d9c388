#pragma once

#include <QString>

class MediaInterface;
class QWidget;

// The local video preview: plays the staged copy of a video in a small panel of the window that chose
// it. Nothing loaded -> loaded (LoadVideo) -> playing (PlayVideo); StopVideo returns to nothing loaded
// from any state and may be called at any time.
class TVideoPreview final
{
    Q_DISABLE_COPY_MOVE(TVideoPreview)
public:
    explicit TVideoPreview(MediaInterface& library) : m_library(&library) {}

    // Makes path the current stream, rendering into surface; a playing stream is stopped first. Paths
    // longer than the player takes are cut. Throws what the player throws.
    void LoadVideo(const QString& path, QWidget* surface);
    // Starts the current stream filling surface; does nothing without one. Never throws.
    void PlayVideo(QWidget* surface) noexcept;
    // Stops and releases the current stream, and with it the file. Throws what the player throws.
    void StopVideo();
    // StopVideo for callers that go on whatever happens.
    void stopQuietly() noexcept;

    MediaInterface& library() const { return *m_library; }
    // Tests put a recording player in place of the real one.
    void setLibrary(MediaInterface& library) { m_library = &library; }

private:
    MediaInterface* m_library;
};
