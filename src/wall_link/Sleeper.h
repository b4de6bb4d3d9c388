#pragma once

#include <QObject>
#include <QTimer>

// A wait that keeps the event loop running: timers, received datagrams and operator input are all
// handled while it lasts, so any handler may be entered again during a wait.
class TSleeper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSleeper)
public:
    explicit TSleeper(QObject* parent = nullptr);

    int Interval() const { return m_timer.interval(); }
    void setInterval(int ms) { m_timer.setInterval(ms); }

    // Waits ms milliseconds; returns the milliseconds that really passed. A wait begun inside another
    // wait restarts the one internal timer, and its firing ends both, as with a single one-shot timer.
    qint64 Sleep(int ms);

Q_SIGNALS:
    // A wait of ms milliseconds begins.
    void sleeping(int ms);

private:
    QTimer m_timer;
};
