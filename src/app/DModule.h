#pragma once

#include "wall_link/Crypter.h"
#include "wall_link/Ports.h"
#include "wall_link/UDPVesk.h"
#include "wall_link/WallCommands.h"

#include <QObject>

#include <functional>

// The data module: owns the communication components and is the only way to the wall.
class TDM final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDM)
public:
    explicit TDM(const Ports& ports, const PermutationTable& table = builtInPermutationTable(),
                 QObject* parent = nullptr);
    ~TDM() override;

    const Ports& ports() const { return m_ports; }

    // Where the wall is: the composition root hands in the configuration dialog's address box, read
    // anew for every datagram.
    void setWallAddressSource(std::function<QString()> source) { m_wallAddress = std::move(source); }
    QString wallAddress() const;

    // Scrambles, frames and sends one body to address:wallTx. Empty or over-long bodies are dropped;
    // send failures reach UDPVesk's OnError.
    void SendMessageTo(const QString& address, const QByteArray& body);
    // Sends each body of a sequence, in order, to the current wall address.
    void sendToWall(const wallcmd::Bodies& bodies);

    // OnReceive of UDPVesk: unframes, unscrambles and hands the plain body to the reply handler.
    void UDPVeskReceive(const QString& host, quint16 port, const QByteArray& buffer);

    TCrypter Crypter;
    TUDPVesk UDPVesk;
    TUDPVesk UDPCosa;
    TUDPVesk UDPJson;

Q_SIGNALS:
    // A plain body from the wall server (after unframing and unscrambling).
    void wallBodyReceived(const QByteArray& body);

private:
    Ports m_ports;
    std::function<QString()> m_wallAddress;
};
