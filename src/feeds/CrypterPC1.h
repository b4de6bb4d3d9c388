#pragma once

#include <QByteArray>

// PC1 (Pukall Cipher 1, 128-bit key) as the FinishLynx feed wraps its messages: a byte stream cipher whose
// key is folded with every plaintext byte, so a byte cannot be deciphered without all bytes before it.
// On the wire the ciphertext is written as letters, one per half byte, 'a' = 0 up to 'p' = 15, high half
// first. The key is the key text's bytes padded with zero bytes (or cut) to 16 bytes.
class TCrypterPC1
{
public:
    static constexpr int kKeySize = 16;

    // Turns count letters (all of them when count < 0) into count / 2 plaintext bytes; a last single letter
    // is ignored. A letter outside 'a'..'p' counts with its low four bits above 'a'.
    static QByteArray decrypt(const QByteArray& keyText, const QByteArray& letters, qsizetype count = -1);
    // The letter form of the encryption of plain; decrypt of it gives plain back.
    static QByteArray encrypt(const QByteArray& keyText, const QByteArray& plain);
};
