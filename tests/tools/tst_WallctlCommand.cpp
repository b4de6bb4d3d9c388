#include "WallctlCommand.h"

#include <QTest>

namespace {

// Hex of the bytes before a text, followed by the text's bytes (ASCII or Windows-1252 escapes).
QString h(const char* hexPrefix, const QByteArray& text = {})
{
    QString out = QString::fromLatin1(hexPrefix);
    if (!text.isEmpty())
        out += QLatin1Char(' ') + QString::fromLatin1(text.toHex(' ').toUpper());
    return out;
}

QStringList hexBodies(const wallcmd::Bodies& bodies)
{
    QStringList out;
    for (const QByteArray& body : bodies)
        out << QString::fromLatin1(body.toHex(' ').toUpper());
    return out;
}

} // namespace

class tst_WallctlCommand final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsGiveExactBodies_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("bodies");
        QTest::addColumn<bool>("awaitsReply");

        QTest::newRow("ping") << QStringList{"ping"} << QStringList{"80 FD"} << true;
        QTest::newRow("details") << QStringList{"details"} << QStringList{"80 FE"} << true;
        QTest::newRow("erase") << QStringList{"erase"} << QStringList{"D0 00", "10 12"} << false;
        QTest::newRow("send, spaces and case")
            << QStringList{"send", "d0 02", "1021 4865"} << QStringList{"D0 02", "10 21 48 65"} << false;
        QTest::newRow("send, 284 bytes") << QStringList{"send", QString(568, QLatin1Char('A'))}
                                         << QStringList{QString::fromLatin1(
                                                QByteArray(284, '\xAA').toHex(' ').toUpper())}
                                         << false;
        QTest::newRow("time alone is the timing display's")
            << QStringList{"time", "14:05:33"} << QStringList{h("D0 01 C0 11 00 00 FF FF 10 11", "14:05:33"), "10 12"}
            << false;
        QTest::newRow("time with small text is the clock page's")
            << QStringList{"time", "14:05:33", "Willkommen"}
            << QStringList{h("D0 01 C0 11 00 00 FF FF 10 11", "14:05:33"), h("C0 12 00 FF 00 00 10 12", "Willkommen")}
            << false;
        QTest::newRow("analog") << QStringList{"analog"} << QStringList{"D0 09"} << false;
        QTest::newRow("soccer, umlaut as one byte")
            << QStringList{"soccer", "Heim", QStringLiteral("G\u00e4ste"), "2", "0"}
            << QStringList{h("D0 02 C0 21 00 FF FF 00 10 21", "Heim"), h("C0 22 00 FF FF 00 10 22", "G\xE4ste"),
                           h("C0 23 00 FF FF FF 10 23", "2"), h("C0 24 00 FF FF FF 10 24", "0")}
            << false;
        QTest::newRow("soccer, leading zeros dropped")
            << QStringList{"soccer", "A", "B", "007", "10"}
            << QStringList{h("D0 02 C0 21 00 FF FF 00 10 21", "A"), h("C0 22 00 FF FF 00 10 22", "B"),
                           h("C0 23 00 FF FF FF 10 23", "7"), h("C0 24 00 FF FF FF 10 24", "10")}
            << false;
        const QStringList football{h("D0 03 C0 31 00 FF FF 00 10 31", "Heim"), h("C0 32 00 FF FF 00 10 32", "Gast"),
                                   h("C0 33 00 FF FF FF 10 33", "14"), h("C0 34 00 FF FF FF 10 34", "7")};
        QTest::newRow("football, clock standing (red)")
            << QStringList{"football", "Heim", "Gast", "14", "7", "12:34"}
            << (QStringList(football) << h("C0 35 00 00 00 FF 10 35", "12:34")) << false;
        QTest::newRow("football, --running anywhere (green)")
            << QStringList{"football", "--running", "Heim", "Gast", "14", "7", "12:34"}
            << (QStringList(football) << h("C0 35 00 00 FF 00 10 35", "12:34")) << false;
        QTest::newRow("sets") << QStringList{"sets", "Heim", "Gast", "3", "4", "1", "0"}
                              << QStringList{h("D0 08 C0 51 00 00 00 FF 10 51", "Heim"),
                                             h("C0 52 00 00 00 FF 10 52", "Gast"),
                                             h("C0 53 00 00 00 FF 10 53", "3"),
                                             h("C0 54 00 00 00 FF 10 54", "4"),
                                             h("C0 55 00 00 00 FF 10 55", "1"),
                                             h("C0 56 00 00 00 FF 10 56", "0")}
                              << false;
        QTest::newRow("text, defaults, empty and missing lines")
            << QStringList{"text", "Eins", "", "Drei"}
            << QStringList{"D0 0B",
                           "C1 40 00 C0 41 00 00 00 FF C0 42 00 C0 C0 C0 C0 43 00 FF FF FF 10 41",
                           h("10 43 01", "Eins"),
                           "10 43 02",
                           h("10 43 03", "Drei"),
                           "10 43 04 20",
                           "10 43 05 20",
                           "10 43 06 20",
                           "10 43 07 20",
                           "10 43 08 20"}
            << false;
        QTest::newRow("text, every option")
            << QStringList{"text",     "--header",        "Ergebnis", "--mode", "auto",
                           "--colors", "00ff00,,#0000FF", "--rows=2", "X"}
            << QStringList{"D0 0B",
                           h("C1 40 02 C0 41 00 00 FF 00 C0 42 00 C0 C0 C0 C0 43 00 FF 00 00 10 41", "Ergebnis"),
                           h("10 43 01", "X"), "10 43 02 20"}
            << false;
        QTest::newRow("text, mode on, no rows")
            << QStringList{"text", "--mode", "on", "--rows", "0", "X"}
            << QStringList{"D0 0B", "C1 40 01 C0 41 00 00 00 FF C0 42 00 C0 C0 C0 C0 43 00 FF FF FF 10 41"} << false;
        QTest::newRow("text, -- lets a line begin with --")
            << QStringList{"text", "--rows", "1", "--", "--x"}
            << QStringList{"D0 0B", "C1 40 00 C0 41 00 00 00 FF C0 42 00 C0 C0 C0 C0 43 00 FF FF FF 10 41",
                           h("10 43 01", "--x")}
            << false;
        QTest::newRow("live") << QStringList{"live"} << QStringList{"D0 F6", "D0 07"} << false;
        QTest::newRow("camera") << QStringList{"camera"} << QStringList{"D0 F6", "D0 0D"} << false;
        QTest::newRow("startup, empty small text")
            << QStringList{"startup", "00:00:00", ""} << QStringList{"EE A1 30 30 3A 30 30 3A 30 30", "EE A2"} << false;
        QTest::newRow("close-server") << QStringList{"close-server"} << QStringList{h("EE EE", "CloseServer")} << false;
        QTest::newRow("shutdown-server") << QStringList{"shutdown-server"} << QStringList{h("EE EE", "Shutdown")}
                                         << false;
        QTest::newRow("euro sign as 0x80, unknown character as ?")
            << QStringList{"startup", QStringLiteral("\u20ac"), QStringLiteral("\u4e2d")}
            << QStringList{"EE A1 80", "EE A2 3F"} << false;
    }
    void commandsGiveExactBodies()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, bodies);
        QFETCH(bool, awaitsReply);
        const WallctlParse parsed = parseWallctl(args);
        QVERIFY2(parsed.request.has_value(), qPrintable(parsed.error));
        QCOMPARE(hexBodies(parsed.request->bodies).join(QLatin1String(" | ")), bodies.join(QLatin1String(" | ")));
        QCOMPARE(parsed.request->awaitsReply, awaitsReply);
    }

    void badInputIsRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");

        QTest::newRow("nothing") << QStringList{} << "no command";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command";
        QTest::newRow("missing argument") << QStringList{"soccer", "Heim", "Gast", "2"} << "needs";
        QTest::newRow("startup missing small") << QStringList{"startup", "X"} << "needs";
        QTest::newRow("send nothing") << QStringList{"send"} << "needs";
        QTest::newRow("goals not a number") << QStringList{"soccer", "Heim", "Gast", "two", "0"} << "whole number";
        QTest::newRow("negative goals") << QStringList{"soccer", "Heim", "Gast", "-1", "0"} << "whole number";
        QTest::newRow("signed goals") << QStringList{"soccer", "Heim", "Gast", "+1", "0"} << "whole number";
        QTest::newRow("sets count") << QStringList{"sets", "A", "B", "1", "2", "3", "4x"} << "whole number";
        QTest::newRow("extra argument") << QStringList{"soccer", "A", "B", "1", "2", "3"} << "unexpected argument";
        QTest::newRow("argument to ping") << QStringList{"ping", "now"} << "unexpected argument";
        QTest::newRow("bad hex digit") << QStringList{"send", "D0 0G"} << "bad hex digit";
        QTest::newRow("odd hex digits") << QStringList{"send", "D0 0"} << "odd number";
        QTest::newRow("empty body") << QStringList{"send", "D0 00", " "} << "empty body";
        QTest::newRow("body over 284") << QStringList{"send", QString(570, QLatin1Char('a'))} << "285 bytes";
        QTest::newRow("text line too long")
            << QStringList{"text", QString(282, QLatin1Char('x'))} << "body 3 is 285 bytes";
        QTest::newRow("header too long") << QStringList{"text", "--header", QString(270, QLatin1Char('x'))}
                                         << "body 2 is";
        QTest::newRow("unknown mode") << QStringList{"text", "--mode", "sometimes", "X"} << "--mode";
        QTest::newRow("two colours") << QStringList{"text", "--colors", "FF0000,C0C0C0", "X"} << "three colours";
        QTest::newRow("bad colour") << QStringList{"text", "--colors", "GG0000,,", "X"} << "RRGGBB";
        QTest::newRow("short colour") << QStringList{"text", "--colors", "FFF,,", "X"} << "RRGGBB";
        QTest::newRow("rows not a number") << QStringList{"text", "--rows", "x", "X"} << "whole number";
        QTest::newRow("rows over 255") << QStringList{"text", "--rows", "256", "X"} << "from 0 to 255";
        QTest::newRow("zero timeout") << QStringList{"--timeout", "0", "ping"} << "--timeout";
        QTest::newRow("timeout not a number") << QStringList{"--timeout", "1s", "ping"} << "whole number";
        QTest::newRow("port 0") << QStringList{"--port", "0", "ping"} << "--port";
        QTest::newRow("port too big") << QStringList{"--port", "70000", "ping"} << "--port";
        QTest::newRow("value missing") << QStringList{"ping", "--wall"} << "needs a value";
        QTest::newRow("empty wall") << QStringList{"--wall", " ", "ping"} << "--wall";
        QTest::newRow("unknown option") << QStringList{"--bogus", "ping"} << "unknown option";
        QTest::newRow("text option on soccer")
            << QStringList{"soccer", "--header", "X", "A", "B", "1", "2"} << "does not apply";
        QTest::newRow("running on text") << QStringList{"text", "--running", "X"} << "does not apply";
        QTest::newRow("running with a value")
            << QStringList{"football", "A", "B", "1", "2", "00:00", "--running=1"} << "takes no value";
    }
    void badInputIsRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const WallctlParse parsed = parseWallctl(args);
        QVERIFY(!parsed.request.has_value());
        QVERIFY2(parsed.error.contains(message), qPrintable(parsed.error));
    }

    void globalOptionsAnywhere()
    {
        const WallctlParse parsed = parseWallctl({"--wall=10.1.2.3", "ping", "--timeout", "250", "--port", "5000",
                                                  "--local-port=0", "--table", "/x/y.table"});
        QVERIFY2(parsed.request.has_value(), qPrintable(parsed.error));
        QCOMPARE(parsed.request->wall, QStringLiteral("10.1.2.3"));
        QCOMPARE(parsed.request->timeoutMs, 250);
        QCOMPARE(parsed.request->port, quint16{5000});
        QCOMPARE(parsed.request->localPort, quint16{0});
        QCOMPARE(parsed.request->tableFile, QStringLiteral("/x/y.table"));
        QCOMPARE(parsed.request->command, QStringLiteral("ping"));
    }

    void defaults()
    {
        const WallctlParse parsed = parseWallctl({"erase"});
        QVERIFY(parsed.request.has_value());
        QVERIFY(parsed.request->wall.isEmpty());
        QCOMPARE(parsed.request->port, quint16{57001});
        QCOMPARE(parsed.request->localPort, quint16{0});
        QCOMPARE(parsed.request->timeoutMs, 1000);
    }

    void helpNeedsNoCommand()
    {
        for (const QStringList& args : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"soccer", "--help"}}) {
            const WallctlParse parsed = parseWallctl(args);
            QVERIFY(parsed.request.has_value());
            QVERIFY(parsed.request->help);
        }
        for (const char* command : {"ping", "details", "erase", "send", "time", "analog", "soccer", "football", "sets",
                                    "text", "live", "camera", "startup", "close-server", "shutdown-server"})
            QVERIFY2(wallctlUsage().contains(QLatin1String(command)), command);
    }
};

QTEST_APPLESS_MAIN(tst_WallctlCommand)
#include "tst_WallctlCommand.moc"
