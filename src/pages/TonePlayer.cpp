#include "pages/TonePlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QtEndian>

#include <cmath>
#include <numbers>

TonePlayer::TonePlayer(QObject* parent) : QObject(parent) {}

TonePlayer::~TonePlayer()
{
    finish();
}

QByteArray TonePlayer::sineSamples(int hertz, int milliseconds, int sampleRate)
{
    if (hertz <= 0 || milliseconds <= 0 || sampleRate <= 0)
        return {};
    const qint64 count = qint64(sampleRate) * milliseconds / 1000;
    const qint64 fade = qMin<qint64>(sampleRate / 200, count / 2); // 5 ms
    constexpr double kAmplitude = 0.5 * 32767.0;
    QByteArray out(static_cast<qsizetype>(count * 2), Qt::Uninitialized);
    auto* bytes = reinterpret_cast<uchar*>(out.data());
    for (qint64 i = 0; i < count; ++i) {
        double gain = 1.0;
        if (i < fade)
            gain = double(i) / double(fade);
        else if (count - 1 - i < fade)
            gain = double(count - 1 - i) / double(fade);
        const double phase = 2.0 * std::numbers::pi * double(hertz) * double(i) / double(sampleRate);
        const auto sample = static_cast<qint16>(std::lround(kAmplitude * gain * std::sin(phase)));
        qToLittleEndian<qint16>(sample, bytes + 2 * i);
    }
    return out;
}

bool TonePlayer::play(int hertz, int milliseconds)
{
    finish();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return false;
    const QByteArray samples = sineSamples(hertz, milliseconds);
    if (samples.isEmpty())
        return false;

    m_buffer = new QBuffer(this);
    m_buffer->setData(samples);
    m_buffer->open(QIODevice::ReadOnly);
    m_sink = new QAudioSink(device, format, this);
    connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState || (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError))
            finish();
    });
    m_sink->start(m_buffer);
    if (m_sink && m_sink->error() != QAudio::NoError) {
        finish();
        return false;
    }
    return m_sink != nullptr;
}

void TonePlayer::finish()
{
    if (m_sink) {
        QAudioSink* sink = m_sink;
        m_sink = nullptr;
        sink->disconnect(this);
        sink->stop();
        sink->deleteLater();
    }
    if (m_buffer) {
        m_buffer->close();
        m_buffer->deleteLater();
        m_buffer = nullptr;
    }
}
