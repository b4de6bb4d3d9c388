#include "pages/Clock.h"

SystemClock::SystemClock()
{
    m_started.start();
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::monotonicMs() const
{
    return m_started.elapsed();
}
