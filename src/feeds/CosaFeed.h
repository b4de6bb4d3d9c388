#pragma once

#include "feeds/CosaMessages.h"

#include <QObject>

class ErrorReport;
class TMediaModule;
class TFormTextbox;

// The liveboard feed: collects messages arriving on UDPCosa and fills the text list window's controls
// with them, switching it to the matching page. Only the blank command reaches the wall by itself;
// everything else waits for the operator. Messages arriving while the window is hidden are dropped, as
// are malformed ones.
//
// Needs the local video preview, the text list window and the general error report, which shows a
// picture or video that cannot be read.
class TCosaFeed final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCosaFeed)
public:
    TCosaFeed(TMediaModule& media, TFormTextbox& form, ErrorReport& report, QObject* parent = nullptr);

    // OnReceive of UDPCosa; the sender is not looked at.
    void UDPCosaReceive(const QString& host, quint16 port, const QByteArray& buffer);
    // Acts on one payload (UTF-8, the text between the markers with ";" appended).
    void HandleCosaUdpMessage(const QByteArray& text);

private:
    void showPicture(const QString& fileName);
    void showVideo(const QString& fileName);
    void showList(const cosa::Message& message, bool clearAlways);

    TMediaModule& m_media;
    TFormTextbox& m_form;
    ErrorReport& m_report;
    cosa::CosaReceiver m_receiver;
};
