#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Arithmetic of the football game clock: the duration text rule, the normalised MM:SS form, counting
// whole seconds down or up, and the elapsed-seconds reference that feeds the count.
namespace gameclock {

struct MinSec
{
    int minutes = 0;
    int seconds = 0;
    friend bool operator==(const MinSec&, const MinSec&) = default;
};

struct Parsed
{
    // Empty when the first ':' is not the third character; an unreadable part is -1.
    std::optional<MinSec> numbers;
    // Minutes in 0..60 and seconds in 0..59.
    bool valid = false;
};

// The duration text rule: "MM:SS" with the colon as third character; the two characters before it and
// everything after it are read as decimal numbers after blanks and tabs are trimmed at both ends.
Parsed GetMinSecFromStr(const QString& text);

// Minutes and seconds with at least two digits each, joined by ':' (5 and 3 give "05:03").
QString normalised(MinSec value);

enum class Direction
{
    Down = 0,
    Up = 1
};

// The display text at which a count ends: 00:00 counting down; counting up, the duration in its
// normalised form when the duration box holds a valid text (so " 5:00" and "05:0" end at 05:00),
// otherwise the box's text as it stands.
QString endOfCount(Direction direction, const QString& durationText);

struct TickOutcome
{
    QString text;         // the new display text
    bool changed = false; // text differs from the display: show and send it
    bool ended = false;   // the new text is the end of the count
};

// One counted tick of `seconds` whole seconds (at least 1) from the display text. Nothing changes while
// the clock stands or, counting down, when the display is at 00:00; counting up stops at the end even
// when the tick covers several seconds.
TickOutcome count(const QString& display, qint64 seconds, bool running, Direction direction,
                  const QString& durationText);

// The display corrected by a number of seconds (negative: back), kept within 00:00 and 60:59, the
// longest valid duration; an unreadable display counts as 00:00.
QString adjusted(const QString& display, int seconds);

// Whole seconds since a reference instant on a monotonic scale. Taking them moves the reference on by
// exactly the seconds taken, so the fraction of a second carries over to the next tick and the count
// keeps real time whatever the tick interval.
class ElapsedSeconds
{
public:
    void restart(qint64 nowMs) { m_referenceMs = nowMs; }
    qint64 take(qint64 nowMs);

private:
    qint64 m_referenceMs = 0;
};

// The operator's correction: the display moved by deltaSeconds, kept within 00:00 and 99:59 so that it
// keeps its two-digit minutes; a display without numbers counts as 00:00.
constexpr int kLastDisplay = 99 * 60 + 59;
QString shifted(const QString& display, int deltaSeconds);

} // namespace gameclock
