#pragma once

#include "remote/RemoteApi.h"
#include "wall_link/WallCommands.h"

#include <QAbstractHttpServer>
#include <QList>

class Clock;
class QTcpServer;
class QWebSocket;

// The remote control on the network: HTTP and, on the same port, the events WebSocket at /api/v1/events,
// both on Qt's HTTP server and so on the program's one event loop. Requests go to RemoteApi; an upgrade
// request passes the same checks before Qt's server turns it into a WebSocket. The events go to every
// connected socket.
//
// Needs: what the remote control may do (RemoteControl) and a monotonic clock for the request rate.
class RemoteServer final : public QAbstractHttpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RemoteServer)
public:
    struct Config
    {
        bool enabled = false;
        QString address;
        quint16 port = 0; // 0: any free port (tests)
        QString token;
        bool operator==(const Config&) const = default;
    };

    RemoteServer(RemoteControl& control, const Clock& clock, QObject* parent = nullptr);
    ~RemoteServer() override;

    // Stops listening and drops every connection; then, when enabled, listens on the address and port.
    // False when that fails, with a German reason in errorString(). The same configuration again changes
    // nothing.
    bool apply(const Config& config);
    bool isListening() const;
    quint16 port() const;
    QString errorString() const { return m_error; }
    qsizetype eventClients() const { return m_clients.size(); }

    // What the events socket reports.
    void publishLinkState(LinkState state);
    void publishSent(const wallcmd::Bodies& bodies);
    void publishUnsent(const QString& page, bool unsent);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    void respond(const QHttpServerRequest& request, QTcpSocket* socket, const remote::HttpResponse& response);
    void takeWebSockets();
    void broadcast(const QByteArray& message);
    void drop(QWebSocket* socket);

    remote::RemoteApi m_api;
    RemoteControl& m_control;
    const Clock& m_clock;
    QTcpServer* m_tcp = nullptr;
    QList<QWebSocket*> m_clients;
    std::optional<remote::HttpResponse> m_upgradeRefusal; // for missingHandler, which answers it
    std::optional<Config> m_config;                       // what the server listens with; nullopt after a failure
    QString m_error;
};
