#pragma once

#include "wall_link/PermutationTable.h"

#include <QByteArray>

// Scrambles a byte string under a key: a keyed byte permutation driven by the shared table, then a
// cyclic XOR with the key. Unscrambling undoes both. The caller sets all four properties, calls
// Execute and reads DataStr; nothing else is kept between runs.
class TCrypter final
{
public:
    enum class TAction : quint8
    {
        crEncrypt = 0,
        crDecrypt = 1
    };

    explicit TCrypter(const PermutationTable& table = builtInPermutationTable());

    QByteArray KeyStr;  // under 256 bytes; its first byte also chooses where the permutation starts
    QByteArray DataStr; // under 256 bytes; replaced in place by the result
    quint8 KeyType = 0; // low 7 bits: 0 = unchanged, 1 = permutation and XOR, other = refused
    TAction Action = TAction::crEncrypt;

    // False (DataStr unchanged) for over-long data or key, an unknown action or key type.
    bool Execute();

    const PermutationTable& table() const { return m_table; }

    // 15 bytes, each uniform over 0..254: the wall server reads 0xFF as nothing special, but the
    // original scheme never sends it, so neither do we.
    static QByteArray randomKey();

private:
    QByteArray scrambled() const;
    QByteArray unscrambled() const;
    void permutationFor(int n, quint8 start, quint8* out) const;

    PermutationTable m_table;
};
