#include "ToolTable.h"
#include "WallctlCommand.h"
#include "shell/SettingsStore.h"
#include "wall_link/WallLink.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

constexpr int kExitNoReply = 1;
constexpr int kExitBadInput = 2;

void say(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().append('\n').constData(), stream);
    std::fflush(stream);
}

// The first status reply within the time-out, from whoever answers.
std::optional<wallcmd::StatusReply> awaitStatusReply(WallLink& link, int timeoutMs)
{
    std::optional<wallcmd::StatusReply> reply;
    QEventLoop loop;
    QObject::connect(&link, &WallLink::statusReplyReceived, &loop, [&](const wallcmd::StatusReply& received) {
        reply = received;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return reply;
}

// A command line tool may wait for the name service: sending before its answer would only fail.
void awaitAddress(WallLink& link)
{
    if (!link.endpoint().targetPending())
        return;
    QEventLoop loop;
    QObject::connect(&link.endpoint(), &TUDPVesk::TargetResolved, &loop, &QEventLoop::quit);
    loop.exec();
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

    const QString wall = request.wall.isEmpty() ? SettingsStore().read().wallAddress : request.wall;
    Ports ports;
    ports.wallRx = request.localPort;
    ports.wallTx = request.port;
    WallLink link(ports, table.table);
    QString failure;
    QObject::connect(&link, &WallLink::linkFailed, &link, [&failure](const QString& text) {
        if (failure.isEmpty())
            failure = text;
    });
    link.setAddress(wall);
    awaitAddress(link);
    link.open();
    if (!link.endpoint().Active()) {
        say(stderr, QStringLiteral("wallctl: cannot bind local port %1: %2").arg(request.localPort).arg(failure));
        return kExitNoReply;
    }
    link.send(request.bodies);
    if (!failure.isEmpty()) {
        say(stderr, QStringLiteral("wallctl: sending to %1:%2 failed: %3").arg(wall).arg(request.port).arg(failure));
        return kExitNoReply;
    }
    if (!request.awaitsReply)
        return 0;

    const std::optional<wallcmd::StatusReply> reply = awaitStatusReply(link, request.timeoutMs);
    if (!reply) {
        say(stderr, QStringLiteral("wallctl: no status reply from %1:%2 within %3 ms")
                        .arg(wall)
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
