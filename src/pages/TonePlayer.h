#pragma once

#include <QByteArray>
#include <QObject>

class QAudioSink;
class QBuffer;

// Plays a generated sine tone on the default audio output without blocking. Where there is no output
// device, or it refuses the format, the tone is skipped: no error, no message, no wait.
class TonePlayer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TonePlayer)
public:
    static constexpr int kSampleRate = 44100;

    explicit TonePlayer(QObject* parent = nullptr);
    ~TonePlayer() override;

    // Returns whether the tone started. A new tone replaces one still playing.
    bool play(int hertz, int milliseconds);
    bool isPlaying() const { return m_sink != nullptr; }

    // Signed 16-bit little-endian mono samples of a sine at `hertz` for `milliseconds`, with a short fade
    // at both ends so the tone does not click.
    static QByteArray sineSamples(int hertz, int milliseconds, int sampleRate = kSampleRate);

private:
    void finish();

    QAudioSink* m_sink = nullptr;
    QBuffer* m_buffer = nullptr;
};
