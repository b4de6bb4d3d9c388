#pragma once

#include <QObject>

class QSocketNotifier;

// Turns a Unix signal (SIGUSR1: write a screenshot) into a Qt signal on the event loop. The handler
// only writes one byte into a socket pair, which is all a signal handler may safely do.
class SignalWatcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignalWatcher)
public:
    explicit SignalWatcher(int signalNumber, QObject* parent = nullptr);
    ~SignalWatcher() override;

    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void raised();

private:
    int m_signal;
    int m_fds[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};
