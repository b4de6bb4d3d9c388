#include "shell/CommandLine.h"

namespace commandline {

namespace {
// Cuts the argument after its first '=' and reads the rest as a number.
int takeNumber(QString& argument, int fallback)
{
    argument.remove(0, argument.indexOf(QLatin1Char('=')) + 1);
    bool ok = false;
    const int value = argument.toInt(&ok, 10);
    return ok ? value : fallback;
}
} // namespace

QPoint applyPlacement(const QStringList& arguments, QPoint topLeft)
{
    for (const QString& original : arguments) {
        QString argument = original.toUpper();
        if (argument.contains(QLatin1String("/TOP=")))
            topLeft.setY(takeNumber(argument, 370));
        if (argument.contains(QLatin1String("/LEFT=")))
            topLeft.setX(takeNumber(argument, 25));
    }
    return topLeft;
}

} // namespace commandline
