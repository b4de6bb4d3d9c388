#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, one byte per character: the character set of every text on the wire.
namespace cp1252 {

// Characters the code page lacks become '?'.
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

} // namespace cp1252
