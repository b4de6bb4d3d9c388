#include "wall_link/WallCommands.h"

#include <QTest>

using namespace wallcmd;

namespace {
// Whole sequences as one string, one body per line, so a failure shows the full difference.
QString hex(const Bodies& bodies)
{
    QStringList lines;
    for (const QByteArray& b : bodies)
        lines << QString::fromLatin1(b.toHex(' ').toUpper());
    return lines.join(QLatin1Char('\n'));
}
QString h(std::initializer_list<const char*> parts)
{
    QStringList lines;
    for (const char* p : parts)
        lines << QString::fromLatin1(p);
    return lines.join(QLatin1Char('\n'));
}
} // namespace

class TstWallCommands final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sequences_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");

        QTest::newRow("erase") << hex(erase()) << h({"D0 00", "10 12"});
        QTest::newRow("erase text list") << hex(eraseTextList()) << h({"D0 00"});
        QTest::newRow("soccer Heim Gäste 2:0")
            << hex(soccerShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 2, 0))
            << h({"D0 02 C0 21 00 FF FF 00 10 21 48 65 69 6D", "C0 22 00 FF FF 00 10 22 47 E4 73 74 65",
                  "C0 23 00 FF FF FF 10 23 32", "C0 24 00 FF FF FF 10 24 30"});
        QTest::newRow("soccer goals 12, empty name")
            << hex(soccerShow(QString(), QStringLiteral("B"), 12, 0))
            << h({"D0 02 C0 21 00 FF FF 00 10 21", "C0 22 00 FF FF 00 10 22 42", "C0 23 00 FF FF FF 10 23 31 32",
                  "C0 24 00 FF FF FF 10 24 30"});
        QTest::newRow("clock digital")
            << hex(clockSecond(QStringLiteral("14:05:33"), QStringLiteral("Uhr"), true, false))
            << h({"D0 01 C0 11 00 00 FF FF 10 11 31 34 3A 30 35 3A 33 33", "C0 12 00 FF 00 00 10 12 55 68 72"});
        QTest::newRow("clock digital and analog")
            << hex(clockSecond(QStringLiteral("1"), QString(), true, true))
            << h({"D0 01 C0 11 00 00 FF FF 10 11 31", "C0 12 00 FF 00 00 10 12", "D0 09"});
        QTest::newRow("clock analog only")
            << hex(clockSecond(QStringLiteral("1"), QString(), false, true)) << h({"D0 09"});
        QTest::newRow("clock neither") << hex(clockSecond(QStringLiteral("1"), QString(), false, false)) << QString();
        QTest::newRow("timing") << hex(timingTime(QStringLiteral("12.3")))
                                << h({"D0 01 C0 11 00 00 FF FF 10 11 31 32 2E 33", "10 12"});
        QTest::newRow("football running")
            << hex(footballShow(QStringLiteral("A"), QStringLiteral("B"), 7, 3, GameClock::Running,
                                QStringLiteral("15:00")))
            << h({"D0 03 C0 31 00 FF FF 00 10 31 41", "C0 32 00 FF FF 00 10 32 42", "C0 33 00 FF FF FF 10 33 37",
                  "C0 34 00 FF FF FF 10 34 33", "C0 35 00 00 FF 00 10 35 31 35 3A 30 30"});
        QTest::newRow("football standing") << hex(footballShow(QStringLiteral("A"), QStringLiteral("B"), 0, 0,
                                                               GameClock::Standing, QStringLiteral("00:00")))
                                                  .section(QLatin1Char('\n'), 4)
                                           << h({"C0 35 00 00 00 FF 10 35 30 30 3A 30 30"});
        QTest::newRow("football clock hidden") << hex(footballShow(QStringLiteral("A"), QStringLiteral("B"), 0, 0,
                                                                   GameClock::Hidden, QStringLiteral("00:00")))
                                                      .section(QLatin1Char('\n'), 4)
                                               << h({"10 35 30 30 3A 30 30"});
        QTest::newRow("football clock tick")
            << hex(footballClock(true, QStringLiteral("01:02"))) << h({"C0 35 00 00 FF 00 10 35 30 31 3A 30 32"});
        QTest::newRow("sets") << hex(setsShow(QStringLiteral("H"), QStringLiteral("G"), 1, 2, 3, 4))
                              << h({"D0 08 C0 51 00 00 00 FF 10 51 48", "C0 52 00 00 00 FF 10 52 47",
                                    "C0 53 00 00 00 FF 10 53 31", "C0 54 00 00 00 FF 10 54 32",
                                    "C0 55 00 00 00 FF 10 55 33", "C0 56 00 00 00 FF 10 56 34"});
        QTest::newRow("sets clear media") << hex(setsClearMedia()) << h({"10 57"});
        QTest::newRow("sets video prelude") << hex(setsVideoPrelude()) << h({"D0 F6"});
        QTest::newRow("text list 3 lines on 8 rows")
            << hex(textListShow(TimeBarMode::Automatic, TextListColours{}, QStringLiteral("Kopf"),
                                {QStringLiteral("a"), QString(), QStringLiteral("c")}, 8))
            << h({"D0 0B", "C1 40 02 C0 41 00 00 00 FF C0 42 00 C0 C0 C0 C0 43 00 FF FF FF 10 41 4B 6F 70 66",
                  "10 43 01 61", "10 43 02", "10 43 03 63", "10 43 04 20", "10 43 05 20", "10 43 06 20", "10 43 07 20",
                  "10 43 08 20"});
        QTest::newRow("text list zero rows")
            << hex(textListShow(TimeBarMode::Off, {0x123456, 0x00ABCDEF, 0}, QString(), {QStringLiteral("x")}, 0))
            << h({"D0 0B", "C1 40 00 C0 41 00 12 34 56 C0 42 00 AB CD EF C0 43 00 00 00 00 10 41"});
        QTest::newRow("picture") << hex(pictureShow()) << h({"D0 05"});
        QTest::newRow("video") << hex(videoShow()) << h({"D0 F6", "D0 06"});
        QTest::newRow("live video") << hex(liveVideoShow()) << h({"D0 F6", "D0 07"});
        QTest::newRow("camera") << hex(cameraShow()) << h({"D0 F6", "D0 0D"});
        QTest::newRow("life sign") << hex(lifeSignQuery()) << h({"80 FD"});
        QTest::newRow("details") << hex(detailsQuery()) << h({"80 FE"});
        QTest::newRow("close server") << hex(closeServer()) << h({"EE EE 43 6C 6F 73 65 53 65 72 76 65 72"});
        QTest::newRow("shutdown") << hex(shutdownServer()) << h({"EE EE 53 68 75 74 64 6F 77 6E"});
        QTest::newRow("startup texts") << hex(startupTexts(QStringLiteral("00:00:00"), QStringLiteral("Grüß")))
                                       << h({"EE A1 30 30 3A 30 30 3A 30 30", "EE A2 47 72 FC DF"});
        QTest::newRow("unknown character")
            << hex({textRecord(0x21, QStringLiteral("a€b\u4E2D"))}) << h({"10 21 61 80 62 3F"});
    }

    void sequences()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void statusReply_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("isReply");
        QTest::addColumn<bool>("hasSize");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("version");
        QTest::newRow("40x10") << QByteArray::fromHex("10FD280A") + "V1.2" << true << true << 40 << 10
                               << QStringLiteral("V1.2");
        QTest::newRow("no version") << QByteArray::fromHex("10FD2008") << true << true << 32 << 8 << QString();
        QTest::newRow("short") << QByteArray::fromHex("10FD20") << true << false << 0 << 0 << QString();
        QTest::newRow("10 FE") << QByteArray::fromHex("10FE2008") << false << false << 0 << 0 << QString();
        QTest::newRow("C0") << QByteArray::fromHex("C0FD2008") << false << false << 0 << 0 << QString();
        QTest::newRow("empty") << QByteArray() << false << false << 0 << 0 << QString();
    }

    void statusReply()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, isReply);
        QFETCH(bool, hasSize);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QString, version);
        const auto reply = parseStatusReply(body);
        QCOMPARE(reply.has_value(), isReply);
        if (!reply)
            return;
        QCOMPARE(reply->hasSize, hasSize);
        QCOMPARE(reply->columns, columns);
        QCOMPARE(reply->rows, rows);
        QCOMPARE(reply->version, version);
    }
};

QTEST_APPLESS_MAIN(TstWallCommands)
#include "tst_WallCommands.moc"
