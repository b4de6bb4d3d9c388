#pragma once

#include "media/MediaInterface.h"

#include <QStringList>

#include <stdexcept>

// The preview's player: records what it is asked to load; can be told to fail.
class RecordingPlayer final : public MediaInterface
{
public:
    bool MediaStreamPlayed() override { return playing; }
    void stopMediaStream() override { playing = false; }
    void loadMediaFile(const QString& path, QWidget*) override
    {
        if (fail)
            throw std::runtime_error("no codec");
        loaded << path;
    }
    int getVideoWidth() override { return 0; }
    void freeMediaStream() override { playing = false; }
    bool MediaStreamAvailable() override { return !loaded.isEmpty(); }
    bool VideoAvailable() override { return !loaded.isEmpty(); }
    void setVideoPos(int, int, int, int) override {}
    void playMediaStream() override { playing = true; }

    QStringList loaded;
    bool playing = false;
    bool fail = false;
};
