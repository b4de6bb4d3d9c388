#pragma once

#include <QList>
#include <QString>

// The serial devices of this computer, for the operator to choose the timing device from.
namespace serialports {

struct Device
{
    QString path;        // what the port opens: a device path (COMn on Windows)
    QString description; // what the system says about it; may be empty
};

// On Linux first the stable names under /dev/serial/by-id/ (they survive re-plugging a USB adapter),
// then every port the system lists; each device once under its stable name where it has one.
QList<Device> available();

} // namespace serialports
