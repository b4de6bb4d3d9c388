#include "SignalWatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A signal handler can reach nothing but a plain static; one watcher per process is all we need.
int g_writeFd = -1;

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_writeFd, &byte, 1);
}
} // namespace

SignalWatcher::SignalWatcher(int signalNumber, QObject* parent) : QObject(parent), m_signal(signalNumber)
{
    if (g_writeFd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, m_fds) != 0)
        return;
    g_writeFd = m_fds[0];
    m_notifier = new QSocketNotifier(m_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(m_fds[1], &byte, 1) == 1)
            Q_EMIT raised();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(m_signal, &action, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    if (m_notifier == nullptr)
        return;
    ::signal(m_signal, SIG_DFL);
    g_writeFd = -1;
    ::close(m_fds[0]);
    ::close(m_fds[1]);
}
