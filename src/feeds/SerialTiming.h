#pragma once

#include "feeds/SerialFrames.h"
#include "feeds/SerialLine.h"
#include "feeds/SerialSetup.h"

#include <QObject>
#include <QString>

#include <functional>

// The serial timing input: the serial port, the frame buffer and the two frame handlers.
// The port is opened only by the timing mode and closed when the timing display goes away; every
// complete frame becomes a time text for the timing display while that display is visible.
class TSerialTiming final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSerialTiming)
public:
    using TimeSink = std::function<void(const QString& text, bool force)>;

    explicit TSerialTiming(QObject* parent = nullptr);
    ~TSerialTiming() override;

    // The timing display: whether it is visible, and its HandleTimeMessage.
    void setDisplay(std::function<bool()> visible, TimeSink handleTimeMessage);
    // The configuration dialog's protocol item index, read at every notification.
    void setProtocolSource(std::function<int()> protocolIndex);
    // The operator's device for "COM n" (empty for the default), read when the port opens.
    void setDeviceMapping(std::function<QString(int port)> mapped);

    // resetReceiver, then opens the port the dialog describes. False when the port is off or cannot be
    // opened; errorString() names the port and its device, what failed and what to check.
    bool openPort(const serialsetup::DialogValues& values);
    void closePort();
    bool isOpen() const { return SerialPort.isOpen(); }
    QString errorString() const { return m_error; }

    void resetReceiver();
    void readAvailable(qint64 count);
    void handleOmegaUntFrame(const QByteArray& frame);
    void handleRollertimeFrame(const QByteArray& frame);

    // The status bar text for a port that went away while open.
    static QString lostText(int port);

    TSerialLine SerialPort;

Q_SIGNALS:
    // The device went away while the port was open; the port is closed. text is for the status bar.
    void lineLost(const QString& text);

private:
    void deliver(const std::optional<serialframes::TimeMessage>& message);

    serialframes::FrameCollector m_frames;
    std::function<bool()> m_displayVisible;
    TimeSink m_handleTimeMessage;
    std::function<int()> m_protocolIndex;
    std::function<QString(int)> m_deviceMapping;
    int m_port = 0;
    QString m_error;
};
