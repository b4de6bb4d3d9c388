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

std::optional<QString> informationRequest(const QStringList& arguments, const QString& version)
{
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return helpText();
        if (argument == QLatin1String("--version"))
            return QStringLiteral("BrisalClient %1\n").arg(version);
    }
    return std::nullopt;
}

QString helpText()
{
    return QStringLiteral("Aufruf: BrisalClient [/left=X] [/top=Y]\n"
                          "        BrisalClient --help | --version\n"
                          "\n"
                          "Bedienprogramm für die Videowand im Stadion.\n"
                          "\n"
                          "  /left=X      linke Kante des Startfensters in Bildpunkten (sonst die gespeicherte)\n"
                          "  /top=Y       obere Kante des Startfensters in Bildpunkten (sonst die gespeicherte)\n"
                          "  --help, -h   diesen Text zeigen und beenden\n"
                          "  --version    die Version zeigen und beenden\n"
                          "\n"
                          "Einstellungen: ~/.config/ZEL/BrisalClient.conf\n"
                          "Handbuch: F1 oder Menü \u201EHilfe\u201C im Programm; siehe auch \"man BrisalClient\".\n");
}

} // namespace commandline
