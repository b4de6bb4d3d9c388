#pragma once

#include <QString>

class QRect;
class QWidget;

namespace testsupport {
// Grabs the whole X screen with import (a video widget shows its frames only there), cuts out window
// with a small margin and writes it to file; says so on stdout. Let the window settle first.
bool shootWindow(QWidget& window, const QString& file);
// The same for a part of the screen, for instance two windows side by side.
bool shootArea(const QRect& area, const QString& file);
// The output folder of a screenshot program, its only argument, made if missing; empty (after a usage
// line on stderr) when it was not given.
QString screenshotFolder(int argc, char** argv);
} // namespace testsupport
