#include "FtpServer.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {
const QString kPython = QStringLiteral("/usr/bin/python3");

// pyftpdlib's own server with full rights for one account, and a data connection that reads at a limited
// pace or stops reading (it leaves the server's event loop and never comes back).
const char* const kServer = R"(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer
port, home, user, password, limit, stall = sys.argv[1:7]
class Data(ThrottledDTPHandler):
    read_limit = int(limit)
    received = 0
    def recv(self, size):
        chunk = super().recv(size)
        self.received += len(chunk)
        if int(stall) and self.received >= int(stall):
            self.del_channel()
        return chunk
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm='elradfmwMT')
FTPHandler.authorizer = authorizer
FTPHandler.dtp_handler = Data
FTPServer(('127.0.0.1', int(port)), FTPHandler).serve_forever()
)";
} // namespace

FtpServer::FtpServer(const QString& user, const QString& password, FtpPace pace)
    : m_user(user), m_password(password), m_pace(pace)
{}

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
    m_process.start(kPython,
                    {QStringLiteral("-c"), QString::fromLatin1(kServer), QString::number(m_port), m_home.path(), m_user,
                     m_password, QString::number(m_pace.readLimit), QString::number(m_pace.stallAfter)});
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
