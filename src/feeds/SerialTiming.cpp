#include "feeds/SerialTiming.h"

#include "shell/LogCategories.h"

TSerialTiming::TSerialTiming(QObject* parent) : QObject(parent)
{
    SerialPort.setObjectName(QStringLiteral("APD"));
    connect(&SerialPort, &TSerialLine::charactersAvailable, this, &TSerialTiming::readAvailable);
    connect(&SerialPort, &TSerialLine::lost, this, [this](const QString& reason) {
        qCWarning(lcSerial) << "timing port COM" << m_port << "lost:" << reason;
        Q_EMIT lineLost(lostText(m_port));
    });
}

TSerialTiming::~TSerialTiming() = default;

void TSerialTiming::setDisplay(std::function<bool()> visible, TimeSink handleTimeMessage)
{
    m_displayVisible = std::move(visible);
    m_handleTimeMessage = std::move(handleTimeMessage);
}

void TSerialTiming::setProtocolSource(std::function<int()> protocolIndex)
{
    m_protocolIndex = std::move(protocolIndex);
}

void TSerialTiming::setDeviceMapping(std::function<QString(int)> mapped)
{
    m_deviceMapping = std::move(mapped);
}

bool TSerialTiming::openPort(const serialsetup::DialogValues& values)
{
    m_error.clear();
    const auto settings = serialsetup::fromDialog(values);
    if (!settings) {
        m_error = tr("Unter „Konfiguration“ → „Zeitmesstechnik“ ist keine Schnittstelle gewählt.");
        return false;
    }
    m_port = settings->port;
    const QString device =
        serialsetup::deviceName(settings->port, m_deviceMapping ? m_deviceMapping(settings->port) : QString());
    resetReceiver();
    if (!SerialPort.open(device, *settings)) {
        m_error = tr("Schnittstelle COM %1 (Gerät %2): ").arg(settings->port).arg(device) + SerialPort.errorString();
        qCWarning(lcSerial) << "timing port" << device << "not opened:" << m_error;
        return false;
    }
    qCInfo(lcSerial) << "timing port" << device << "open," << settings->baud << "baud";
    return true;
}

void TSerialTiming::closePort()
{
    if (SerialPort.isOpen())
        qCInfo(lcSerial) << "timing port COM" << m_port << "closed";
    SerialPort.close();
}

void TSerialTiming::resetReceiver()
{
    m_frames.clear();
}

void TSerialTiming::readAvailable(qint64 /*count*/)
{
    const auto protocol = serialframes::protocolFromIndex(m_protocolIndex ? m_protocolIndex() : 0);
    if (!protocol) {
        return;
    }
    const QByteArray received = SerialPort.readAll();
    for (const char c : received) {
        const auto frame = m_frames.take(c, *protocol);
        if (!frame) {
            continue;
        }
        if (*protocol == serialframes::Protocol::OmegaUnt) {
            handleOmegaUntFrame(*frame);
        } else {
            handleRollertimeFrame(*frame);
        }
    }
}

void TSerialTiming::handleOmegaUntFrame(const QByteArray& frame)
{
    deliver(serialframes::omegaUntFrame(frame));
}

void TSerialTiming::handleRollertimeFrame(const QByteArray& frame)
{
    deliver(serialframes::rollertimeFrame(frame));
}

QString TSerialTiming::lostText(int port)
{
    return tr("Die Verbindung zur Zeitmessanlage an COM %1 ist unterbrochen.").arg(port);
}

void TSerialTiming::deliver(const std::optional<serialframes::TimeMessage>& message)
{
    if (!message || !m_handleTimeMessage || !m_displayVisible || !m_displayVisible()) {
        return;
    }
    m_handleTimeMessage(message->text, message->force);
}
