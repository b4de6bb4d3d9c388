#include "shell/HelpPages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using helppages::HelpTarget;

// Which help F1 opens: the .chm beside the program, else the manual page of the focused window.
class tst_HelpPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choose_data();
    void choose();
    void builtManualHasEveryPage_data();
    void builtManualHasEveryPage();
};

namespace {
void touch(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}
} // namespace

void tst_HelpPages::choose_data()
{
    // Files below a temporary root; the program lives in "a/bin", so the installed manual is
    // "a/share/brisal-client/handbuch" and the build tree's is "handbuch".
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("windowClass");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected"); // the .chm, or the page URL's path and fragment
    const QString inst = QStringLiteral("a/share/brisal-client/handbuch/");
    const QString build = QStringLiteral("handbuch/");
    const int none = int(HelpTarget::Kind::None), chm = int(HelpTarget::Kind::CompiledHelp),
              page = int(HelpTarget::Kind::ManualPage);

    QTest::newRow("chm beside the program wins") << QStringList{"a/bin/BrisalClient.chm", inst + "index.html"}
                                                 << "TFormSocker" << chm << "a/bin/BrisalClient.chm";
    QTest::newRow("installed page of the window")
        << QStringList{inst + "index.html", inst + "fussball.html", build + "index.html", build + "fussball.html"}
        << "TFormSocker" << page << inst + "fussball.html";
    QTest::newRow("page with anchor") << QStringList{inst + "index.html", inst + "zuspielungen.html"} << "TFormWertung"
                                      << page << inst + "zuspielungen.html#zwischenwertung";
    QTest::newRow("unknown window: contents")
        << QStringList{inst + "index.html", inst + "fussball.html"} << "QMessageBox" << page << inst + "index.html";
    QTest::newRow("no focused window: contents")
        << QStringList{inst + "index.html"} << "" << page << inst + "index.html";
    QTest::newRow("missing page: contents, no anchor")
        << QStringList{inst + "index.html"} << "TFormWertung" << page << inst + "index.html";
    QTest::newRow("build tree when not installed")
        << QStringList{build + "index.html", build + "video.html"} << "TFormVideo" << page << build + "video.html";
    QTest::newRow("folder without contents skipped")
        << QStringList{inst + "video.html", build + "index.html", build + "video.html"} << "TFormVideo" << page
        << build + "video.html";
    QTest::newRow("chm of another program ignored") << QStringList{"a/bin/Other.chm"} << "TFormMain" << none << "";
    QTest::newRow("nothing there") << QStringList{} << "TFormMain" << none << "";
}

void tst_HelpPages::choose()
{
    QFETCH(QStringList, files);
    QFETCH(QString, windowClass);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    for (const QString& file : files)
        touch(root.filePath(file));
    const QString programDir = root.filePath(QStringLiteral("a/bin"));

    const HelpTarget target = helppages::chooseHelp(programDir, QStringLiteral("BrisalClient"), windowClass,
                                                    helppages::manualFolders(programDir));
    QCOMPARE(int(target.kind), kind);
    if (target.kind == HelpTarget::Kind::CompiledHelp)
        QCOMPARE(target.chmFile, root.filePath(expected));
    if (target.kind == HelpTarget::Kind::ManualPage) {
        QVERIFY(target.url.isLocalFile());
        const QString fragment = target.url.hasFragment() ? QLatin1Char('#') + target.url.fragment() : QString();
        QCOMPARE(target.url.toLocalFile() + fragment, root.filePath(expected));
    }
}

void tst_HelpPages::builtManualHasEveryPage_data()
{
    QTest::addColumn<QString>("windowClass");
    for (const char* windowClass :
         {"TFormMain", "TFormConfig", "TFormWatch", "TFormZMT", "TFormSocker", "TFormAmericanFootball",
          "TFormSpielUndSatz", "TFormTextbox", "TFormJpg", "TFormVideo", "TFormWertung", "TFormTastenkuerzel"})
        QTest::newRow(windowClass) << QString::fromLatin1(windowClass);
}

// The pages the chooser names exist in the manual the build writes, so a renamed page cannot go unnoticed.
void tst_HelpPages::builtManualHasEveryPage()
{
    QFETCH(QString, windowClass);
    const QString programDir = qEnvironmentVariable("BRISAL_BINARY_DIR") + QStringLiteral("/src/app");
    const QStringList folders = helppages::manualFolders(programDir);
    if (!QFileInfo::exists(folders.last() + QStringLiteral("/index.html")))
        QSKIP("the manual is not built (python3-markdown missing)");

    const QString page = helppages::pageForWindow(windowClass);
    QVERIFY(page != QStringLiteral("index.html"));
    const HelpTarget target =
        helppages::chooseHelp(programDir, QStringLiteral("BrisalClient"), windowClass, {folders.last()});
    QCOMPARE(int(target.kind), int(HelpTarget::Kind::ManualPage));
    QCOMPARE(target.url.fileName(), page.section(QLatin1Char('#'), 0, 0));
    const QString anchor = page.section(QLatin1Char('#'), 1);
    if (!anchor.isEmpty()) {
        QFile html(target.url.toLocalFile());
        QVERIFY(html.open(QIODevice::ReadOnly));
        QVERIFY2(html.readAll().contains(QStringLiteral("id=\"%1\"").arg(anchor).toUtf8()), qPrintable(anchor));
    }
}

QTEST_GUILESS_MAIN(tst_HelpPages)
#include "tst_HelpPages.moc"
