#pragma once

#include "wall_link/Crypter.h"
#include "wall_view/WallModel.h"

#include <QFile>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

// The network side of the virtual wall: receives framed command datagrams, applies their plain bodies
// to the model, logs them, and answers life-sign and details queries with the status reply sent back
// to the datagram's source address and port.
class WallServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WallServer)
public:
    struct Settings
    {
        QHostAddress bind = QHostAddress::LocalHost;
        quint16 port = 57001;
        int columns = 32;
        int rows = 8;
        QString version = QStringLiteral("wallsim 1.0");
        bool silent = false;
        QString logFile; // empty: no log
    };

    WallServer(WallModel& model, const PermutationTable& table, const Settings& settings, QObject* parent = nullptr);

    // False with a reason when the socket cannot be bound or the log cannot be opened.
    bool start(QString* error);

    const Settings& settings() const { return m_settings; }
    QString peer() const { return m_peer; }

Q_SIGNALS:
    // After a body has been applied to the model, before it is logged and answered.
    void bodyApplied(const QByteArray& body);
    void closeRequested();
    void shutdownRequested();

private:
    void readPending();
    void handleDatagram(const QByteArray& datagram, const QHostAddress& from, quint16 fromPort);

    WallModel& m_model;
    TCrypter m_crypter;
    Settings m_settings;
    QUdpSocket m_socket;
    QFile m_log;
    QString m_peer;
};
