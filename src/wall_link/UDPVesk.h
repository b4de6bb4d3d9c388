#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// A UDP endpoint: one socket bound to RxPort that receives, and sends from that same port to
// TxIPAddr:TxPort. Failures are reported through OnError with fixed texts (German for its own checks,
// the socket library's English table for system errors); nothing is thrown. One OnReceive per
// datagram, delivered on the thread that owns the endpoint (the user-interface thread).
class TUDPVesk final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUDPVesk)
public:
    explicit TUDPVesk(QObject* parent = nullptr);
    ~TUDPVesk() override;

    bool Active() const { return m_fd >= 0; }
    void setActive(bool active);

    quint16 RxPort = 65001;
    quint16 TxPort = 65000;
    QString TxIPAddr = QStringLiteral("localhost");

    void OpenSocket();
    void CloseSocket();
    // Bytes sent, or 0 after a failure that OnError has reported.
    int SendData(const QByteArray& buffer);


    // Text of a socket-library error code, empty when the table has none.
    static QString errorText(int code);
    // The socket-library code for a POSIX errno (0 when there is none).
    static int codeForErrno(int err);

Q_SIGNALS:
    void OnReceive(const QString& host, quint16 port, const QByteArray& buffer);
    void OnError(int errorNo, const QString& msg);

private:
    void readPending();

    int m_fd = -1;
    int m_maxDatagram = 8192;
    QSocketNotifier* m_notifier = nullptr;
    char m_buffer[8192];
};
