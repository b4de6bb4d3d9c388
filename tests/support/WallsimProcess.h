#pragma once

#include <QProcess>
#include <QStringList>

// The virtual wall as a separate process for end-to-end tests: wallsim --headless on a port, with its
// own settings folder (so no table override of the machine's user leaks in) and a log of every plain
// body it received, one line of upper-case hex bytes each ("D0 00"). Killed when destroyed.
class WallsimProcess final
{
    Q_DISABLE_COPY_MOVE(WallsimProcess)
public:
    // Keeps the log and the settings folder in workDir.
    explicit WallsimProcess(const QString& workDir);
    ~WallsimProcess();

    static QString program();

    // Starts it on port and waits until it listens; false if it did not start or ended.
    bool start(quint16 port, const QStringList& extraArguments = {});
    void stop();

    quint16 port() const { return m_port; }
    QString logFile() const { return m_log; }
    QStringList logLines() const;
    QProcess& process() { return m_process; }

private:
    QString m_dir;
    QString m_log;
    quint16 m_port = 0;
    QProcess m_process;
};
