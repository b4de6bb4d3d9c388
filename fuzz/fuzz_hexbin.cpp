// HexToBin and Split take operator and feed text.
#include "wall_link/HexBin.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QString separator = QString::fromUtf8(reinterpret_cast<const char*>(data), data[0] % 4);
    const size_t offset = 1 + static_cast<size_t>(separator.toUtf8().size());
    if (offset > size)
        return 0;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + offset), static_cast<qsizetype>(size - offset));
    const QByteArray bytes = THexBin::HexToBin(text);
    if (bytes.size() > text.size() / 2)
        __builtin_trap();
    QString rest = text;
    const QString left = THexBin::Split(separator, (data[0] & 0x80) != 0, rest);
    if (left.size() + rest.size() > text.size())
        __builtin_trap();
    (void)THexBin::Pad(text, data[0] % 64 - 8, (data[0] & 1) != 0);
    return 0;
}
