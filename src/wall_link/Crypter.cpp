#include "wall_link/Crypter.h"

#include <QRandomGenerator>

namespace {
constexpr int kMaxLength = 255;
constexpr int kKeyLength = 15;

void xorWithKey(QByteArray& data, const QByteArray& key)
{
    for (qsizetype k = 0; k < data.size(); ++k)
        data[k] = static_cast<char>(data[k] ^ key[k % key.size()]);
}
} // namespace

TCrypter::TCrypter(const PermutationTable& table) : m_table(table) {}

QByteArray TCrypter::randomKey()
{
    QByteArray key(kKeyLength, '\0');
    for (char& c : key)
        c = static_cast<char>(QRandomGenerator::global()->bounded(255));
    return key;
}

TCrypter::Result TCrypter::run(Direction direction, quint8 keyType, const QByteArray& key, const QByteArray& data) const
{
    Result result{false, key, data};
    if (direction != Direction::Encrypt && direction != Direction::Decrypt)
        return result;
    if (data.size() > kMaxLength || key.size() > kMaxLength)
        return result;
    const bool encrypt = direction == Direction::Encrypt;
    if (result.key.isEmpty())
        result.key = encrypt ? randomKey() : QByteArray(reinterpret_cast<const char*>(m_table.data()), kKeyLength);
    if (data.isEmpty()) {
        result.done = true;
        return result;
    }
    switch (keyType & 0x7F) {
    case 0:
        result.done = true;
        break;
    case 1:
        result.data = encrypt ? scrambled(result.key, data) : unscrambled(result.key, data);
        result.done = true;
        break;
    default:
        break;
    }
    return result;
}

void TCrypter::permutationFor(int n, quint8 start, quint8* out) const
{
    int filled = 0;
    for (int step = 0; filled < n && step < 256; ++step) {
        const quint8 value = m_table[static_cast<size_t>((start + step) & 0xFF)];
        if (value < n)
            out[filled++] = value;
    }
}

QByteArray TCrypter::scrambled(const QByteArray& key, const QByteArray& data) const
{
    const int n = static_cast<int>(data.size());
    quint8 perm[256];
    permutationFor(n, static_cast<quint8>(key[0]), perm);
    QByteArray out(n, '\0');
    for (int k = 0; k < n; ++k)
        out[k] = data[perm[k]];
    xorWithKey(out, key);
    return out;
}

QByteArray TCrypter::unscrambled(const QByteArray& key, const QByteArray& data) const
{
    const int n = static_cast<int>(data.size());
    quint8 perm[256];
    permutationFor(n, static_cast<quint8>(key[0]), perm);
    QByteArray mixed = data;
    xorWithKey(mixed, key);
    QByteArray out(n, '\0');
    for (int k = 0; k < n; ++k)
        out[perm[k]] = mixed[k];
    return out;
}
