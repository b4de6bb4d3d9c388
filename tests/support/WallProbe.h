#pragma once

#include "wall_link/Crypter.h"

#include <QObject>
#include <QStringList>
#include <QUdpSocket>

class WallSink;

// A stand-in wall for tests: a UDP socket on 127.0.0.1 (a free port) that unframes and unscrambles
// every datagram it receives with the built-in table and keeps the plain bodies, in arrival order, as
// upper-case hex with a space between bytes ("D0 00", "10 12"). Datagrams that do not unframe are
// counted, not kept.
class WallProbe final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WallProbe)
public:
    explicit WallProbe(QObject* parent = nullptr);

    quint16 port() const { return m_socket.localPort(); }
    const QStringList& bodies() const { return m_bodies; }
    int rejected() const { return m_rejected; }
    void clear();

    // Waits (event loop running) until at least count bodies have arrived.
    bool waitForCount(int count, int timeoutMs = 5000);

    // Everything the wall received up to now, and only that: sends a marker body through wall, waits for
    // it, returns the bodies that arrived before it and clears the record. Lets a test assert that an
    // action sent nothing, or exactly these bodies, without sleeping.
    QStringList drain(WallSink& wall, int timeoutMs = 5000);

    static QString hex(const QByteArray& body);
    static QStringList hex(const QList<QByteArray>& bodies);

private:
    void readPending();

    QUdpSocket m_socket;
    TCrypter m_crypter;
    QStringList m_bodies;
    int m_rejected = 0;
};
