#include "app/DModule.h"

#include "wall_link/Frame.h"

TDM::TDM(const Ports& ports, const PermutationTable& table, QObject* parent)
    : QObject(parent), Crypter(table), m_ports(ports)
{
    UDPVesk.setObjectName(QStringLiteral("UDPVesk"));
    UDPVesk.RxPort = ports.wallRx;
    UDPVesk.TxPort = ports.wallTx;
    UDPCosa.setObjectName(QStringLiteral("UDPCosa"));
    UDPCosa.RxPort = ports.cosa;
    UDPCosa.TxPort = 11990;
    UDPJson.setObjectName(QStringLiteral("UDPJson"));
    UDPJson.RxPort = ports.json;
    UDPJson.TxPort = ports.json;
    connect(&UDPVesk, &TUDPVesk::OnReceive, this, &TDM::UDPVeskReceive);
}

TDM::~TDM() = default;

QString TDM::wallAddress() const
{
    return m_wallAddress ? m_wallAddress() : QStringLiteral("127.0.0.1");
}

void TDM::SendMessageTo(const QString& address, const QByteArray& body)
{
    const QByteArray datagram = frame::frameBody(Crypter, body, TCrypter::randomKey());
    if (datagram.isEmpty())
        return;
    UDPVesk.TxIPAddr = address;
    UDPVesk.TxPort = m_ports.wallTx;
    UDPVesk.SendData(datagram);
}

void TDM::sendToWall(const wallcmd::Bodies& bodies)
{
    for (const QByteArray& body : bodies)
        SendMessageTo(wallAddress(), body);
}

void TDM::UDPVeskReceive(const QString& /*host*/, quint16 /*port*/, const QByteArray& buffer)
{
    const std::optional<QByteArray> body = frame::unframe(Crypter, buffer);
    if (body)
        Q_EMIT wallBodyReceived(*body);
}
