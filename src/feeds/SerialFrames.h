#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Serial timing frames. Two line protocols deliver a running time as short frames:
//
//   "OMEGA UNT"               01 kind ... 04
//     kind 02, then 0C          blank the display
//     kind 14, then R or S      a time: the text after the frame's last 02, cut to 12 bytes;
//                               R keeps its first 8, S drops 3 and keeps the next 8
//   "Rollertime/Sportissimo"  02 kind ... 03
//     kind 42 ('B')             blank the display
//     kind 49 ('I'), 6 digits   a time abcdef shown as ab:cd:ef
//
// In both, a colon (and for OMEGA a comma or point) that follows a blank becomes a blank, so leading
// zero groups the device suppresses do not leave stray separators. Anything else is ignored silently.
namespace serialframes {

enum class Protocol
{
    OmegaUnt = 0,
    Rollertime = 1
};

// The protocol for the configuration dialog's item index; nullopt for any other index.
std::optional<Protocol> protocolFromIndex(int index);

struct Delimiters
{
    char start;
    char end;
};
Delimiters delimiters(Protocol protocol);

// What a frame asks of the timing display: show text (and send it), force also when it is unchanged.
struct TimeMessage
{
    QString text;
    bool force = false;
    bool operator==(const TimeMessage&) const = default;
};

// Collects received bytes into frames, start and end byte included. A start byte always restarts the
// frame; bytes outside a frame are dropped; an end byte directly after the start byte is dropped.
// The buffer is bounded: the protocols need a few dozen bytes, so a partial frame that would grow past
// kMaxFrame is noise without an end byte and is dropped whole.
class FrameCollector final
{
public:
    static constexpr qsizetype kMaxFrame = 256;

    void clear() { m_buffer.clear(); }
    const QByteArray& buffer() const { return m_buffer; }

    // Takes one received byte; returns the frame that byte completes.
    std::optional<QByteArray> take(char c, Protocol protocol);

private:
    QByteArray m_buffer;
};

// One complete frame of each protocol; nullopt when the frame asks nothing of the display.
std::optional<TimeMessage> omegaUntFrame(const QByteArray& frame);
std::optional<TimeMessage> rollertimeFrame(const QByteArray& frame);

} // namespace serialframes
