#pragma once

#include "pages/Clock.h"

// A clock the test sets by hand. The time of day and the monotonic scale move independently, so a test
// can set the wall clock back or forwards without any real time passing.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 5, 1), QTime(13, 4, 5, 0))) : m_now(std::move(now)) {}

    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_monotonicMs; }

    void setNow(const QDateTime& now) { m_now = now; }
    void setTime(const QTime& time) { m_now.setTime(time); }
    // Real time passing: both scales move together.
    void advance(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonicMs += ms;
    }
    // The computer's clock being set: only the time of day moves.
    void jumpWallClock(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
    qint64 m_monotonicMs = 1'000'000;
};
