#pragma once

#include "wall_link/Crypter.h"
#include "wall_link/LinkState.h"
#include "wall_link/PermutationTable.h"
#include "wall_link/Ports.h"
#include "wall_link/UDPVesk.h"
#include "wall_link/WallSink.h"

#include <QObject>
#include <QTimer>

// The link to the wall server: the scrambler, the UDP endpoint on the wall ports, the wall's address,
// the life-sign supervision with its state, and the wall's text size from the status reply. Every
// body to the wall leaves through here.
class WallLink final : public QObject, public WallSink
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WallLink)
public:
    explicit WallLink(const Ports& ports, const PermutationTable& table = builtInPermutationTable(),
                      QObject* parent = nullptr);

    // Scrambles, frames and sends each body to the wall address. Empty or over-long bodies are dropped;
    // send failures go to linkFailed; the bodies that left go to bodiesSent.
    void send(const wallcmd::Bodies& bodies) override;
    QString address() const override { return m_address; }
    WallTextSize textSize() const override { return m_textSize; }

    // The address is used as it stands, also when it is not a valid one: sends to it fail and say so.
    // A host name is looked up once, in the background; sends before the answer fail and say so.
    void setAddress(const QString& address);
    // nullptr: the system's name service.
    void setResolver(HostResolver* resolver) { m_endpoint.setResolver(resolver); }

    // The endpoint on the local wall port: replies arrive here, commands leave from here.
    void open() { m_endpoint.OpenSocket(); }
    void close() { m_endpoint.CloseSocket(); }
    TUDPVesk& endpoint() { return m_endpoint; }

    LinkState state() const { return m_state; }

    // One life-sign query (80 FD): the state turns to waiting until the wall answers.
    void queryLifeSign();
    // Starts the periodic query every 2 s, for the rest of the run, and sends one at once. Once the wall
    // has answered, a periodic query leaves the state up; only a query that went unanswered for a whole
    // period turns it to waiting, so the lamp does not blink with every query.
    void startSupervision();
    bool supervising() const { return m_supervision.isActive(); }
    int supervisionInterval() const { return m_supervision.interval(); }
    // "Über Server": asks for the server details; the next status reply reports them.
    void requestDetails();
    bool detailsRequested() const { return m_detailsRequested; }
    // An answered ICMP echo of the wall computer counts as a sign of life.
    void confirmByEcho() { setState(LinkState::Up); }

    // OnReceive of the endpoint: unframes and unscrambles; the plain body goes to bodyReceived.
    void receive(const QString& host, quint16 port, const QByteArray& datagram);
    // A plain body from the wall server: a status reply sets the state and the size; others are ignored.
    void interpretReply(const QByteArray& body);

Q_SIGNALS:
    void stateChanged(LinkState state);
    // After each send: the bodies that left for the wall, in order; not emitted when none did.
    void bodiesSent(const wallcmd::Bodies& bodies);
    // A plain body from the wall server (after unframing and unscrambling).
    void bodyReceived(const QByteArray& body);
    // A status reply, whether or not details were asked for.
    void statusReplyReceived(const wallcmd::StatusReply& reply);
    // A status reply answered a details request: the wall server's version text.
    void serverDetailsReceived(const QString& version);
    // A socket error of the endpoint, as the status bar shows it.
    void linkFailed(const QString& statusText);

private:
    void setState(LinkState state);
    void superviseTick();

    TCrypter m_crypter;
    TUDPVesk m_endpoint;
    QTimer m_supervision;
    QString m_address = QStringLiteral("127.0.0.1");
    LinkState m_state = LinkState::Unknown;
    WallTextSize m_textSize;
    bool m_detailsRequested = false;
    bool m_awaitingReply = false;
};
