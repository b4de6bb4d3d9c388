#include "shell/CommandLine.h"
#include "shell/Version.h"

#include <QTest>

// The pure texts of the shell: the version string, the placement arguments and --help / --version.
class tst_ShellText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void versionString();
    void keywordValue_data();
    void keywordValue();
    void placement_data();
    void placement();
    void informationRequest_data();
    void informationRequest();
    void helpNamesEveryArgument();
};

void tst_ShellText::versionString()
{
    const QString v = version::versionString();
    QCOMPARE(v, QStringLiteral("00.02.06 (2022-JUL-05; 08:42)"));
    QCOMPARE(v.size(), 29);
}

void tst_ShellText::keywordValue_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("value");
    QTest::newRow("version") << "$Version: 00.02.06 $"
                             << "00.02.06";
    QTest::newRow("date") << "$VersDate: 2022-JUL-05 $"
                          << "2022-JUL-05";
    QTest::newRow("time keeps inner colon") << "$VersTime: 08:42 $"
                                            << "08:42";
    QTest::newRow("blanks inside dropped") << "$Version: 1 2\t3 $"
                                           << "123";
    QTest::newRow("empty keyword") << "$Version: $"
                                   << "fallback";
    QTest::newRow("no colon") << "$Version $"
                              << "$Version";
    QTest::newRow("too short") << "$"
                               << "fallback";
    QTest::newRow("empty") << ""
                           << "fallback";
}

void tst_ShellText::keywordValue()
{
    QFETCH(QString, keyword);
    QFETCH(QString, value);
    QCOMPARE(version::keywordValue(keyword, QStringLiteral("fallback")), value);
}

void tst_ShellText::placement_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QPoint>("topLeft");
    const QPoint stored(25, 370);
    QTest::newRow("none") << QStringList{} << stored;
    QTest::newRow("small letters") << QStringList{"/left=300", "/top=10"} << QPoint(300, 10);
    QTest::newRow("top not a number") << QStringList{"/TOP=abc"} << QPoint(25, 370);
    QTest::newRow("left not a number") << QStringList{"/LEFT=", "/TOP=7"} << QPoint(25, 7);
    QTest::newRow("later wins") << QStringList{"/TOP=5", "/TOP=6"} << QPoint(25, 6);
    QTest::newRow("negative") << QStringList{"/LEFT=-20"} << QPoint(-20, 370);
    QTest::newRow("other arguments ignored") << QStringList{"-platform", "xcb", "TOP=3"} << stored;
    // One argument carrying both: the top takes everything after its first '=', which is no number.
    QTest::newRow("both in one") << QStringList{"/TOP=5/LEFT=7"} << QPoint(7, 370);
    QTest::newRow("prefix before") << QStringList{"X/TOP=12"} << QPoint(25, 12);
}

void tst_ShellText::placement()
{
    QFETCH(QStringList, arguments);
    QFETCH(QPoint, topLeft);
    QCOMPARE(commandline::applyPlacement(arguments, QPoint(25, 370)), topLeft);
}

void tst_ShellText::informationRequest_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("printed"); // "help", the version line, or empty: start the program
    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("placement only") << QStringList{"/left=300", "/top=10"} << "";
    QTest::newRow("version") << QStringList{"--version"} << "BrisalClient 1.2.3\n";
    QTest::newRow("help") << QStringList{"--help"} << "help";
    QTest::newRow("short help") << QStringList{"-h"} << "help";
    QTest::newRow("after placement") << QStringList{"/top=10", "--version"} << "BrisalClient 1.2.3\n";
    QTest::newRow("first one wins") << QStringList{"--version", "--help"} << "BrisalClient 1.2.3\n";
    QTest::newRow("case matters") << QStringList{"--VERSION", "/HELP"} << "";
    QTest::newRow("with a value is no request") << QStringList{"--version=2"} << "";
}

void tst_ShellText::informationRequest()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, printed);
    const std::optional<QString> text = commandline::informationRequest(arguments, QStringLiteral("1.2.3"));
    QCOMPARE(text.has_value(), !printed.isEmpty());
    if (text)
        QCOMPARE(*text, printed == QLatin1String("help") ? commandline::helpText() : printed);
}

// The usage names every argument the program understands, in the form it is typed.
void tst_ShellText::helpNamesEveryArgument()
{
    const QString help = commandline::helpText();
    for (const char* argument : {"/left=X", "/top=Y", "--help", "-h", "--version"})
        QVERIFY2(help.contains(QLatin1String(argument)), argument);
    QVERIFY(help.endsWith(QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(tst_ShellText)
#include "tst_ShellText.moc"
