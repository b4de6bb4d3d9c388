#pragma once

#include <QByteArray>

#include <optional>

class TCrypter;

// Datagram frame, both directions:
//   offset 0      1 byte   0xA0 | key length k (0..15); the client always sends k = 15, so 0xAF
//   offset 1      k bytes  key, in clear
//   offset 1 + k  n bytes  body scrambled with the key (key type 1); a body of 256 bytes or more
//                          travels in clear because the scrambler refuses it
namespace frame {

constexpr int kMaxBody = 284; // so a datagram is at most 300 bytes
constexpr int kMaxDatagram = 300;

// Scrambles and frames one body under the given key (normally TCrypter::randomKey()).
// Returns an empty array for an empty body or one longer than kMaxBody: such a body is not sent.
QByteArray frameBody(const TCrypter& crypter, const QByteArray& body, const QByteArray& key);

// Unframes and unscrambles a received datagram. nullopt for an empty datagram or one whose header
// nibble is not 0xA. A datagram shorter than its announced key gives an empty body.
std::optional<QByteArray> unframe(const TCrypter& crypter, const QByteArray& datagram);

} // namespace frame
