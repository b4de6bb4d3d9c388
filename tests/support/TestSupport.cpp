#include "support/TestSupport.h"

#include <QUdpSocket>

namespace testsupport {

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

} // namespace testsupport
