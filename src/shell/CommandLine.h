#pragma once

#include <QPoint>
#include <QStringList>

#include <optional>

namespace commandline {

// Applies "/TOP=n" and "/LEFT=n" (any letter case) to the main window's top-left corner, argument by
// argument, later ones winning. Everything up to the first '=' of such an argument is dropped and the rest
// read as a decimal number: 370 for a top, 25 for a left that is not a number.
QPoint applyPlacement(const QStringList& arguments, QPoint topLeft);

// The text to print for "--help" (or "-h") or "--version", whichever comes first, ending with a line
// break; nothing when the program is to start. Answered before any window, so no display is needed.
std::optional<QString> informationRequest(const QStringList& arguments, const QString& version);

// The German usage text of "--help".
QString helpText();

} // namespace commandline
