#include "FtpServer.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {
const QString kPython = QStringLiteral("/usr/bin/python3");
}

FtpServer::FtpServer(const QString& user, const QString& password) : m_user(user), m_password(password) {}

FtpServer::~FtpServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool FtpServer::available()
{
    return QProcess::execute(kPython, {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")}) == 0;
}

quint16 FtpServer::freeTcpPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool FtpServer::start()
{
    m_port = freeTcpPort();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(kPython, {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                              QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(m_port),
                              QStringLiteral("-d"), m_home.path(), QStringLiteral("-w"), QStringLiteral("-u"), m_user,
                              QStringLiteral("-P"), m_password});
    if (!m_process.waitForStarted(5000))
        return false;
    for (int i = 0; i < 100 && m_process.state() == QProcess::Running; ++i) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, m_port);
        if (s.waitForConnected(200))
            return true;
        QTest::qWait(50);
    }
    return false;
}

QByteArray FtpServer::content(const QString& name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
