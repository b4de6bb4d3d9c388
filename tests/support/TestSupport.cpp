#include "support/TestSupport.h"

#include <QUdpSocket>

namespace testsupport {

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

QString binaryDir()
{
    return qEnvironmentVariable("BRISAL_BINARY_DIR");
}

QString sourceDir()
{
    return qEnvironmentVariable("BRISAL_SOURCE_DIR");
}

} // namespace testsupport
