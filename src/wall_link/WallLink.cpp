#include "wall_link/WallLink.h"

#include "shell/LogCategories.h"
#include "wall_link/Frame.h"

namespace {
constexpr int kSupervisionMs = 2000;

const char* stateName(LinkState state)
{
    switch (state) {
    case LinkState::Up:
        return "up";
    case LinkState::Waiting:
        return "waiting";
    case LinkState::Unknown:
        break;
    }
    return "unknown";
}
} // namespace

WallLink::WallLink(const Ports& ports, const PermutationTable& table, QObject* parent)
    : QObject(parent), m_crypter(table)
{
    m_endpoint.setObjectName(QStringLiteral("UDPVesk"));
    m_endpoint.RxPort = ports.wallRx;
    m_endpoint.TxPort = ports.wallTx;
    connect(&m_endpoint, &TUDPVesk::OnReceive, this, &WallLink::receive);
    connect(&m_endpoint, &TUDPVesk::OnError, this, [this](int, const QString& msg) {
        qCWarning(lcLink) << "socket error:" << msg;
        Q_EMIT linkFailed(QStringLiteral("Socketfehler: ") + msg);
    });
    connect(this, &WallLink::bodyReceived, this, &WallLink::interpretReply);
    // A wall port that another program held: the supervision asks the wall as soon as it is bound.
    m_endpoint.setRebindInterval(TUDPVesk::kRebindMs);
    connect(&m_endpoint, &TUDPVesk::Bound, this, [this] {
        if (m_supervision.isActive())
            queryLifeSign();
    });
    // The queries refused while the name was looked up are asked again at once.
    connect(&m_endpoint, &TUDPVesk::TargetResolved, this, [this] {
        if (m_supervision.isActive())
            queryLifeSign();
    });

    m_supervision.setObjectName(QStringLiteral("TimerPing"));
    m_supervision.setInterval(kSupervisionMs);
    connect(&m_supervision, &QTimer::timeout, this, &WallLink::superviseTick);
}

void WallLink::send(const wallcmd::Bodies& bodies)
{
    wallcmd::Bodies sent;
    for (const QByteArray& body : bodies) {
        const QByteArray datagram = frame::frameBody(m_crypter, body, TCrypter::randomKey());
        if (datagram.isEmpty()) {
            qCWarning(lcLink) << "body of" << body.size() << "bytes not sent: empty or too long";
            continue;
        }
        m_endpoint.TxIPAddr = m_address;
        if (m_endpoint.SendData(datagram) > 0)
            sent << body;
    }
    if (!sent.isEmpty())
        Q_EMIT bodiesSent(sent);
}

void WallLink::setAddress(const QString& address)
{
    m_address = address;
    m_endpoint.TxIPAddr = address;
    m_endpoint.resolveTarget();
}

void WallLink::receive(const QString& /*host*/, quint16 /*port*/, const QByteArray& datagram)
{
    const std::optional<QByteArray> body = frame::unframe(m_crypter, datagram);
    if (body)
        Q_EMIT bodyReceived(*body);
}

void WallLink::setState(LinkState state)
{
    if (state == m_state)
        return;
    // Debug: the supervision turns the state round every 2 s.
    qCDebug(lcLink) << "link state" << stateName(m_state) << "->" << stateName(state);
    m_state = state;
    Q_EMIT stateChanged(state);
}

void WallLink::queryLifeSign()
{
    setState(LinkState::Waiting);
    m_awaitingReply = true;
    send(wallcmd::lifeSignQuery());
}

void WallLink::superviseTick()
{
    if (m_state != LinkState::Up || m_awaitingReply) {
        queryLifeSign();
        return;
    }
    m_awaitingReply = true;
    send(wallcmd::lifeSignQuery());
}

void WallLink::startSupervision()
{
    if (!m_supervision.isActive())
        m_supervision.start();
    queryLifeSign();
}

void WallLink::requestDetails()
{
    m_detailsRequested = true;
    send(wallcmd::detailsQuery());
}

void WallLink::interpretReply(const QByteArray& body)
{
    const std::optional<wallcmd::StatusReply> reply = wallcmd::parseStatusReply(body);
    if (!reply)
        return;
    m_awaitingReply = false;
    setState(LinkState::Up);
    // A reply too short to carry the size keeps the size we know.
    if (reply->hasSize)
        m_textSize = {reply->columns, reply->rows};
    Q_EMIT statusReplyReceived(*reply);
    if (m_detailsRequested) {
        m_detailsRequested = false;
        Q_EMIT serverDetailsReceived(reply->version);
    }
}
