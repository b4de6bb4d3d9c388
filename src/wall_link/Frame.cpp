#include "wall_link/Frame.h"

#include "wall_link/Crypter.h"

namespace frame {

QByteArray frameBody(const TCrypter& crypter, const QByteArray& body, const QByteArray& key)
{
    if (body.isEmpty() || body.size() > kMaxBody)
        return {};
    // A refusal leaves the body in clear, which the wall server accepts.
    const TCrypter::Result scrambled = crypter.run(TCrypter::Direction::Encrypt, 1, key, body);
    QByteArray datagram;
    datagram.reserve(1 + scrambled.key.size() + scrambled.data.size());
    datagram.append(static_cast<char>(0xA0 | (scrambled.key.size() & 0x0F)));
    datagram.append(scrambled.key);
    datagram.append(scrambled.data);
    return datagram;
}

std::optional<QByteArray> unframe(const TCrypter& crypter, const QByteArray& datagram)
{
    if (datagram.isEmpty())
        return std::nullopt;
    const auto header = static_cast<quint8>(datagram[0]);
    if ((header & 0xF0) != 0xA0)
        return std::nullopt;
    const qsizetype k = header & 0x0F;
    const QByteArray rest = datagram.mid(1);
    return crypter.run(TCrypter::Direction::Decrypt, 1, rest.left(k), rest.mid(k)).data;
}

} // namespace frame
