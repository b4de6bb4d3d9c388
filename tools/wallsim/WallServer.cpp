#include "WallServer.h"

#include "wall_link/Frame.h"
#include "wall_link/WallCommands.h"

#include <QDateTime>
#include <QNetworkDatagram>

WallServer::WallServer(WallModel& model, const PermutationTable& table, const Settings& settings, QObject* parent)
    : QObject(parent), m_model(model), m_crypter(table), m_settings(settings)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &WallServer::readPending);
}

bool WallServer::start(QString* error)
{
    if (!m_settings.logFile.isEmpty()) {
        m_log.setFileName(m_settings.logFile);
        if (!m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            *error = QStringLiteral("cannot open log %1: %2").arg(m_settings.logFile, m_log.errorString());
            return false;
        }
    }
    if (!m_socket.bind(m_settings.bind, m_settings.port)) {
        *error = QStringLiteral("cannot bind %1:%2: %3")
                     .arg(m_settings.bind.toString())
                     .arg(m_settings.port)
                     .arg(m_socket.errorString());
        return false;
    }
    return true;
}

void WallServer::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(8192);
        if (!datagram.isValid())
            continue;
        handleDatagram(datagram.data(), datagram.senderAddress(), static_cast<quint16>(datagram.senderPort()));
    }
}

void WallServer::handleDatagram(const QByteArray& datagram, const QHostAddress& from, quint16 fromPort)
{
    const std::optional<QByteArray> body = frame::unframe(m_crypter, datagram);
    if (!body || body->isEmpty())
        return;
    m_peer = QStringLiteral("%1:%2").arg(from.toString()).arg(fromPort);
    const WallModel::Effects effects = m_model.apply(*body, QDateTime::currentMSecsSinceEpoch());
    // Listeners (window, screenshot) go first, so that a log line means the picture is up to date.
    Q_EMIT bodyApplied(*body);
    if (m_log.isOpen()) {
        m_log.write(body->toHex(' ').toUpper() + '\n');
        m_log.flush();
    }
    if (!m_settings.silent) {
        for (quint8 code : effects.queries) {
            if (code != wallcmd::kQueryLifeSign && code != wallcmd::kQueryDetails)
                continue;
            const QByteArray reply = frame::frameBody(
                m_crypter, wallcmd::statusReply(m_settings.columns, m_settings.rows, m_settings.version),
                TCrypter::randomKey());
            if (!reply.isEmpty())
                m_socket.writeDatagram(reply, from, fromPort);
        }
    }
    if (effects.shutdown)
        Q_EMIT shutdownRequested();
    if (effects.closeServer)
        Q_EMIT closeRequested();
}
