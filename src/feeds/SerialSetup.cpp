#include "feeds/SerialSetup.h"

namespace serialsetup {

namespace {

int numberOr(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

std::optional<LineSettings> fromDialog(const DialogValues& values)
{
    if (values.portIndex <= 0) {
        return std::nullopt;
    }
    LineSettings s;
    s.port = values.portIndex;
    s.baud = numberOr(values.baud, 9600);
    s.dataBits = numberOr(values.dataBits, 8);
    s.stopBits = numberOr(values.stopBits, 1);
    switch (values.parityIndex) {
    case 1:
        s.parity = Parity::Odd;
        break;
    case 2:
        s.parity = Parity::Even;
        break;
    case 3:
        s.parity = Parity::Mark;
        break;
    case 4:
        s.parity = Parity::Space;
        break;
    default:
        s.parity = Parity::None;
        break;
    }
    return s;
}

QString deviceName(int port, const QString& mapped)
{
    const QString device = mapped.trimmed();
    if (!device.isEmpty()) {
        return device;
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

QString deviceSettingName(int port)
{
    return QStringLiteral("SerialDevice%1").arg(port);
}

} // namespace serialsetup
