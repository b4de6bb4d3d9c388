#include "app/DModule.h"

#include "wall_link/Frame.h"

TDM::TDM(const Ports& ports, const PermutationTable& table, QObject* parent, IcmpEcho* icmp)
    : QObject(parent), Crypter(table), m_ownIcmp(icmp ? nullptr : std::make_unique<SystemIcmpEcho>()),
      ZELTools(icmp ? *icmp : *m_ownIcmp), m_ports(ports)
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
    connect(this, &TDM::wallBodyReceived, this, &TDM::interpretReply);
    connect(&UDPVesk, &TUDPVesk::OnError, this, &TDM::UDPVeskError);
    connect(&UDPJson, &TUDPVesk::OnError, this, &TDM::UDPVeskError);

    Sleeper.setObjectName(QStringLiteral("Sleeper"));
    Sleeper.setInterval(60);
    TimerPing.setObjectName(QStringLiteral("TimerPing"));
    TimerPing.setInterval(2000);
    connect(&TimerPing, &QTimer::timeout, this, &TDM::TimerPingTimer);
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

void TDM::setLinkLight(TLedBtnColor light)
{
    if (light == m_linkLight)
        return;
    m_linkLight = light;
    Q_EMIT linkLightChanged(light);
}

void TDM::TimerPingTimer()
{
    setLinkLight(TLedBtnColor::LedRed);
    sendToWall(wallcmd::lifeSignQuery());
}

void TDM::GLPingClick()
{
    if (!TimerPing.isActive())
        TimerPing.start();
    TimerPingTimer();
}

void TDM::berServer1Click()
{
    m_detailsRequested = true;
    sendToWall(wallcmd::detailsQuery());
}

void TDM::interpretReply(const QByteArray& body)
{
    const std::optional<wallcmd::StatusReply> reply = wallcmd::parseStatusReply(body);
    if (!reply)
        return;
    setLinkLight(TLedBtnColor::LedGreen);
    // A reply too short to carry the size keeps the size we know.
    if (reply->hasSize) {
        m_wallColumns = reply->columns;
        m_wallRows = reply->rows;
    }
    if (m_detailsRequested) {
        m_detailsRequested = false;
        Q_EMIT serverDetailsReceived(reply->version);
    }
}

void TDM::UDPVeskError(int /*errorNo*/, const QString& msg)
{
    Q_EMIT linkFailed(QStringLiteral("Socketfehler: ") + msg);
}
