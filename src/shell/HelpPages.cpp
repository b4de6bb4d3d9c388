#include "shell/HelpPages.h"

#include <QDir>
#include <QFileInfo>

namespace helppages {

namespace {
// The page names are those docs/manual/CMakeLists.txt builds; tst_HelpPages checks each one exists.
struct WindowPage
{
    const char* windowClass;
    const char* page;
};
constexpr WindowPage kPages[] = {
    {"TFormMain", "hauptfenster.html"},
    {"TFormConfig", "konfiguration.html"},
    {"TFormWatch", "uhrzeit.html"},
    {"TFormZMT", "zeitmesstechnik.html"},
    {"TFormSocker", "fussball.html"},
    {"TFormAmericanFootball", "american-football.html"},
    {"TFormSpielUndSatz", "spiel-und-satz.html"},
    {"TFormTextbox", "textliste.html"},
    {"TFormJpg", "bild.html"},
    {"TFormVideo", "video.html"},
    {"TFormWertung", "zuspielungen.html#zwischenwertung"},
    {"TFormTastenkuerzel", "tastenkuerzel.html"},
};
const QString kIndex = QStringLiteral("index.html");
} // namespace

QString pageForWindow(const QString& windowClass)
{
    for (const WindowPage& entry : kPages) {
        if (windowClass == QLatin1String(entry.windowClass))
            return QString::fromLatin1(entry.page);
    }
    return kIndex;
}

QStringList manualFolders(const QString& programDir)
{
    const QDir dir(programDir);
    return {QDir::cleanPath(dir.filePath(QStringLiteral("../share/brisal-client/handbuch"))),
            QDir::cleanPath(dir.filePath(QStringLiteral("../../handbuch")))};
}

HelpTarget chooseHelp(const QString& programDir, const QString& programName, const QString& windowClass,
                      const QStringList& manualFolders)
{
    const QFileInfo chm(QDir(programDir).filePath(programName + QStringLiteral(".chm")));
    if (chm.isFile())
        return {HelpTarget::Kind::CompiledHelp, chm.absoluteFilePath(), {}};

    const QString page = pageForWindow(windowClass);
    const QString file = page.section(QLatin1Char('#'), 0, 0);
    const QString anchor = page.section(QLatin1Char('#'), 1);
    for (const QString& folder : manualFolders) {
        const QDir dir(folder);
        if (!QFileInfo(dir.filePath(kIndex)).isFile())
            continue;
        const QFileInfo target(dir.filePath(file));
        QUrl url = QUrl::fromLocalFile(target.isFile() ? target.absoluteFilePath() : dir.absoluteFilePath(kIndex));
        if (target.isFile() && !anchor.isEmpty())
            url.setFragment(anchor);
        return {HelpTarget::Kind::ManualPage, {}, url};
    }
    return {};
}

} // namespace helppages
