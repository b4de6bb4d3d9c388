#include "pages/GameClock.h"

#include "wall_link/HexBin.h"

namespace gameclock {

namespace {

// A decimal number of digits only; anything else (including an empty text) is -1.
int readNumber(const QString& text)
{
    const QString digits = THexBin::Trim(text);
    if (digits.isEmpty() || digits.size() > 9)
        return -1;
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// More seconds than any display can hold (100:00 is where the text rule stops reading numbers); a
// longer tick cannot change the outcome except by counting an open-ended count further, and the cap
// keeps a tick bounded whatever the elapsed time.
constexpr qint64 kMaxSecondsPerTick = 100 * 60;

} // namespace

Parsed GetMinSecFromStr(const QString& text)
{
    Parsed out;
    if (text.indexOf(QLatin1Char(':')) != 2)
        return out;
    const MinSec value{readNumber(text.left(2)), readNumber(text.mid(3))};
    out.numbers = value;
    out.valid = value.minutes >= 0 && value.minutes <= 60 && value.seconds >= 0 && value.seconds <= 59;
    return out;
}

QString normalised(MinSec value)
{
    return QStringLiteral("%1:%2")
        .arg(value.minutes, 2, 10, QLatin1Char('0'))
        .arg(value.seconds, 2, 10, QLatin1Char('0'));
}

QString endOfCount(Direction direction, const QString& durationText)
{
    if (direction == Direction::Down)
        return QStringLiteral("00:00");
    const Parsed duration = GetMinSecFromStr(durationText);
    return duration.valid ? normalised(*duration.numbers) : durationText;
}

TickOutcome count(const QString& display, qint64 seconds, bool running, Direction direction,
                  const QString& durationText)
{
    TickOutcome out{display, false, false};
    if (!running || seconds < 1)
        return out;
    MinSec value = GetMinSecFromStr(display).numbers.value_or(MinSec{});
    const QString end = endOfCount(direction, durationText);
    const qint64 steps = qMin(seconds, kMaxSecondsPerTick);
    if (direction == Direction::Down) {
        if (value.minutes == 0 && value.seconds == 0)
            return out;
        for (qint64 i = 0; i < steps; ++i) {
            if (value.seconds > 0) {
                --value.seconds;
            } else if (value.minutes > 0) {
                --value.minutes;
                value.seconds = 59;
            } else {
                break;
            }
        }
    } else {
        for (qint64 i = 0; i < steps; ++i) {
            if (++value.seconds == 60) {
                ++value.minutes;
                value.seconds = 0;
            }
            if (normalised(value) == end)
                break;
        }
    }
    out.text = normalised(value);
    out.changed = out.text != display;
    out.ended = out.changed && out.text == end;
    return out;
}

QString adjusted(const QString& display, int seconds)
{
    constexpr qint64 kLongest = 60 * 60 + 59;
    const MinSec value = GetMinSecFromStr(display).numbers.value_or(MinSec{});
    const qint64 total = qBound<qint64>(0, qMax(0, value.minutes) * 60LL + qMax(0, value.seconds) + seconds, kLongest);
    return normalised({int(total / 60), int(total % 60)});
}

qint64 ElapsedSeconds::take(qint64 nowMs)
{
    const qint64 elapsed = nowMs - m_referenceMs;
    if (elapsed < 0) {
        // A monotonic scale does not run backwards; should one ever do so, start the second afresh.
        m_referenceMs = nowMs;
        return 0;
    }
    const qint64 seconds = elapsed / 1000;
    m_referenceMs += seconds * 1000;
    return seconds;
}

} // namespace gameclock

namespace gameclock {

QString shifted(const QString& display, int deltaSeconds)
{
    const MinSec value = GetMinSecFromStr(display).numbers.value_or(MinSec{});
    const int total = qMax(0, value.minutes) * 60 + qMax(0, value.seconds) + deltaSeconds;
    const int bounded = qBound(0, total, kLastDisplay);
    return normalised({bounded / 60, bounded % 60});
}

} // namespace gameclock
