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

bool TCrypter::Execute()
{
    if (Action != TAction::crEncrypt && Action != TAction::crDecrypt)
        return false;
    if (DataStr.size() > kMaxLength || KeyStr.size() > kMaxLength)
        return false;
    const bool encrypt = Action == TAction::crEncrypt;
    // The sender draws a fresh key; a receiver without one falls back to the table's first bytes.
    if (KeyStr.isEmpty())
        KeyStr = encrypt ? randomKey() : QByteArray(reinterpret_cast<const char*>(m_table.data()), kKeyLength);
    if (DataStr.isEmpty())
        return true;
    switch (KeyType & 0x7F) {
    case 0:
        return true;
    case 1:
        DataStr = encrypt ? scrambled() : unscrambled();
        return true;
    default:
        return false;
    }
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

QByteArray TCrypter::scrambled() const
{
    const int n = static_cast<int>(DataStr.size());
    quint8 perm[256];
    permutationFor(n, static_cast<quint8>(KeyStr[0]), perm);
    QByteArray out(n, '\0');
    for (int k = 0; k < n; ++k)
        out[k] = DataStr[perm[k]];
    xorWithKey(out, KeyStr);
    return out;
}

QByteArray TCrypter::unscrambled() const
{
    const int n = static_cast<int>(DataStr.size());
    quint8 perm[256];
    permutationFor(n, static_cast<quint8>(KeyStr[0]), perm);
    QByteArray mixed = DataStr;
    xorWithKey(mixed, KeyStr);
    QByteArray out(n, '\0');
    for (int k = 0; k < n; ++k)
        out[perm[k]] = mixed[k];
    return out;
}
