#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// Where the pages get their time from. The time of day is the local wall clock, which the operator or a
// time server may set at any moment; elapsed time comes from a monotonic clock that never jumps, so a
// game clock keeps counting real seconds across such a change.
class Clock
{
public:
    virtual ~Clock() = default;
    // Local date and time of day, millisecond resolution.
    virtual QDateTime now() const = 0;
    // Milliseconds on a monotonic scale with an arbitrary origin; only differences are meaningful.
    virtual qint64 monotonicMs() const = 0;
};

class SystemClock final : public Clock
{
public:
    SystemClock();
    QDateTime now() const override;
    qint64 monotonicMs() const override;

private:
    QElapsedTimer m_started;
};
