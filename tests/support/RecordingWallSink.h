#pragma once

#include "wall_link/Frame.h"
#include "wall_link/WallSink.h"

#include <QStringList>

namespace testsupport {
// A body as upper-case hex with a space between bytes ("D0 00").
inline QString hex(const QByteArray& body)
{
    return QString::fromLatin1(body.toHex(' ').toUpper());
}
} // namespace testsupport

// The wall as a page sees it, without a socket: keeps every body that the link would send, in order, as
// hex. Like the link, it drops empty bodies and those too long for a datagram.
class RecordingWallSink final : public WallSink
{
public:
    void send(const wallcmd::Bodies& bodies) override
    {
        for (const QByteArray& body : bodies) {
            if (!body.isEmpty() && body.size() <= frame::kMaxBody)
                m_bodies << testsupport::hex(body);
        }
    }
    QString address() const override { return wallAddress; }
    WallTextSize textSize() const override { return size; }

    // Everything sent since the last call, in order.
    QStringList take() { return std::exchange(m_bodies, {}); }

    QString wallAddress = QStringLiteral("127.0.0.1");
    WallTextSize size;

private:
    QStringList m_bodies;
};
