#include "remote/RemoteApi.h"

#include "remote/RemoteEvents.h"

#include <nlohmann/json.hpp>

#include <QRandomGenerator>
#include <QUrl>

namespace remote {

namespace {

const QString kApi = QStringLiteral("/api/v1/");
const QByteArray kJson = QByteArrayLiteral("application/json");

// Compares in a time that does not depend on where the texts differ.
bool sameSecret(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

QByteArray presentedToken(const HttpRequest& request)
{
    const QByteArray header = request.authorization.trimmed();
    if (header.size() > 7 && header.left(7).compare("Bearer ", Qt::CaseInsensitive) == 0)
        return header.mid(7).trimmed();
    return request.queryToken.toUtf8();
}

// The host of a Host header or an Origin, without scheme and port.
QString hostName(const QByteArray& text)
{
    const QByteArray withScheme = text.contains("://") ? text : QByteArrayLiteral("http://") + text;
    return QUrl(QString::fromLatin1(withScheme)).host();
}

HttpResponse json(int status, const QByteArray& body)
{
    return {status, kJson, body, {}};
}

} // namespace

bool isLoopback(const QString& address)
{
    return address == QLatin1String("127.0.0.1") || address == QLatin1String("::1");
}

QString newToken()
{
    QByteArray bytes(24, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

bool RateLimit::admit(const QString& peer, qint64 nowMs)
{
    // Peers that have been quiet for a second are forgotten, so many peers cannot make the table grow.
    if (m_recent.size() > 256) {
        for (auto it = m_recent.begin(); it != m_recent.end();)
            it = it->empty() || nowMs - it->back() >= 1000 ? m_recent.erase(it) : std::next(it);
    }
    std::deque<qint64>& times = m_recent[peer];
    while (!times.empty() && nowMs - times.front() >= 1000)
        times.pop_front();
    if (qsizetype(times.size()) >= kMaxRequestsPerSecond)
        return false;
    times.push_back(nowMs);
    return true;
}

RemoteApi::RemoteApi(RemoteControl& control) : m_control(control) {}

void RemoteApi::setAccess(const QString& token, bool loopbackOnly)
{
    m_token = token;
    m_loopbackOnly = loopbackOnly;
}

HttpResponse RemoteApi::refusal(const Failure& failure)
{
    nlohmann::ordered_json body{{"error", failure.message.toStdString()}};
    if (!failure.field.isEmpty())
        body["field"] = failure.field.toStdString();
    return json(failure.status, QByteArray::fromStdString(body.dump()));
}

std::optional<HttpResponse> RemoteApi::admit(const HttpRequest& request, qint64 nowMs)
{
    if (!m_rate.admit(request.peer, nowMs)) {
        HttpResponse r =
            refusal({429, {}, QStringLiteral("Mehr als %1 Anfragen in einer Sekunde.").arg(kMaxRequestsPerSecond)});
        r.headers.emplace_back("Retry-After", "1");
        return r;
    }
    const bool tokenRequired = !m_loopbackOnly || !m_token.isEmpty();
    if (tokenRequired && (m_token.isEmpty() || !sameSecret(presentedToken(request), m_token.toUtf8()))) {
        HttpResponse r =
            refusal({401,
                     {},
                     m_token.isEmpty()
                         ? QStringLiteral(
                               "Auf dieser Adresse braucht die Fernsteuerung ein Token; es fehlt in der Konfiguration.")
                         : QStringLiteral("Token fehlt oder ist falsch (Authorization: Bearer …).")});
        r.headers.emplace_back("WWW-Authenticate", "Bearer realm=\"Brisal Client\"");
        return r;
    }
    // A web page in a browser on this computer must not drive the wall: not from another origin, and
    // without a token not under a name that merely resolves to this computer.
    const QString host = hostName(request.host);
    const bool foreignOrigin = !request.origin.isEmpty() && hostName(request.origin) != host;
    const bool foreignHost = !tokenRequired && !request.host.isEmpty() && host != QLatin1String("127.0.0.1") &&
                             host != QLatin1String("localhost") && host != QLatin1String("::1");
    if (foreignOrigin || foreignHost)
        return refusal({403, {}, QStringLiteral("Anfragen aus fremden Webseiten werden abgewiesen.")});
    if (request.contentLength > kMaxBody || request.body.size() > kMaxBody)
        return refusal({413, {}, QStringLiteral("Der Inhalt ist größer als 64 KiB.")});
    return std::nullopt;
}

HttpResponse RemoteApi::handle(const HttpRequest& request, qint64 nowMs)
{
    if (std::optional<HttpResponse> refused = admit(request, nowMs))
        return *refused;
    return route(request);
}

HttpResponse RemoteApi::route(const HttpRequest& request)
{
    const bool get = request.method == "GET";
    const bool post = request.method == "POST";
    auto only = [&](bool allowed, const char* method, auto&& answer) -> HttpResponse {
        if (allowed)
            return answer();
        HttpResponse r = refusal({405, {}, QStringLiteral("Erlaubt ist nur %1.").arg(QLatin1String(method))});
        r.headers.emplace_back("Allow", method);
        return r;
    };
    const QString& path = request.path;
    if (path == QLatin1String("/"))
        return only(get, "GET", [] { return HttpResponse{200, "text/html; charset=utf-8", statusPage(), {}}; });
    if (path == kApi + QLatin1String("status"))
        return only(get, "GET", [this] { return statusResponse(); });
    if (path == kApi + QLatin1String("monitor.png")) {
        return only(get, "GET", [this] {
            const QByteArray png = m_control.monitorPng();
            if (png.isEmpty())
                return refusal({404, {}, QStringLiteral("Kein Monitorbild vorhanden.")});
            return HttpResponse{200, "image/png", png, {{"Cache-Control", "no-store"}}};
        });
    }
    if (path == kApi + QLatin1String("events"))
        return refusal({426, {}, QStringLiteral("Hier antwortet ein WebSocket.")});
    if (path == kApi + QLatin1String("erase")) {
        return only(post, "POST", [&] {
            if (const std::optional<Failure> failure = parseEmpty(request.body))
                return refusal(*failure);
            if (m_control.status().link != LinkState::Up)
                return refusal({503, {}, QStringLiteral("Die Videowand antwortet nicht.")});
            m_control.erase();
            return statusResponse();
        });
    }
    const QString pages = kApi + QLatin1String("pages/");
    if (path.startsWith(pages))
        return only(post, "POST", [&] { return page(path.mid(pages.size()), request.body); });
    return refusal({404, {}, QStringLiteral("Unbekannter Pfad.")});
}

HttpResponse RemoteApi::page(const QString& name, const QByteArray& body)
{
    const std::optional<PageKind> kind = pageKind(name);
    if (!kind)
        return refusal({404, QStringLiteral("page"), QStringLiteral("Unbekannte Seite \"%1\".").arg(name.left(64))});
    if (!m_control.pageEnabled(*kind))
        return refusal({404, QStringLiteral("page"),
                        QStringLiteral("Die Seite \"%1\" ist in den Einstellungen nicht eingeschaltet.").arg(name)});
    const std::variant<PageCommand, Failure> parsed = parsePage(*kind, body);
    if (const Failure* failure = std::get_if<Failure>(&parsed))
        return refusal(*failure);
    if (m_control.status().link != LinkState::Up)
        return refusal({503, {}, QStringLiteral("Die Videowand antwortet nicht.")});
    if (!m_control.apply(std::get<PageCommand>(parsed)))
        return refusal({503, {}, QStringLiteral("Die Startleiste öffnet gerade selbst eine Seite.")});
    return statusResponse();
}

QStringList RemoteApi::enabledPages() const
{
    QStringList out;
    for (PageKind kind : {PageKind::Clock, PageKind::Soccer, PageKind::Football, PageKind::Text, PageKind::Sets}) {
        if (m_control.pageEnabled(kind))
            out << pageName(kind);
    }
    return out;
}

HttpResponse RemoteApi::statusResponse() const
{
    return json(200, statusJson(m_control.status(), enabledPages()));
}

} // namespace remote
