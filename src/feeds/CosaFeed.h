#pragma once

#include "feeds/CosaMessages.h"

#include <QObject>

class TFormTextbox;

// The liveboard feed: collects messages arriving on UDPCosa and hands what they carry to the text list
// window, switching it to the matching page. Only the blank command reaches the wall by itself;
// everything else waits for the operator. Messages arriving while the window is hidden are dropped, as
// are malformed ones.
class TCosaFeed final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCosaFeed)
public:
    explicit TCosaFeed(TFormTextbox& form, QObject* parent = nullptr);

    // OnReceive of UDPCosa; the sender is not looked at.
    void UDPCosaReceive(const QString& host, quint16 port, const QByteArray& buffer);
    // OnReceiveBurst of UDPCosa: the same for each datagram, except that a list is left out when a later
    // one of the burst replaces the whole grid, and the page is switched once. The window ends as it would
    // one message after another, but a flood costs one grid write and one page switch per burst.
    void UDPCosaReceiveBurst(const QList<QByteArray>& datagrams);
    // Acts on one payload (UTF-8, the text between the markers with ";" appended).
    void HandleCosaUdpMessage(const QByteArray& text);

private:
    void handle(const QList<QByteArray>& payloads);
    // Acts on one payload; the page it shows waits in m_pendingTab until the payloads at hand are done (or
    // a picture, video or blank command comes, which may depend on the page in front).
    void act(const QByteArray& text);
    void showPendingTab();
    void showList(const cosa::Message& message, bool clearWhenEmpty);

    TFormTextbox& m_form;
    cosa::CosaReceiver m_receiver;
    int m_pendingTab = -1; // a workflow entry of the text list window
};
