#include "feeds/SerialLine.h"

namespace {

QSerialPort::Parity toQt(serialsetup::Parity parity)
{
    switch (parity) {
    case serialsetup::Parity::Odd:
        return QSerialPort::OddParity;
    case serialsetup::Parity::Even:
        return QSerialPort::EvenParity;
    case serialsetup::Parity::Mark:
        return QSerialPort::MarkParity;
    case serialsetup::Parity::Space:
        return QSerialPort::SpaceParity;
    case serialsetup::Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

} // namespace

TSerialLine::TSerialLine(QObject* parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, [this] { Q_EMIT charactersAvailable(m_port.bytesAvailable()); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &TSerialLine::onError);
}

TSerialLine::~TSerialLine()
{
    // The port is a member and closes after this object stops being one: no reports from it then.
    disconnect(&m_port, nullptr, this, nullptr);
}

bool TSerialLine::open(const QString& device, const serialsetup::LineSettings& settings)
{
    close();
    m_error.clear();
    const bool valid = (settings.dataBits >= 5 && settings.dataBits <= 8) &&
                       (settings.stopBits == 1 || settings.stopBits == 2) && settings.baud > 0;
    if (!valid) {
        m_error = tr("Ungültige Schnittstellenparameter");
        return false;
    }
    m_port.setPortName(device);
    m_port.setBaudRate(settings.baud);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    m_port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setParity(toQt(settings.parity));
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadOnly)) {
        m_error = m_port.errorString();
        m_port.clearError();
        return false;
    }
    return true;
}

void TSerialLine::close()
{
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_port.clearError();
}

QByteArray TSerialLine::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray{};
}

void TSerialLine::onError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) {
        return;
    }
    if (!m_port.isOpen()) {
        m_port.clearError();
        return;
    }
    const QString reason = m_port.errorString();
    close();
    Q_EMIT lost(reason);
}
