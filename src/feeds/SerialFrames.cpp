#include "feeds/SerialFrames.h"

#include "wall_link/Cp1252.h"

namespace serialframes {

namespace {

constexpr char kOmegaStart = 0x01;
constexpr char kOmegaEnd = 0x04;
constexpr char kOmegaBlank = 0x02;
constexpr char kOmegaBlankCode = 0x0C;
constexpr char kOmegaTime = 0x14;
constexpr char kOmegaTextStart = 0x02;
constexpr qsizetype kOmegaTextMax = 12;
constexpr qsizetype kOmegaTimeLength = 8;
constexpr qsizetype kOmegaShortPrefix = 3;

constexpr char kRollerStart = 0x02;
constexpr char kRollerEnd = 0x03;
constexpr char kRollerBlank = 'B';
constexpr char kRollerTime = 'I';
constexpr qsizetype kRollerDigits = 6;

// Each separator that follows a blank becomes a blank; repeated, so a run of them clears left to right.
void blankSeparatorsAfterBlanks(QByteArray& text, const char* separators)
{
    for (const char* s = separators; *s != '\0'; ++s) {
        const char pair[] = {' ', *s, '\0'};
        for (qsizetype at = text.indexOf(pair); at >= 0; at = text.indexOf(pair, at)) {
            text[at + 1] = ' ';
        }
    }
}

TimeMessage show(const QByteArray& text)
{
    return {cp1252::decode(text), false};
}

} // namespace

std::optional<Protocol> protocolFromIndex(int index)
{
    switch (index) {
    case 0:
        return Protocol::OmegaUnt;
    case 1:
        return Protocol::Rollertime;
    default:
        return std::nullopt;
    }
}

Delimiters delimiters(Protocol protocol)
{
    return protocol == Protocol::OmegaUnt ? Delimiters{kOmegaStart, kOmegaEnd} : Delimiters{kRollerStart, kRollerEnd};
}

std::optional<QByteArray> FrameCollector::take(char c, Protocol protocol)
{
    const auto [start, end] = delimiters(protocol);
    if (c == start) {
        m_buffer = QByteArray(1, start);
        return std::nullopt;
    }
    if (m_buffer.isEmpty()) {
        return std::nullopt;
    }
    if (c == end) {
        if (m_buffer.size() < 2) {
            return std::nullopt;
        }
        QByteArray frame = std::move(m_buffer);
        frame.append(end);
        m_buffer.clear();
        return frame;
    }
    if (m_buffer.size() >= kMaxFrame - 1) {
        m_buffer.clear(); // keep room for the end byte; longer is noise
        return std::nullopt;
    }
    m_buffer.append(c);
    return std::nullopt;
}

std::optional<TimeMessage> omegaUntFrame(const QByteArray& frame)
{
    if (frame.size() <= 1) {
        return std::nullopt;
    }
    if (frame[1] == kOmegaBlank) {
        if (frame.size() > 2 && frame[2] == kOmegaBlankCode) {
            return TimeMessage{{}, true};
        }
        return std::nullopt;
    }
    if (frame[1] != kOmegaTime || frame.size() <= 5) {
        return std::nullopt;
    }
    QByteArray text = frame.mid(frame.lastIndexOf(kOmegaTextStart) + 1);
    // A time field shorter than eight characters must not carry the end byte onto the wall.
    if (text.endsWith(kOmegaEnd))
        text.chop(1);
    text.truncate(kOmegaTextMax);
    switch (frame[2]) {
    case 'R':
        break;
    case 'S':
        text.remove(0, kOmegaShortPrefix);
        break;
    default:
        return std::nullopt;
    }
    text.truncate(kOmegaTimeLength);
    blankSeparatorsAfterBlanks(text, ":,.");
    return show(text);
}

std::optional<TimeMessage> rollertimeFrame(const QByteArray& frame)
{
    if (frame.size() <= 1) {
        return std::nullopt;
    }
    if (frame[1] == kRollerBlank) {
        return TimeMessage{{}, true};
    }
    if (frame[1] != kRollerTime || frame.size() <= 8) {
        return std::nullopt;
    }
    QByteArray text = frame.mid(2, kRollerDigits);
    text.insert(4, ':');
    text.insert(2, ':');
    blankSeparatorsAfterBlanks(text, ":");
    return show(text);
}

} // namespace serialframes
