#include "wall_link/HexBin.h"

#include "wall_link/TextTools.h"

QByteArray THexBin::HexToBin(const QString& text)
{
    QByteArray out;
    int high = -1;
    for (QChar c : text) {
        const int v = texttools::hexDigit(c.unicode());
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
    return texttools::trimBlanks(text);
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
