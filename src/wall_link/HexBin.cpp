#include "wall_link/HexBin.h"

namespace {
int nibble(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool isPadding(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

QByteArray THexBin::HexToBin(const QString& text)
{
    QByteArray out;
    int high = -1;
    for (QChar c : text) {
        const int v = nibble(c);
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.append(static_cast<char>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

QString THexBin::Trim(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isPadding(text.at(begin)))
        ++begin;
    while (end > begin && isPadding(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString THexBin::Pad(const QString& text, int width, bool leftAligned)
{
    if (width < 0)
        return text;
    QString out = text;
    if (out.size() < width) {
        const QString fill(width - out.size(), QLatin1Char(' '));
        out = leftAligned ? out + fill : fill + out;
    }
    return out.left(width);
}

QString THexBin::Split(const QString& separator, bool upperLeft, QString& rest)
{
    if (rest.isEmpty() || separator.isEmpty())
        return {};
    QString left;
    const qsizetype at = rest.indexOf(separator);
    if (at >= 0) {
        left = rest.left(at);
        rest = rest.mid(at + separator.size());
    } else {
        left = rest;
        rest.clear();
    }
    left = Trim(left);
    rest = Trim(rest);
    if (upperLeft) {
        // Character by character: a capital that is more than one character (ß is SS) would change the
        // text's length, and the wall takes one byte per character.
        for (QChar& c : left)
            c = c.toUpper();
    }
    return left;
}
