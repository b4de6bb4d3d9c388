#include "support/WallProbe.h"

#include "support/RecordingWallSink.h"
#include "wall_link/Frame.h"
#include "wall_link/WallSink.h"

#include <QNetworkDatagram>
#include <QTest>

namespace {
// Not a record of the wall vocabulary, so it cannot be mistaken for a page body.
const QByteArray kMarker = QByteArrayLiteral("\x7E\x7Eprobe-marker");
} // namespace

WallProbe::WallProbe(QObject* parent) : QObject(parent), m_crypter(builtInPermutationTable())
{
    m_socket.bind(QHostAddress::LocalHost, 0);
    connect(&m_socket, &QUdpSocket::readyRead, this, &WallProbe::readPending);
}

void WallProbe::clear()
{
    m_bodies.clear();
    m_rejected = 0;
}

bool WallProbe::waitForCount(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return m_bodies.size() >= count; }, timeoutMs);
}

QStringList WallProbe::drain(WallSink& wall, int timeoutMs)
{
    const QString marker = hex(kMarker);
    wall.send({kMarker});
    const bool arrived = QTest::qWaitFor([&] { return m_bodies.contains(marker); }, timeoutMs);
    QStringList before = m_bodies.mid(0, arrived ? m_bodies.indexOf(marker) : m_bodies.size());
    if (!arrived)
        before << QStringLiteral("<marker lost>");
    clear();
    return before;
}

QString WallProbe::hex(const QByteArray& body)
{
    return testsupport::hex(body);
}

QStringList WallProbe::hex(const QList<QByteArray>& bodies)
{
    QStringList out;
    for (const QByteArray& body : bodies)
        out << hex(body);
    return out;
}

void WallProbe::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        const std::optional<QByteArray> body = frame::unframe(m_crypter, datagram.data());
        if (body)
            m_bodies << hex(*body);
        else
            ++m_rejected;
    }
}
