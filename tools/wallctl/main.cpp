#include "ToolTable.h"
#include "WallctlCommand.h"
#include "wall_link/Crypter.h"
#include "wall_link/Frame.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QSettings>
#include <QUdpSocket>

#include <cstdio>

namespace {

constexpr int kExitNoReply = 1;
constexpr int kExitBadInput = 2;

void say(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().append('\n').constData(), stream);
    std::fflush(stream);
}

QString storedWallAddress()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZEL"),
                             QStringLiteral("BrisalClient"));
    const QString stored = settings.value(QStringLiteral("Main/IPServer")).toString().trimmed();
    return stored.isEmpty() ? QStringLiteral("127.0.0.1") : stored;
}

QHostAddress resolveIPv4(const QString& name)
{
    QHostAddress direct;
    if (direct.setAddress(name))
        return direct.protocol() == QAbstractSocket::IPv4Protocol ? direct : QHostAddress();
    for (const QHostAddress& address : QHostInfo::fromName(name).addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    }
    return {};
}

// The first status reply within the time-out, from whoever answers.
std::optional<wallcmd::StatusReply> awaitStatusReply(QUdpSocket& socket, TCrypter& crypter, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            continue;
        while (socket.hasPendingDatagrams()) {
            const std::optional<QByteArray> body = frame::unframe(crypter, socket.receiveDatagram(8192).data());
            if (!body)
                continue;
            if (std::optional<wallcmd::StatusReply> reply = wallcmd::parseStatusReply(*body))
                return reply;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const WallctlParse parsed = parseWallctl(QCoreApplication::arguments().mid(1));
    if (!parsed.request) {
        say(stderr, QStringLiteral("wallctl: ") + parsed.error);
        return kExitBadInput;
    }
    const WallctlRequest& request = *parsed.request;
    if (request.help) {
        say(stdout, wallctlUsage());
        return 0;
    }

    const TableChoice table = chooseToolTable(QStringLiteral("wallctl"), request.tableFile);
    for (const QString& message : table.messages)
        say(stderr, QStringLiteral("wallctl: ") + message);

    const QString wall = request.wall.isEmpty() ? storedWallAddress() : request.wall;
    const QHostAddress target = resolveIPv4(wall);
    if (target.isNull()) {
        say(stderr, QStringLiteral("wallctl: wall address \"%1\" is not an IPv4 address or known host name").arg(wall));
        return kExitBadInput;
    }

    QUdpSocket socket;
    if (!socket.bind(QHostAddress::AnyIPv4, request.localPort)) {
        say(stderr,
            QStringLiteral("wallctl: cannot bind local port %1: %2").arg(request.localPort).arg(socket.errorString()));
        return kExitNoReply;
    }
    TCrypter crypter(table.table);
    for (const QByteArray& body : request.bodies) {
        const QByteArray datagram = frame::frameBody(crypter, body, TCrypter::randomKey());
        if (socket.writeDatagram(datagram, target, request.port) != datagram.size()) {
            say(stderr, QStringLiteral("wallctl: sending to %1:%2 failed: %3")
                            .arg(target.toString())
                            .arg(request.port)
                            .arg(socket.errorString()));
            return kExitNoReply;
        }
    }
    if (!request.awaitsReply)
        return 0;

    const std::optional<wallcmd::StatusReply> reply = awaitStatusReply(socket, crypter, request.timeoutMs);
    if (!reply) {
        say(stderr, QStringLiteral("wallctl: no status reply from %1:%2 within %3 ms")
                        .arg(target.toString())
                        .arg(request.port)
                        .arg(request.timeoutMs));
        return kExitNoReply;
    }
    if (!reply->hasSize) {
        say(stdout, QStringLiteral("columns=? rows=? version="));
        return 0;
    }
    say(stdout,
        QStringLiteral("columns=%1 rows=%2 version=%3").arg(reply->columns).arg(reply->rows).arg(reply->version));
    return 0;
}
