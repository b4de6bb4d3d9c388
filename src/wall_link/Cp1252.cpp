#include "wall_link/Cp1252.h"

namespace cp1252 {
namespace {
// 0x80..0x9F; 0 marks the five unassigned positions, which decode as the C1 control of that value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
} // namespace

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        // The five unassigned positions map to the C1 control of the same value both ways.
        const bool unassigned = c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] == 0;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || unassigned) {
            out.append(static_cast<char>(c));
            continue;
        }
        char byte = '?';
        for (int k = 0; k < 32; ++k) {
            if (kHigh[k] != 0 && kHigh[k] == c) {
                byte = static_cast<char>(0x80 + k);
                break;
            }
        }
        // A surrogate pair is one character that the code page lacks: one '?', not two.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        out.append(byte);
    }
    return out;
}

QString decode(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<quint8>(ch);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            out.append(QChar(kHigh[b - 0x80]));
        else
            out.append(QChar(b));
    }
    return out;
}

} // namespace cp1252
