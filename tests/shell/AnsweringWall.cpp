#include "AnsweringWall.h"

#include "wall_link/Frame.h"
#include "wall_link/WallCommands.h"

#include <QNetworkDatagram>

AnsweringWall::AnsweringWall(QObject* parent) : QObject(parent)
{
    m_socket.bind(QHostAddress::AnyIPv4, 0);
    connect(&m_socket, &QUdpSocket::readyRead, this, &AnsweringWall::readPending);
}

void AnsweringWall::clear()
{
    m_bodies.clear();
    m_destinations.clear();
}

QString AnsweringWall::hex(const QByteArray& body)
{
    return QString::fromLatin1(body.toHex(' ').toUpper());
}

void AnsweringWall::sendToClient(quint16 clientPort, const QByteArray& body)
{
    m_socket.writeDatagram(frame::frameBody(m_crypter, body, TCrypter::randomKey()), QHostAddress::LocalHost,
                           clientPort);
}

void AnsweringWall::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        const std::optional<QByteArray> body = frame::unframe(m_crypter, datagram.data());
        if (!body)
            continue;
        m_bodies << hex(*body);
        m_destinations << datagram.destinationAddress();
        if (answering && body->size() >= 2 && quint8(body->at(0)) == 0x80 &&
            (quint8(body->at(1)) == wallcmd::kQueryLifeSign || quint8(body->at(1)) == wallcmd::kQueryDetails)) {
            m_socket.writeDatagram(
                frame::frameBody(m_crypter, wallcmd::statusReply(columns, rows, version), TCrypter::randomKey()),
                datagram.senderAddress(), quint16(datagram.senderPort()));
        }
        Q_EMIT received(m_bodies.last());
    }
}
