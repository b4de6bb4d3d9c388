#include "feeds/SerialPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSet>

namespace serialports {

QList<Device> available()
{
    QList<Device> out;
    QSet<QString> named; // devices listed under a stable name
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
#ifdef Q_OS_LINUX
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString target = link.canonicalFilePath();
        QString description;
        for (const QSerialPortInfo& port : ports) {
            if (port.systemLocation() == target)
                description = port.description();
        }
        out.append(
            {link.absoluteFilePath(), description.isEmpty() ? target : description + QStringLiteral(", ") + target});
        named.insert(target);
    }
#endif
    for (const QSerialPortInfo& port : ports) {
#ifdef Q_OS_WIN
        const QString path = port.portName();
#else
        const QString path = port.systemLocation();
#endif
        if (!named.contains(path))
            out.append({path, port.description()});
    }
    return out;
}

} // namespace serialports
