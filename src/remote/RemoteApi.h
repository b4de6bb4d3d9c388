#pragma once

#include "remote/RemoteControl.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <deque>
#include <optional>

// The remote control's HTTP interface without sockets: a request in, the answer out. Every request first
// passes the same checks, in this order: at most 50 requests per second from one peer (429), the
// access token (401), requests from foreign web pages (403), at most 64 KiB of body (413). Then the route
// (404, 405), the body (400, 422), the wall (503). A refused request changes nothing.
namespace remote {

struct HttpRequest
{
    QByteArray method;         // "GET", "POST", …
    QString path;              // "/api/v1/status"
    QByteArray authorization;  // the Authorization header
    QString queryToken;        // the query's "token", for browsers that cannot set the header
    QByteArray host;           // the Host header
    QByteArray origin;         // the Origin header, which browsers send from web pages
    qint64 contentLength = -1; // the Content-Length header; -1 without one
    QByteArray body;
    QString peer; // the caller's address
};

struct HttpResponse
{
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<std::pair<QByteArray, QByteArray>> headers; // beyond the content type
};

constexpr qsizetype kMaxBody = 64 * 1024;
constexpr int kMaxRequestsPerSecond = 50;

// Only 127.0.0.1 and ::1 count as this computer; any other address, 127.0.0.2 included, stands for a
// network that others may reach.
bool isLoopback(const QString& address);
// A new access token: 32 characters from the system's random source (24 bytes, base64url).
QString newToken();

// More than kMaxRequestsPerSecond requests from one peer within any second are refused.
class RateLimit final
{
public:
    bool admit(const QString& peer, qint64 nowMs);

private:
    QHash<QString, std::deque<qint64>> m_recent; // per peer, the times of its last requests
};

class RemoteApi final
{
public:
    explicit RemoteApi(RemoteControl& control);

    // The token every request must bring; listening beyond loopback, requests need one even when none is
    // set (and are then all refused).
    void setAccess(const QString& token, bool loopbackOnly);

    HttpResponse handle(const HttpRequest& request, qint64 nowMs);
    // The checks before any route, which the events socket passes too; nullopt when admitted.
    std::optional<HttpResponse> admit(const HttpRequest& request, qint64 nowMs);

    // The answer to a refusal: {"error": "…", "field": "…"}.
    static HttpResponse refusal(const Failure& failure);
    QStringList enabledPages() const;

private:
    HttpResponse route(const HttpRequest& request);
    HttpResponse page(const QString& name, const QByteArray& body);
    HttpResponse statusResponse() const;

    RemoteControl& m_control;
    RateLimit m_rate;
    QString m_token;
    bool m_loopbackOnly = true;
};

// The status page for a producer's browser (GET /): the monitor picture and the status, refreshed every
// second by a few lines of script.
QByteArray statusPage();

} // namespace remote
