#pragma once

#include "wall_link/PermutationTable.h"

#include <QByteArray>

// Scrambles a byte string under a key: a keyed byte permutation driven by the shared table, then a
// cyclic XOR with the key. Unscrambling undoes both. Nothing is kept between runs but the table.
class TCrypter final
{
public:
    enum class Direction : quint8
    {
        Encrypt = 0,
        Decrypt = 1
    };

    // What a run produced: whether it was done, the key it used and the data (unchanged when refused).
    struct Result
    {
        bool done = false;
        QByteArray key;
        QByteArray data;
    };

    explicit TCrypter(const PermutationTable& table = builtInPermutationTable());

    // key and data under 256 bytes each; the key's first byte also chooses where the permutation starts.
    // keyType's low 7 bits: 0 = data unchanged, 1 = permutation and XOR, other = refused. An empty key is
    // replaced by a random one when encrypting and by the table's first 15 bytes when decrypting (what a
    // wall server sends without a key). Over-long data or key, an unknown direction or key type: refused.
    Result run(Direction direction, quint8 keyType, const QByteArray& key, const QByteArray& data) const;

    const PermutationTable& table() const { return m_table; }

    // 15 bytes, each uniform over 0..254: the wall server reads 0xFF as nothing special, but keys are
    // never drawn with it, so no wall has ever had to cope with one.
    static QByteArray randomKey();

private:
    QByteArray scrambled(const QByteArray& key, const QByteArray& data) const;
    QByteArray unscrambled(const QByteArray& key, const QByteArray& data) const;
    void permutationFor(int n, quint8 start, quint8* out) const;

    PermutationTable m_table;
};
