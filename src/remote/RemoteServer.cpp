#include "remote/RemoteServer.h"

#include "pages/Clock.h"
#include "remote/RemoteEvents.h"
#include "shell/LogCategories.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMetaEnum>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <sys/socket.h>

namespace {

// Request line and headers beyond the largest body a request may have.
constexpr qint64 kMaxRequestBytes = remote::kMaxBody + 16 * 1024;
constexpr const char* kReceived = "brisalReceived";
constexpr int kLingerMs = 2000;
// An events client that does not read falls behind; beyond this much unsent it is dropped.
constexpr qint64 kMaxEventBacklog = 1024 * 1024;
constexpr qsizetype kMaxEventClients = 32;
constexpr qint64 kMaxClientMessage = 4096;

const QString kEventsPath = QStringLiteral("/api/v1/events");

// Answers 413 and ends the connection without reading the rest. The answer must reach a client that is
// still sending: closing with unread input would reset the connection and lose it, so the sending side is
// shut first and what still arrives is read and dropped for a moment (a lingering close).
void refuseOversized(QTcpSocket* socket)
{
    qCWarning(lcRemote) << "request over" << kMaxRequestBytes << "bytes from" << socket->peerAddress() << "cut off";
    // Neither the HTTP server nor the guard read from it any more.
    QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
    if (socket->isTransactionStarted())
        socket->commitTransaction();
    const remote::HttpResponse r =
        remote::RemoteApi::refusal({413, {}, QStringLiteral("Die Anfrage ist größer als 64 KiB.")});
    socket->write("HTTP/1.1 413 Payload Too Large\r\nContent-Type: application/json\r\nContent-Length: " +
                  QByteArray::number(r.body.size()) + "\r\nConnection: close\r\n\r\n" + r.body);
    socket->flush();
    ::shutdown(int(socket->socketDescriptor()), SHUT_WR);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->skip(socket->bytesAvailable()); });
    QTimer::singleShot(kLingerMs, socket, &QTcpSocket::abort);
}

// Qt's HTTP server reads a whole request into memory before it hands it on. Counting what a connection has
// sent since its last request was answered ends one that would not fit long before all of it is in.
class GuardedTcpServer final : public QTcpServer
{
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setProperty(kReceived, 0);
        // Connected before the HTTP server's own handler, so it sees every piece first.
        connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            const qint64 received = socket->property(kReceived).toLongLong() + socket->bytesAvailable();
            socket->setProperty(kReceived, received);
            if (received > kMaxRequestBytes)
                refuseOversized(socket);
        });
        addPendingConnection(socket);
    }
};

QByteArray methodName(QHttpServerRequest::Method method)
{
    const char* key = QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(int(method));
    return key ? QByteArray(key).toUpper() : QByteArrayLiteral("UNKNOWN");
}

} // namespace

RemoteServer::RemoteServer(RemoteControl& control, const Clock& clock, QObject* parent)
    : QAbstractHttpServer(parent), m_api(control), m_control(control), m_clock(clock)
{
    setObjectName(QStringLiteral("RemoteServer"));
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &RemoteServer::takeWebSockets);
}

RemoteServer::~RemoteServer() = default;

bool RemoteServer::apply(const Config& config)
{
    if (m_config == config)
        return true;
    m_config.reset();
    for (QWebSocket* client : std::as_const(m_clients)) {
        client->disconnect(this);
        client->close(QWebSocketProtocol::CloseCodeGoingAway);
        client->deleteLater();
    }
    m_clients.clear();
    if (m_tcp) {
        m_tcp->close();
        // Connections kept open from before must not go on under the old address, port or token.
        for (QTcpSocket* connection : m_tcp->findChildren<QTcpSocket*>())
            connection->abort();
    }
    m_error.clear();
    m_api.setAccess(config.token, remote::isLoopback(config.address));
    if (!config.enabled) {
        m_config = config;
        return true;
    }
    QHostAddress address;
    if (!address.setAddress(config.address)) {
        m_error = QStringLiteral("Fernsteuerung: \"%1\" ist keine IP-Adresse.").arg(config.address);
        return false;
    }
    const bool bound = m_tcp != nullptr;
    if (!m_tcp)
        m_tcp = new GuardedTcpServer(this);
    if (!m_tcp->listen(address, config.port)) {
        m_error = QStringLiteral("Fernsteuerung: Port %1 auf %2 kann nicht geöffnet werden (%3).")
                      .arg(config.port)
                      .arg(config.address, m_tcp->errorString());
        return false;
    }
    if (!bound)
        bind(m_tcp);
    m_config = config;
    qCInfo(lcRemote) << "remote control listening on" << config.address << m_tcp->serverPort();
    return true;
}

bool RemoteServer::isListening() const
{
    return m_tcp && m_tcp->isListening();
}

quint16 RemoteServer::port() const
{
    return m_tcp ? m_tcp->serverPort() : 0;
}

bool RemoteServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    socket->setProperty(kReceived, 0);
    // The guard has answered already.
    if (socket->state() != QAbstractSocket::ConnectedState)
        return true;
    remote::HttpRequest r;
    r.method = methodName(request.method());
    r.path = request.url().path();
    r.authorization = request.value("authorization");
    r.queryToken = request.query().queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded);
    r.host = request.value("host");
    r.origin = request.value("origin");
    bool ok = false;
    const qint64 length = request.value("content-length").toLongLong(&ok);
    r.contentLength = ok ? length : -1;
    r.body = request.body();
    r.peer = request.remoteAddress().toString();
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
        // Qt's server turns an upgrade into a WebSocket when this answers true, and otherwise lets
        // missingHandler answer and closes the connection.
        m_upgradeRefusal = m_api.admit(r, m_clock.monotonicMs());
        if (!m_upgradeRefusal && r.path != kEventsPath)
            m_upgradeRefusal = remote::RemoteApi::refusal({404, {}, QStringLiteral("Unbekannter Pfad.")});
        if (!m_upgradeRefusal && m_clients.size() >= kMaxEventClients)
            m_upgradeRefusal = remote::RemoteApi::refusal({503, {}, QStringLiteral("Zu viele Ereignis-Verbindungen.")});
        qCDebug(lcRemote) << r.peer << "events socket" << (m_upgradeRefusal ? m_upgradeRefusal->status : 101);
        return !m_upgradeRefusal;
    }
    const remote::HttpResponse response = m_api.handle(r, m_clock.monotonicMs());
    qCDebug(lcRemote) << r.peer << r.method << r.path << response.status;
    respond(request, socket, response);
    return true;
}

void RemoteServer::respond(const QHttpServerRequest& request, QTcpSocket* socket, const remote::HttpResponse& response)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(QHttpServerResponder::StatusCode(response.status));
    responder.writeHeader("Content-Type", response.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
    for (const auto& [name, value] : response.headers)
        responder.writeHeader(name, value);
    responder.writeBody(response.body);
    // Out now rather than at the loop's next turn, which may first repaint the window the call changed.
    socket->flush();
}

void RemoteServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const std::optional<remote::HttpResponse> refusal = std::exchange(m_upgradeRefusal, std::nullopt);
    respond(request, socket,
            refusal.value_or(remote::RemoteApi::refusal({404, {}, QStringLiteral("Unbekannter Pfad.")})));
}

void RemoteServer::takeWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        QWebSocket* socket = nextPendingWebSocketConnection().release();
        socket->setParent(this);
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
        socket->setMaxAllowedIncomingFrameSize(kMaxClientMessage);
        socket->setMaxAllowedIncomingMessageSize(kMaxClientMessage);
        m_clients << socket;
        socket->sendTextMessage(QString::fromUtf8(remote::statusEvent(m_control.status(), m_api.enabledPages())));
    }
}

void RemoteServer::drop(QWebSocket* socket)
{
    m_clients.removeOne(socket);
    socket->deleteLater();
}

void RemoteServer::broadcast(const QByteArray& message)
{
    const QString text = QString::fromUtf8(message);
    for (QWebSocket* client : QList<QWebSocket*>(m_clients)) {
        if (client->bytesToWrite() > kMaxEventBacklog) {
            qCWarning(lcRemote) << "events client" << client->peerAddress() << "does not read; dropped";
            client->abort();
            drop(client);
            continue;
        }
        client->sendTextMessage(text);
    }
}

void RemoteServer::publishLinkState(LinkState state)
{
    broadcast(remote::linkEvent(state));
}

void RemoteServer::publishSent(const wallcmd::Bodies& bodies)
{
    if (m_clients.isEmpty())
        return;
    if (const std::optional<QByteArray> event = remote::sentEvent(bodies))
        broadcast(*event);
}

void RemoteServer::publishUnsent(const QString& page, bool unsent)
{
    broadcast(remote::unsentEvent(page, unsent));
}
