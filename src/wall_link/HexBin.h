#pragma once

#include <QByteArray>
#include <QString>

// Small conversions used by the command records and by text handling elsewhere. Pure functions.
class THexBin final
{
public:
    // Keeps only 0-9, A-F, a-f in order and turns each pair into one byte; a lone last digit is dropped.
    static QByteArray HexToBin(const QString& text);
    // Without leading and trailing spaces and tabs.
    static QString Trim(const QString& text);
    // Exactly width characters: padded with spaces (after the text when left-aligned, before it
    // otherwise), then cut at the end. Width 0 gives an empty text; a negative width changes nothing.
    static QString Pad(const QString& text, int width, bool leftAligned);
    // Cuts rest at the first separator: returns the trimmed left part (upper-cased character by character
    // if asked, so it keeps its length) and leaves the trimmed remainder in rest. Without the separator the
    // whole of rest is the left part.
    static QString Split(const QString& separator, bool upperLeft, QString& rest);
};
