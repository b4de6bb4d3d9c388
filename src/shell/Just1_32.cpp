#include "shell/Just1_32.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

TJustOne32::TJustOne32(const QString& lockName, const QString& lockFolder, QObject* parent)
    : QObject(parent), m_lockName(lockName), m_folder(lockFolder)
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (m_folder.isEmpty())
        m_folder = QDir::tempPath();
    QDir().mkpath(m_folder);
    m_lock = std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + m_lockName + QStringLiteral(".lock"));
    // A lock left by a copy that died is taken over (QLockFile checks whether its owner still lives).
    m_lock->setStaleLockTime(0);
    m_previous = !m_lock->tryLock(0);
    if (m_previous)
        m_lock.reset();
}

TJustOne32::~TJustOne32()
{
    if (m_server)
        m_server->close();
}

QString TJustOne32::socketPath() const
{
    return m_folder + QLatin1Char('/') + m_lockName + QStringLiteral(".raise");
}

bool TJustOne32::handOver(int timeoutMs)
{
    // The first copy may still be starting and not listen yet: keep trying until the time is up.
    const QDeadlineTimer deadline(timeoutMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            socket.write("raise\n");
            const bool sent = socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())));
            socket.disconnectFromServer();
            if (sent)
                return true;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

void TJustOne32::listen(std::function<void()> raise)
{
    if (m_previous || m_server)
        return;
    m_raise = std::move(raise);
    // Only the holder of the lock gets here, so a socket file left behind is stale.
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(socketPath()))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("raise") && m_raise)
                    m_raise();
            });
        }
    });
}
