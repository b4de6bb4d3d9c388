#pragma once

#include "feeds/SerialTiming.h"
#include "media/MediaModule.h"
#include "shell/LedBtn.h"
#include "wall_link/Crypter.h"
#include "wall_link/IcmpPing.h"
#include "wall_link/Ports.h"
#include "wall_link/Sleeper.h"
#include "wall_link/UDPVesk.h"
#include "wall_link/WallCommands.h"
#include "wall_link/ZELTools.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

// The data module: owns the communication components and is the only way to the wall.
class TDM final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDM)
public:
    // icmp: the ICMP facility behind ZELTools.PingHost; nullptr means the system's.
    explicit TDM(const Ports& ports, const PermutationTable& table = builtInPermutationTable(),
                 QObject* parent = nullptr, IcmpEcho* icmp = nullptr);
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

    // Link supervision. The lamp shows gray before the first life-sign query, red while one is
    // unanswered, green after a status reply (or an answered ICMP check of the timing mode).
    TLedBtnColor linkLight() const { return m_linkLight; }
    void setLinkLight(TLedBtnColor light);
    // Size of the wall's text area from the last status reply; 32 x 8 until one arrives.
    int wallColumns() const { return m_wallColumns; }
    int wallRows() const { return m_wallRows; }
    bool detailsRequested() const { return m_detailsRequested; }

    // One life-sign query: the lamp turns red and 80 FD goes to the wall address.
    void TimerPingTimer();
    // Switches on the periodic query every 2 s (for the rest of the run) and sends one at once.
    void GLPingClick();
    // "Über Server": asks for the server details; the next status reply shows them.
    void berServer1Click();
    // Reply interpreter: a body beginning 10 FD is a status reply; everything else is ignored.
    void interpretReply(const QByteArray& body);
    // Error event of UDPVesk and UDPJson.
    void UDPVeskError(int errorNo, const QString& msg);

    TCrypter Crypter;
    TUDPVesk UDPVesk;
    TUDPVesk UDPCosa;
    TUDPVesk UDPJson;
    TSleeper Sleeper;
    QTimer TimerPing;
    TSerialTiming SerialTiming; // the serial port APD and its frame handlers, opened by the timing mode

private:
    std::unique_ptr<IcmpEcho> m_ownIcmp; // declared before ZELTools, which refers to it

public:
    TZELTools ZELTools;
    // Picture and video upload (IdFTP1), its progress display, the local video preview, the open dialog.
    TMediaModule Media{Sleeper, m_ports};

Q_SIGNALS:
    // A plain body from the wall server (after unframing and unscrambling).
    void wallBodyReceived(const QByteArray& body);
    void linkLightChanged(TLedBtnColor light);
    // A status reply answered a details request: the wall server's version text.
    void serverDetailsReceived(const QString& version);
    // A socket error of the wall link or the FinishLynx endpoint, as the status bar shows it.
    void linkFailed(const QString& statusText);

private:
    Ports m_ports;
    std::function<QString()> m_wallAddress;
    TLedBtnColor m_linkLight = TLedBtnColor::LedGray;
    int m_wallColumns = 32;
    int m_wallRows = 8;
    bool m_detailsRequested = false;
};
