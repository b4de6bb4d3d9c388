#pragma once

#include <QString>

#include <optional>

// From the configuration dialog's serial lists to the line settings the timing mode opens the port with.
namespace serialsetup {

enum class Parity
{
    None,
    Odd,
    Even,
    Mark,
    Space
};

struct LineSettings
{
    int port = 0; // 1..20, "COM n"
    int baud = 9600;
    int dataBits = 8;
    int stopBits = 1;
    Parity parity = Parity::None;
    bool operator==(const LineSettings&) const = default;
};

// The dialog's values as they stand: item indexes of the port and parity lists, texts of the others.
struct DialogValues
{
    int portIndex = 0;
    QString baud;
    QString dataBits;
    QString stopBits;
    int parityIndex = -1;
};

// nullopt while the port list says "ausgeschaltet" (index 0) or has nothing chosen. Texts that are not
// numbers fall back to 9600 baud, 8 data bits, 1 stop bit; a parity index outside 1..4 means none.
std::optional<LineSettings> fromDialog(const DialogValues& values);

// The device behind "COM n": the operator's SerialDevice<n> value when one is set, otherwise COMn on
// Windows and /dev/ttyS(n-1) elsewhere.
QString deviceName(int port, const QString& mapped);

// Name of the settings value (under "Main") that maps "COM n" to a device.
QString deviceSettingName(int port);

} // namespace serialsetup
