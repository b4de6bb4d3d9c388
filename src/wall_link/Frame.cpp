#include "wall_link/Frame.h"

#include "wall_link/Crypter.h"

namespace frame {

QByteArray frameBody(TCrypter& crypter, const QByteArray& body, const QByteArray& key)
{
    if (body.isEmpty() || body.size() > kMaxBody)
        return {};
    crypter.KeyStr = key;
    crypter.KeyType = 1;
    crypter.Action = TCrypter::TAction::crEncrypt;
    crypter.DataStr = body;
    crypter.Execute(); // refusal leaves the body in clear, which the wall server accepts
    QByteArray datagram;
    datagram.reserve(1 + crypter.KeyStr.size() + crypter.DataStr.size());
    datagram.append(static_cast<char>(0xA0 | (crypter.KeyStr.size() & 0x0F)));
    datagram.append(crypter.KeyStr);
    datagram.append(crypter.DataStr);
    return datagram;
}

std::optional<QByteArray> unframe(TCrypter& crypter, const QByteArray& datagram)
{
    if (datagram.isEmpty())
        return std::nullopt;
    const auto header = static_cast<quint8>(datagram[0]);
    if ((header & 0xF0) != 0xA0)
        return std::nullopt;
    const qsizetype k = header & 0x0F;
    const QByteArray rest = datagram.mid(1);
    crypter.KeyType = 1;
    crypter.Action = TCrypter::TAction::crDecrypt;
    crypter.KeyStr = rest.left(k);
    crypter.DataStr = rest.mid(k);
    crypter.Execute();
    return crypter.DataStr;
}

} // namespace frame
