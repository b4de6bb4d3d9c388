#pragma once

#include "wall_link/Crypter.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QUdpSocket>

// A wall server for tests: listens on a free port of every local IPv4 address, unframes and unscrambles
// each datagram (built-in table), records its plain body as upper-case hex ("80 FD") together with the
// address it was sent to, and, while answering, replies to both queries with a status reply sent back
// to the datagram's source, as the real wall server does.
class AnsweringWall final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnsweringWall)
public:
    explicit AnsweringWall(QObject* parent = nullptr);

    quint16 port() const { return m_socket.localPort(); }

    bool answering = true;
    int columns = 32;
    int rows = 8;
    QString version = QStringLiteral("V1.2");

    const QStringList& bodies() const { return m_bodies; }
    const QList<QHostAddress>& destinations() const { return m_destinations; }
    int count(const QString& hexBody) const { return int(m_bodies.count(hexBody)); }
    void clear();

    // Sends one plain body, framed and scrambled, to the client's port on 127.0.0.1.
    void sendToClient(quint16 clientPort, const QByteArray& body);

    static QString hex(const QByteArray& body);

Q_SIGNALS:
    void received(const QString& hexBody);

private:
    void readPending();

    QUdpSocket m_socket;
    TCrypter m_crypter;
    QStringList m_bodies;
    QList<QHostAddress> m_destinations;
};
