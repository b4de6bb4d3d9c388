#pragma once

#include "wall_link/HostResolver.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QSocketNotifier;

// A UDP endpoint: one socket bound to RxPort that receives, and sends from that same port to
// TxIPAddr:TxPort. Failures are reported through OnError with fixed texts (German for its own checks,
// the socket library's English table for system errors); nothing is thrown. One OnReceive per
// datagram, delivered on the thread that owns the endpoint (the user-interface thread). TxIPAddr is
// resolved once per text and never blocks that thread: a name is looked up in the background, and sends
// while the answer is outstanding are refused and reported, not queued.
class TUDPVesk final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUDPVesk)
public:
    // How often the program's endpoints try again to bind a port that another program holds.
    static constexpr int kRebindMs = 3000;
    // Datagrams taken off the socket per wake-up at most.
    static constexpr int kDatagramsPerWake = 64;

    explicit TUDPVesk(QObject* parent = nullptr);
    ~TUDPVesk() override;

    bool Active() const { return m_fd >= 0; }
    void setActive(bool active);

    quint16 RxPort = 65001;
    quint16 TxPort = 65000;
    QString TxIPAddr = QStringLiteral("localhost");

    void OpenSocket();
    void CloseSocket();
    // With an interval, an open that failed is tried again at that interval until the port is free;
    // only a change of cause is reported again, and Bound follows success. Closing ends the retries.
    void setRebindInterval(int ms) { m_rebind.setInterval(ms); }
    bool rebinding() const { return m_rebind.isActive(); }
    // Bytes sent, or 0 after a failure that OnError has reported.
    int SendData(const QByteArray& buffer);

    // Starts resolving TxIPAddr unless that text is resolved or being resolved already. A dotted IPv4
    // address is taken at once; a name goes to the resolver and TargetResolved follows its answer.
    void resolveTarget();
    bool targetPending() const { return m_target == Target::Pending; }
    // nullptr: the system's name service.
    void setResolver(HostResolver* resolver);

    // Text of a socket-library error code, empty when the table has none.
    static QString errorText(int code);
    // The socket-library code for a POSIX errno (0 when there is none).
    static int codeForErrno(int err);

Q_SIGNALS:
    void OnReceive(const QString& host, quint16 port, const QByteArray& buffer);
    // After the OnReceive of each: the datagrams taken off the socket at one wake-up, in order, for a
    // receiver that may skip what a later datagram replaces.
    void OnReceiveBurst(const QList<QByteArray>& datagrams);
    void OnError(int errorNo, const QString& msg);
    // A name lookup for TxIPAddr has answered, with an address or without.
    void TargetResolved();
    // A retried open succeeded.
    void Bound();

private:
    enum class Target
    {
        Unresolved,
        Pending,
        Found,
        NotFound
    };

    // Binds RxPort: empty on success, else the cause as the operator reads it.
    QString bindSocket();
    void retryBind();
    void readPending();
    // One datagram off the socket, handed to OnReceive and appended to burst; false when there is none or
    // the socket failed. A failure or a datagram too long for the buffer leaves its text in error.
    bool readOne(QList<QByteArray>& burst, QString& error);
    HostResolver& resolver();

    int m_fd = -1;
    int m_maxDatagram = 8192;
    QSocketNotifier* m_notifier = nullptr;
    QString m_openError; // why the endpoint is inactive after a failed open
    QTimer m_rebind;
    char m_buffer[8192];

    HostResolver* m_resolver = nullptr;
    std::unique_ptr<SystemHostResolver> m_systemResolver;
    QString m_targetText;
    Target m_target = Target::Unresolved;
    quint32 m_targetAddress = 0; // network order
    quint64 m_lookups = 0;       // tells a stale answer from the one for m_targetText
};
