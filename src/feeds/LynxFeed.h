#pragma once

#include "feeds/LynxMessage.h"
#include "shell/ErrorReport.h"

#include <QObject>

#include <functional>

class TFormTextbox;
class TUDPVesk;

// The FinishLynx receiver: joins the datagrams of UDPJson into messages and hands each accepted list to the
// FinishLynx page of the text list window, whether that window is shown or not. Nothing goes to the wall
// and the page is not switched.
class TLynxFeed final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLynxFeed)
public:
    // prefix: the expected sender prefix, read anew for every datagram.
    TLynxFeed(TFormTextbox& window, ErrorReport& report, std::function<QString()> prefix, QObject* parent = nullptr);

    void connectEndpoint(TUDPVesk& endpoint);
    // Where a message's error is shown besides the log and the error box: the main window's status bar.
    void setStatusLine(std::function<void(const QString&)> statusLine) { m_statusLine = std::move(statusLine); }

    // OnReceive of UDPJson; sender address and port are not used.
    void UDPJsonReceive(const QString& host, quint16 port, const QByteArray& buffer);

    const lynx::TLynxCollector& collector() const { return m_collector; }

private:
    void show(const lynx::Message& message);

    TFormTextbox& m_window;
    // A flood of bad messages shows one box at a time, with a count, never a stack of modal boxes.
    CoalescingReport m_report;
    std::function<QString()> m_prefix;
    std::function<void(const QString&)> m_statusLine;
    lynx::TLynxCollector m_collector;
};
