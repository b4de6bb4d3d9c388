#pragma once

#include <QString>

// Small text helpers shared by the wall vocabulary, the feeds and the tools.
namespace texttools {

// The text without the leading characters for which dropLeading holds and the trailing ones for which
// dropTrailing holds.
template <typename Leading, typename Trailing>
QString trimmed(const QString& text, Leading dropLeading, Trailing dropTrailing)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && dropLeading(text.at(begin)))
        ++begin;
    while (end > begin && dropTrailing(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

inline bool isSpaceOrTab(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Without blanks and tabs at both ends.
inline QString trimBlanks(const QString& text)
{
    return trimmed(text, isSpaceOrTab, isSpaceOrTab);
}

// 0..15 for a hexadecimal digit in either case, -1 for anything else.
inline int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Red, green and blue (0..255 each) as the controls hold a colour: 0x00BBGGRR.
inline quint32 colourValue(int red, int green, int blue)
{
    return static_cast<quint32>(blue & 0xFF) << 16 | static_cast<quint32>(green & 0xFF) << 8 |
           static_cast<quint32>(red & 0xFF);
}

} // namespace texttools
