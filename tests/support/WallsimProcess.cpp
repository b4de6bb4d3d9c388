#include "support/WallsimProcess.h"

#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTest>

WallsimProcess::WallsimProcess(const QString& workDir) : m_dir(workDir) {}

WallsimProcess::~WallsimProcess()
{
    stop();
}

QString WallsimProcess::program()
{
    return QDir(testsupport::binaryDir()).filePath(QStringLiteral("tools/wallsim/wallsim"));
}

bool WallsimProcess::start(quint16 port, const QStringList& extraArguments)
{
    stop();
    m_port = port;
    m_log = QDir(m_dir).filePath(QStringLiteral("wall-%1.log").arg(port));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(m_dir).filePath(QStringLiteral("wallsim-config")));
    m_process.setProcessEnvironment(env);
    m_process.start(program(), QStringList{QStringLiteral("--headless"), QStringLiteral("--port"),
                                           QString::number(port), QStringLiteral("--log"), m_log}
                                   << extraArguments);
    if (!m_process.waitForStarted())
        return false;
    return QTest::qWaitFor(
               [this] {
                   return m_process.state() != QProcess::Running || m_process.peek(4096).contains("listening on");
               },
               10000) &&
           m_process.state() == QProcess::Running;
}

void WallsimProcess::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QStringList WallsimProcess::logLines() const
{
    QFile f(m_log);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
