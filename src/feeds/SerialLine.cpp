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

// What went wrong and what the operator can check, in German; the port library's own text only where it
// has no better word.
QString openFailure(QSerialPort::SerialPortError error, const QString& portText)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return TSerialLine::tr("Das Gerät gibt es nicht. Bitte prüfen, ob die Zeitmessanlage (oder ihr USB-Adapter) "
                               "angeschlossen ist und ob unter „Konfiguration“ → „Zeitmesstechnik“ das richtige "
                               "Gerät gewählt ist.");
    case QSerialPort::PermissionError:
        return TSerialLine::tr("Kein Zugriff auf das Gerät. Bitte prüfen, ob ein anderes Programm die Schnittstelle "
                               "belegt und ob der Benutzer sie öffnen darf (unter Linux: Mitglied der Gruppe "
                               "„dialout“).");
    case QSerialPort::UnsupportedOperationError:
        return TSerialLine::tr("Das Gerät nimmt die Parameter nicht an. Bitte Baud, Datenbits, Parität und Stopbits "
                               "unter „Konfiguration“ → „Zeitmesstechnik“ prüfen.");
    default:
        return TSerialLine::tr("Die Schnittstelle lässt sich nicht öffnen (%1). Bitte Gerät und Parameter unter "
                               "„Konfiguration“ → „Zeitmesstechnik“ prüfen.")
            .arg(portText);
    }
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
        m_error = tr("Ungültige Schnittstellenparameter. Bitte Datenbits und Stopbits unter „Konfiguration“ → "
                     "„Zeitmesstechnik“ prüfen.");
        return false;
    }
    m_port.setPortName(device);
    m_port.setBaudRate(settings.baud);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    m_port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setParity(toQt(settings.parity));
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadOnly)) {
        m_error = openFailure(m_port.error(), m_port.errorString());
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
