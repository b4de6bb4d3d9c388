#include "wall_link/UDPVesk.h"

#include <QHash>
#include <QMetaMethod>
#include <QSocketNotifier>
#include <QThread>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

const QHash<int, QString>& errorTable()
{
    static const QHash<int, QString> table = {
        {10004, QStringLiteral("Interrupted system call")},
        {10009, QStringLiteral("Bad file number")},
        {10013, QStringLiteral("Permission denied")},
        {10014, QStringLiteral("Bad address")},
        {10022, QStringLiteral("Invalid argument")},
        {10024, QStringLiteral("Too many open files")},
        {10035, QStringLiteral("Operation would block")},
        {10036, QStringLiteral("Operation now in progress")},
        {10037, QStringLiteral("Operation already in progress")},
        {10038, QStringLiteral("Socket operation on non-socket")},
        {10039, QStringLiteral("Destination address required")},
        {10040, QStringLiteral("Message too long")},
        {10041, QStringLiteral("Protocol wrong type for socket")},
        {10042, QStringLiteral("Protocol not available")},
        {10043, QStringLiteral("Protocol not supported")},
        {10044, QStringLiteral("Socket type not supported")},
        {10045, QStringLiteral("Operation not supported on socket")},
        {10046, QStringLiteral("Protocol family not supported")},
        {10047, QStringLiteral("Address family not supported by protocol family")},
        {10048, QStringLiteral("Address already in use")},
        {10049, QStringLiteral("Can't assign requested address")},
        {10050, QStringLiteral("Network is down")},
        {10051, QStringLiteral("Network is unreachable")},
        {10052, QStringLiteral("Network dropped connection on reset")},
        {10053, QStringLiteral("Software caused connection abort")},
        {10054, QStringLiteral("Connection reset by peer")},
        {10055, QStringLiteral("No buffer space available")},
        {10056, QStringLiteral("Socket is already connected")},
        {10057, QStringLiteral("Socket is not connected")},
        {10058, QStringLiteral("Can't send after socket shutdown")},
        {10059, QStringLiteral("Too many references: can't splice")},
        {10060, QStringLiteral("Connection timed out")},
        {10061, QStringLiteral("Connection refused")},
        {10062, QStringLiteral("Too many levels of symbolic links")},
        {10063, QStringLiteral("File name too long")},
        {10064, QStringLiteral("Host is down")},
        {10065, QStringLiteral("No route to host")},
        {10066, QStringLiteral("Directory not empty")},
        {10067, QStringLiteral("Too many processes")},
        {10068, QStringLiteral("Too many users")},
        {10069, QStringLiteral("Disc quota exceeded")},
        {10070, QStringLiteral("Stale NFS file handle")},
        {10071, QStringLiteral("Too many levels of remote in path")},
        {10091, QStringLiteral("Network sub-system is unusable")},
        {10092, QStringLiteral("WinSock DLL cannot support this application")},
        {10093, QStringLiteral("WinSock not initialized")},
        {11001, QStringLiteral("Host not found")},
        {11002, QStringLiteral("Non-authoritative host not found")},
        {11003, QStringLiteral("Non-recoverable error")},
        {11004, QStringLiteral("No Data")},
    };
    return table;
}

constexpr int kConnectionReset = 10054;
constexpr int kMessageTooLong = 10040;

// A numeric IPv4 address in any form inet_aton takes, as it stands; no name lookup.
std::optional<in_addr> numericIPv4(const QString& host)
{
    in_addr address{};
    if (inet_aton(host.toLocal8Bit().constData(), &address) == 0)
        return std::nullopt;
    return address;
}

} // namespace

TUDPVesk::TUDPVesk(QObject* parent) : QObject(parent)
{
    m_rebind.setInterval(0);
    connect(&m_rebind, &QTimer::timeout, this, &TUDPVesk::retryBind);
}

TUDPVesk::~TUDPVesk()
{
    CloseSocket();
}

void TUDPVesk::setActive(bool active)
{
    if (active)
        OpenSocket();
    else
        CloseSocket();
}

QString TUDPVesk::errorText(int code)
{
    return errorTable().value(code);
}

int TUDPVesk::codeForErrno(int err)
{
    switch (err) {
    case EINTR:
        return 10004;
    case EBADF:
        return 10009;
    case EACCES:
    case EPERM:
        return 10013;
    case EFAULT:
        return 10014;
    case EINVAL:
        return 10022;
    case EMFILE:
    case ENFILE:
        return 10024;
    case EWOULDBLOCK:
        return 10035;
    case EINPROGRESS:
        return 10036;
    case EALREADY:
        return 10037;
    case ENOTSOCK:
        return 10038;
    case EDESTADDRREQ:
        return 10039;
    case EMSGSIZE:
        return 10040;
    case EPROTOTYPE:
        return 10041;
    case ENOPROTOOPT:
        return 10042;
    case EPROTONOSUPPORT:
        return 10043;
    case ESOCKTNOSUPPORT:
        return 10044;
    case EOPNOTSUPP:
        return 10045;
    case EPFNOSUPPORT:
        return 10046;
    case EAFNOSUPPORT:
        return 10047;
    case EADDRINUSE:
        return 10048;
    case EADDRNOTAVAIL:
        return 10049;
    case ENETDOWN:
        return 10050;
    case ENETUNREACH:
        return 10051;
    case ENETRESET:
        return 10052;
    case ECONNABORTED:
        return 10053;
    case ECONNRESET:
        return 10054;
    case ENOBUFS:
        return 10055;
    case EISCONN:
        return 10056;
    case ENOTCONN:
        return 10057;
    case ESHUTDOWN:
        return 10058;
    case ETOOMANYREFS:
        return 10059;
    case ETIMEDOUT:
        return 10060;
    case ECONNREFUSED:
        return 10061;
    case ELOOP:
        return 10062;
    case ENAMETOOLONG:
        return 10063;
    case EHOSTDOWN:
        return 10064;
    case EHOSTUNREACH:
        return 10065;
    case ENOTEMPTY:
        return 10066;
    case EUSERS:
        return 10068;
    case EDQUOT:
        return 10069;
    case ESTALE:
        return 10070;
    case EREMOTE:
        return 10071;
    default:
        return 0;
    }
}

void TUDPVesk::OpenSocket()
{
    if (Active()) {
        Q_EMIT OnError(0, QStringLiteral("UDP: Socket not started because ist's already running"));
        return;
    }
    const QString failure = bindSocket();
    if (!failure.isEmpty()) {
        m_openError = failure;
        Q_EMIT OnError(0, failure);
        if (m_rebind.interval() > 0)
            m_rebind.start();
    }
    // The wall server may answer right away; give the stack a moment as the endpoint always did.
    QThread::msleep(10);
}

QString TUDPVesk::bindSocket()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return QStringLiteral("UDP: Socket kann nicht angelegt werden.");
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(RxPort);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EADDRINUSE)
            return QStringLiteral("UDP: Port %1 wird von einem anderen Programm benutzt.").arg(RxPort);
        if (err == EACCES)
            return QStringLiteral("UDP: Port %1 darf nur mit Administratorrechten benutzt werden.").arg(RxPort);
        return QStringLiteral("UDP: Socket schon anderweitig gebunden oder nicht unterstützt.");
    }
    m_fd = fd;
    m_openError.clear();
    m_rebind.stop();
    m_notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TUDPVesk::readPending);

    m_maxDatagram = static_cast<int>(sizeof m_buffer);
    for (int option : {SO_SNDBUF, SO_RCVBUF}) {
        int value = 0;
        socklen_t length = sizeof value;
        if (::getsockopt(fd, SOL_SOCKET, option, &value, &length) == 0 && length == sizeof value && value > 0 &&
            value < m_maxDatagram)
            m_maxDatagram = value;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    return {};
}

void TUDPVesk::retryBind()
{
    const QString failure = bindSocket();
    if (failure.isEmpty()) {
        Q_EMIT Bound();
        return;
    }
    if (failure == m_openError)
        return;
    m_openError = failure;
    Q_EMIT OnError(0, failure);
}

void TUDPVesk::CloseSocket()
{
    m_rebind.stop();
    m_openError.clear();
    if (!Active())
        return;
    delete m_notifier;
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
}

void TUDPVesk::readPending()
{
    // Several datagrams per wake-up, so that a burst costs one pass of the event loop (and one repaint of what
    // it changed) instead of one per datagram; bounded, so that timers and the operator's input keep their
    // turn during a flood. A handler may close the socket (or run a nested event loop that does). The burst
    // is handed on before an error, whose report may wait for the operator.
    QList<QByteArray> burst;
    for (int i = 0; i < kDatagramsPerWake && Active(); ++i) {
        QString error;
        const bool more = readOne(burst, error);
        if (!error.isEmpty()) {
            if (!burst.isEmpty())
                Q_EMIT OnReceiveBurst(std::exchange(burst, {}));
            Q_EMIT OnError(0, QStringLiteral("UDPOnReceive: ") + error);
        }
        if (!more)
            break;
    }
    if (!burst.isEmpty())
        Q_EMIT OnReceiveBurst(burst);
}

bool TUDPVesk::readOne(QList<QByteArray>& burst, QString& error)
{
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    // MSG_TRUNC: the datagram's real length, so that one cut to the buffer is never taken as whole.
    const ssize_t got = ::recvfrom(m_fd, m_buffer, static_cast<size_t>(m_maxDatagram), MSG_TRUNC,
                                   reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (got < 0) {
        const int err = errno;
        // Nothing (more) to read is not a failure; a refused earlier send shows up here as the peer's reset.
        if (err == EAGAIN || err == EWOULDBLOCK)
            return false;
        if (err == EINTR)
            return true;
        const int code = err == ECONNREFUSED ? kConnectionReset : codeForErrno(err);
        if (code == kConnectionReset)
            return true;
        error = errorText(code);
        return false;
    }
    if (got > m_maxDatagram) {
        error = errorText(kMessageTooLong);
        return true;
    }
    const QByteArray datagram(m_buffer, got);
    burst.append(datagram);
    // The sender's address is written out only for a receiver that takes datagrams one by one.
    static const QMetaMethod onReceive = QMetaMethod::fromSignal(&TUDPVesk::OnReceive);
    if (isSignalConnected(onReceive)) {
        const quint32 address = ntohl(from.sin_addr.s_addr);
        const QString host = QStringLiteral("%1.%2.%3.%4")
                                 .arg((address >> 24) & 0xFF)
                                 .arg((address >> 16) & 0xFF)
                                 .arg((address >> 8) & 0xFF)
                                 .arg(address & 0xFF);
        Q_EMIT OnReceive(host, ntohs(from.sin_port), datagram);
    }
    return true;
}

int TUDPVesk::SendData(const QByteArray& buffer)
{
    if (TxIPAddr.isEmpty()) {
        Q_EMIT OnError(0, QStringLiteral("UDP SendData: kein Ziel angegeben."));
        return 0;
    }
    if (!Active()) {
        // The cause of a failed open stays in view; the send adds nothing the operator can act on.
        Q_EMIT OnError(0, m_openError.isEmpty() ? QStringLiteral("UDP SendData: kein Socket gebunden.") : m_openError);
        return 0;
    }
    if (buffer.size() > m_maxDatagram) {
        Q_EMIT OnError(
            0,
            QStringLiteral("UDP SendData: Paket zu groß (%1, max.: %2 Byte).").arg(buffer.size()).arg(m_maxDatagram));
        return 0;
    }
    resolveTarget();
    if (m_target == Target::Pending) {
        Q_EMIT OnError(0, QStringLiteral("UDP SendData: Ziel wird noch gesucht."));
        return 0;
    }
    // 255.255.255.255 is refused like an unknown name: the operator's address box never means "broadcast
    // to the whole network".
    if (m_target != Target::Found || m_targetAddress == INADDR_NONE) {
        Q_EMIT OnError(0, QStringLiteral("UDP SendData: Ziel nicht gefunden."));
        return 0;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(TxPort);
    to.sin_addr.s_addr = m_targetAddress;
    const ssize_t sent = ::sendto(m_fd, buffer.constData(), static_cast<size_t>(buffer.size()), 0,
                                  reinterpret_cast<sockaddr*>(&to), sizeof to);
    if (sent < 0) {
        const int code = codeForErrno(errno);
        const QString text = errorText(code);
        if (!text.isEmpty())
            Q_EMIT OnError(code, QStringLiteral("UDP SendData: ") + text);
        return 0;
    }
    return static_cast<int>(sent);
}

HostResolver& TUDPVesk::resolver()
{
    if (m_resolver)
        return *m_resolver;
    if (!m_systemResolver)
        m_systemResolver = std::make_unique<SystemHostResolver>();
    return *m_systemResolver;
}

void TUDPVesk::resolveTarget()
{
    if (m_target != Target::Unresolved && TxIPAddr == m_targetText)
        return;
    m_targetText = TxIPAddr;
    const quint64 lookup = ++m_lookups;
    if (TxIPAddr.isEmpty()) {
        m_target = Target::NotFound;
        return;
    }
    if (const std::optional<in_addr> numeric = numericIPv4(TxIPAddr)) {
        m_target = Target::Found;
        m_targetAddress = numeric->s_addr;
        return;
    }
    m_target = Target::Pending;
    resolver().lookup(TxIPAddr, this, [this, lookup](const QHostAddress& address) {
        if (lookup != m_lookups)
            return;
        m_target = address.isNull() ? Target::NotFound : Target::Found;
        m_targetAddress = htonl(address.toIPv4Address());
        Q_EMIT TargetResolved();
    });
}

void TUDPVesk::setResolver(HostResolver* resolver)
{
    m_resolver = resolver;
    m_target = Target::Unresolved;
}
