#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace helppages {

// What F1 and "Hilfe" open.
struct HelpTarget
{
    enum class Kind
    {
        None,
        CompiledHelp,
        ManualPage
    };
    Kind kind = Kind::None;
    QString chmFile; // CompiledHelp: the .chm next to the program
    QUrl url;        // ManualPage: file:// URL of the page, with the window's anchor where it has one
};

// The manual page (file name and optional "#anchor") that explains a window, by its class name
// ("TFormSocker"); "index.html" for any other name, so help always lands somewhere.
QString pageForWindow(const QString& windowClass);

// Where the manual may stand, best first: installed beside the program's data (<bindir>/../share/...),
// then where a build writes it (<build>/handbuch, two folders above <build>/src/app).
QStringList manualFolders(const QString& programDir);

// A compiled-HTML help file "<programDir>/<programName>.chm" comes first where one exists; otherwise the
// page for the focused window in the first folder that holds the manual; otherwise nothing.
HelpTarget chooseHelp(const QString& programDir, const QString& programName, const QString& windowClass,
                      const QStringList& manualFolders);

} // namespace helppages
