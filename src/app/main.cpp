#include "app/Application.h"
#include "app/GuardedApplication.h"
#include "shell/CommandLine.h"
#include "shell/ErrorReport.h"
#include "shell/HelpPages.h"
#include "shell/Just1_32.h"
#include "shell/QtGerman.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char** argv)
{
    // --help and --version answer before the application object exists, which would need a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<QString> text =
            commandline::informationRequest(arguments, QStringLiteral(BRISAL_VERSION))) {
        std::fputs(qPrintable(*text), stdout);
        return 0;
    }

    MessageBoxReport report; // outlives the application object, which reports through it
    GuardedApplication app(argc, argv);
    installQtGerman(app);
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const QString programName = program.completeBaseName();

    // A second copy hands over to the first and ends before any window exists.
    TJustOne32 justOne(program.fileName());
    if (justOne.previousInstance()) {
        justOne.handOver();
        return 0;
    }

    app.setErrorReport(&report);
    const TableChoice table =
        choosePermutationTable(permutationTableCandidates(programName, program.absolutePath(), userSettingsDir()));

    ApplicationSetup setup;
    setup.table = table.table;
    setup.main.programName = programName;
    setup.main.helpFile = program.absolutePath() + QLatin1Char('/') + programName + QStringLiteral(".chm");
    setup.main.manualFolders = helppages::manualFolders(program.absolutePath());
    setup.main.arguments = app.arguments().mid(1);
    // The user's data folder under the settings' names (~/.local/share/ZEL/BrisalClient on Linux).
    setup.main.logFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ZEL/") + programName;
    BrisalClientApp client(setup, report);
    justOne.listen([&client] { client.FormMain.bringToFront(); });

    if (!table.messages.isEmpty()) {
        const QString text = table.messages.join(QLatin1Char('\n'));
        std::fprintf(stderr, "%s\n", qPrintable(text));
        report.showMessage(ErrorReport::Icon::Warning, QString(),
                           text +
                               QStringLiteral("\n\nEs gilt die eingebaute Permutationstabelle. Bitte die Datei durch "
                                              "die Tabelle des Wandservers ersetzen oder entfernen."));
    }

    client.FormMain.show();
    return app.exec();
}
