#include "wall_link/Sleeper.h"

#include <QElapsedTimer>
#include <QEventLoop>

TSleeper::TSleeper(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // never early: callers wait for a reply at least this long
    m_timer.setInterval(60);
}

qint64 TSleeper::Sleep(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    if (m_timer.interval() != ms)
        m_timer.setInterval(ms);
    QEventLoop loop;
    const QMetaObject::Connection done = connect(&m_timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_timer.start();
    Q_EMIT sleeping(ms);
    loop.exec();
    disconnect(done);
    return elapsed.elapsed();
}
