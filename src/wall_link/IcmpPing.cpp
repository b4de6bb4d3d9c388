#include "wall_link/IcmpPing.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace {

// The first IPv4 address of a dotted address or a host name. A lookup can hang on a name server that
// does not answer, so it runs beside the caller, which waits no longer than the check may take; a late
// answer is dropped.
std::optional<QHostAddress> resolve(const QString& host, const QDeadlineTimer& deadline)
{
    QHostAddress direct;
    if (direct.setAddress(host) && direct.protocol() == QAbstractSocket::IPv4Protocol)
        return direct;
    if (host.trimmed().isEmpty())
        return std::nullopt;
    auto answer = std::make_shared<std::promise<std::optional<QHostAddress>>>();
    std::future<std::optional<QHostAddress>> found = answer->get_future();
    std::thread([answer, name = host.toLocal8Bit()] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        addrinfo* list = nullptr;
        std::optional<QHostAddress> first;
        if (::getaddrinfo(name.constData(), nullptr, &hints, &list) == 0 && list != nullptr) {
            first = QHostAddress(list->ai_addr);
            ::freeaddrinfo(list);
        }
        answer->set_value(first);
    }).detach();
    if (found.wait_for(std::chrono::milliseconds(deadline.remainingTime())) != std::future_status::ready)
        return std::nullopt;
    return found.get();
}

quint16 internetChecksum(const QByteArray& data)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2)
        sum += (quint32(quint8(data[i])) << 8) | quint8(data[i + 1]);
    if (data.size() % 2)
        sum += quint32(quint8(data.back())) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

// The payload's content does not matter; the program path makes our requests easy to recognise in a capture.
QByteArray payload(int size)
{
    QByteArray bytes = QCoreApplication::applicationFilePath().toLocal8Bit().left(size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

enum class RawResult
{
    Replied,
    NoReply,
    Unavailable
};

RawResult rawEcho(const QHostAddress& address, int payloadSize, const QDeadlineTimer& deadline)
{
    const int fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0)
        return (errno == EPERM || errno == EACCES) ? RawResult::Unavailable : RawResult::NoReply;

    const quint16 id = quint16(QRandomGenerator::global()->bounded(1, 0x10000));
    const quint16 sequence = 1;
    QByteArray packet(8, '\0');
    packet[0] = 8; // echo request
    packet[4] = char(id >> 8);
    packet[5] = char(id & 0xFF);
    packet[6] = char(sequence >> 8);
    packet[7] = char(sequence & 0xFF);
    packet += payload(payloadSize);
    const quint16 sum = internetChecksum(packet);
    packet[2] = char(sum >> 8);
    packet[3] = char(sum & 0xFF);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(address.toIPv4Address());
    RawResult result = RawResult::NoReply;
    if (::sendto(fd, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) ==
        packet.size()) {
        char reply[400 + 60];
        while (!deadline.hasExpired()) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, int(deadline.remainingTime())) <= 0)
                break;
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            const ssize_t n = ::recvfrom(fd, reply, sizeof reply, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (n < 20)
                continue;
            const int ipHeader = (quint8(reply[0]) & 0x0F) * 4;
            if (n < ipHeader + 8 || from.sin_addr.s_addr != to.sin_addr.s_addr)
                continue;
            const auto* icmp = reinterpret_cast<const quint8*>(reply + ipHeader);
            // A raw socket sees every ICMP packet of the machine, our own request to 127.0.0.1 included.
            if (icmp[0] == 0 && ((icmp[4] << 8) | icmp[5]) == id && ((icmp[6] << 8) | icmp[7]) == sequence) {
                result = RawResult::Replied;
                break;
            }
        }
    }
    ::close(fd);
    return result;
}

bool programEcho(const QHostAddress& address, int payloadSize, const QDeadlineTimer& deadline)
{
    constexpr int kStartMs = 1000;
    QString ping = QStandardPaths::findExecutable(QStringLiteral("ping"));
    if (ping.isEmpty())
        ping = QStringLiteral("/usr/bin/ping");
    const qint64 leftMs = std::max<qint64>(deadline.remainingTime(), 1);
    QProcess process;
    // Only the resolved numeric address reaches the command line, never the operator's text.
    process.start(ping, {QStringLiteral("-n"), QStringLiteral("-q"), QStringLiteral("-c"), QStringLiteral("1"),
                         QStringLiteral("-s"), QString::number(payloadSize), QStringLiteral("-W"),
                         QString::number(double(leftMs) / 1000.0, 'f', 3), address.toString()});
    if (!process.waitForStarted(kStartMs))
        return false;
    // The program's own start does not count against the reply; beyond that it gets no grace: a program
    // that overstays is ended, and the host counts as silent.
    if (!process.waitForFinished(int(leftMs))) {
        process.kill();
        process.waitForFinished(kStartMs);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

bool SystemIcmpEcho::echo(const QString& host, int payloadSize, int timeoutMs)
{
    // One limit for the whole check: lookup, request and reply.
    const QDeadlineTimer deadline(timeoutMs);
    const std::optional<QHostAddress> address = resolve(host, deadline);
    if (!address)
        return false;
    if (m_method != Method::PingProgram) {
        const RawResult raw = rawEcho(*address, payloadSize, deadline);
        if (raw != RawResult::Unavailable || m_method == Method::RawSocket)
            return raw == RawResult::Replied;
    }
    return programEcho(*address, payloadSize, deadline);
}
