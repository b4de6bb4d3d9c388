#pragma once

#include <QPoint>
#include <QStringList>

namespace commandline {

// Applies "/TOP=n" and "/LEFT=n" (any letter case) to the main window's top-left corner, argument by
// argument, later ones winning. Everything up to the first '=' of such an argument is dropped and the rest
// read as a decimal number: 370 for a top, 25 for a left that is not a number.
QPoint applyPlacement(const QStringList& arguments, QPoint topLeft);

} // namespace commandline
