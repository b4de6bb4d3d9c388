#pragma once

#include <QString>

class QWidget;

// The media player the local video preview plays through. One stream at a time: loading replaces the
// current stream, stopping and freeing act on it. Any call may throw; callers decide what to swallow.
class MediaInterface
{
public:
    virtual ~MediaInterface() = default;

    virtual bool MediaStreamPlayed() = 0;
    virtual void stopMediaStream() = 0;
    // path holds at most kMaxPathLength characters; the picture goes into surface.
    virtual void loadMediaFile(const QString& path, QWidget* surface) = 0;
    virtual int getVideoWidth() = 0;
    // Releases the current stream and with it the file.
    virtual void freeMediaStream() = 0;
    virtual bool MediaStreamAvailable() = 0;
    virtual bool VideoAvailable() = 0;
    // Position of the picture inside the surface.
    virtual void setVideoPos(int left, int top, int width, int height) = 0;
    virtual void playMediaStream() = 0;

    static constexpr int kMaxPathLength = 255;
};
