#include "wall_link/WallCommands.h"
#include "wall_view/WallModel.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

WallModel::Effects applyAll(WallModel& model, const wallcmd::Bodies& bodies, qint64 nowMs = 1000)
{
    WallModel::Effects all;
    for (const QByteArray& body : bodies) {
        const WallModel::Effects e = model.apply(body, nowMs);
        all.queries << e.queries;
        all.closeServer = all.closeServer || e.closeServer;
        all.shutdown = all.shutdown || e.shutdown;
    }
    return all;
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class tst_WallModel final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithStartupTexts()
    {
        WallModel model;
        QVERIFY(!model.page().has_value());
        QCOMPARE(model.startupLarge(), QStringLiteral("00:00:00"));
        applyAll(model, wallcmd::startupTexts(QStringLiteral("Willkommen"), QStringLiteral("Stadion M\u00fchle")));
        QCOMPARE(model.startupLarge(), QStringLiteral("Willkommen"));
        QCOMPARE(model.startupSmall(), QStringLiteral("Stadion M\u00fchle"));
        // The media-stop code alone is no page: the start-up texts stay.
        applyAll(model, {wallcmd::pageSelect(wallcmd::page::MediaStop)});
        QVERIFY(!model.page().has_value());
        QVERIFY(model.mediaStopped());
        applyAll(model, wallcmd::erase());
        QCOMPARE(model.page(), std::optional<quint8>(wallcmd::page::Blank));
    }

    void soccerFields()
    {
        WallModel model;
        applyAll(model, wallcmd::soccerShow(QStringLiteral("Heim"), QStringLiteral("G\u00e4ste"), 2, 0));
        QCOMPARE(model.page(), std::optional<quint8>(wallcmd::page::Soccer));
        QCOMPARE(model.field(wallcmd::field::SoccerHomeName).text, QStringLiteral("Heim"));
        QCOMPARE(model.field(wallcmd::field::SoccerGuestName).text, QStringLiteral("G\u00e4ste"));
        QCOMPARE(model.field(wallcmd::field::SoccerGuestName).colour, std::optional<quint32>(wallcmd::colour::Cyan));
        QCOMPARE(model.field(wallcmd::field::SoccerHomeGoals).text, QStringLiteral("2"));
        QCOMPARE(model.field(wallcmd::field::SoccerGuestGoals).colour, std::optional<quint32>(wallcmd::colour::White));
        QCOMPARE(model.bodiesApplied(), 4);
    }

    void footballClockColourFollowsClock()
    {
        WallModel model;
        applyAll(model, wallcmd::footballShow(QStringLiteral("A"), QStringLiteral("B"), 7, 3,
                                              wallcmd::GameClock::Running, QStringLiteral("14:59")));
        QCOMPARE(model.field(wallcmd::field::FootballClock).colour, std::optional<quint32>(wallcmd::colour::Green));
        applyAll(model, wallcmd::footballClock(false, QStringLiteral("14:58")));
        QCOMPARE(model.field(wallcmd::field::FootballClock).colour, std::optional<quint32>(wallcmd::colour::Red));
        QCOMPARE(model.field(wallcmd::field::FootballClock).text, QStringLiteral("14:58"));
        // Hidden clock: the text changes, the colour stays.
        applyAll(model, wallcmd::footballShow(QStringLiteral("A"), QStringLiteral("B"), 7, 3,
                                              wallcmd::GameClock::Hidden, QStringLiteral("00:00")));
        QCOMPARE(model.field(wallcmd::field::FootballClock).colour, std::optional<quint32>(wallcmd::colour::Red));
        QCOMPARE(model.field(wallcmd::field::FootballClock).text, QStringLiteral("00:00"));
    }

    void textListLinesByNumber()
    {
        WallModel model;
        wallcmd::TextListColours colours;
        colours.text = wallcmd::colour::Green;
        applyAll(model, wallcmd::textListShow(wallcmd::TimeBarMode::Automatic, colours, QStringLiteral("Kopf"),
                                              {QStringLiteral("eins"), QString(), QStringLiteral("drei")}, 5));
        QCOMPARE(model.page(), std::optional<quint8>(wallcmd::page::TextList));
        QCOMPARE(model.timeBarMode(), quint8{2});
        QCOMPARE(model.field(wallcmd::field::ListHeader).text, QStringLiteral("Kopf"));
        QCOMPARE(model.field(wallcmd::field::ListLines).colour, std::optional<quint32>(wallcmd::colour::Green));
        QCOMPARE(model.field(wallcmd::field::ListHeaderLine).colour, std::optional<quint32>(wallcmd::colour::Silver));
        QCOMPARE(model.line(1), QStringLiteral("eins"));
        QCOMPARE(model.line(2), QString());
        QCOMPARE(model.line(3), QStringLiteral("drei"));
        QCOMPARE(model.line(4), QStringLiteral(" "));
        QCOMPARE(model.line(5), QStringLiteral(" "));
        QCOMPARE(model.line(6), QString());
    }

    void runningTimeHoldsForAWhile()
    {
        WallModel model;
        QVERIFY(!model.runningTimeReceived(1000));
        applyAll(model, wallcmd::timingTime(QStringLiteral("1:02,3")), 10000);
        QVERIFY(model.runningTimeReceived(10000));
        QVERIFY(model.runningTimeReceived(10000 + WallModel::kRunningTimeHoldMs));
        QVERIFY(!model.runningTimeReceived(10001 + WallModel::kRunningTimeHoldMs));
        // An erased time line is no running time.
        model.apply(wallcmd::textRecord(wallcmd::field::TimeLarge, {}), 20000);
        QVERIFY(!model.runningTimeReceived(20000));
    }

    void mediaAreaClearTime()
    {
        WallModel model;
        QCOMPARE(model.mediaAreaClearedAt(), qint64{0});
        applyAll(model, wallcmd::setsClearMedia(), 5555);
        QCOMPARE(model.mediaAreaClearedAt(), qint64{5555});
    }

    void effects_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QList<quint8>>("queries");
        QTest::addColumn<bool>("close");
        QTest::addColumn<bool>("shutdown");
        QTest::newRow("life sign") << wallcmd::query(0xFD) << QList<quint8>{0xFD} << false << false;
        QTest::newRow("two queries in one body") << hex("80FD80FE") << QList<quint8>{0xFD, 0xFE} << false << false;
        QTest::newRow("page then query") << hex("D00280FD") << QList<quint8>{0xFD} << false << false;
        QTest::newRow("close") << wallcmd::closeServer().first() << QList<quint8>{} << true << false;
        QTest::newRow("shutdown") << wallcmd::shutdownServer().first() << QList<quint8>{} << false << true;
        QTest::newRow("close with trailing text is not close")
            << (wallcmd::closeServer().first() + "X") << QList<quint8>{} << false << false;
        QTest::newRow("cut query") << hex("80") << QList<quint8>{} << false << false;
    }
    void effects()
    {
        QFETCH(QByteArray, body);
        QFETCH(QList<quint8>, queries);
        QFETCH(bool, close);
        QFETCH(bool, shutdown);
        WallModel model;
        const WallModel::Effects e = model.apply(body, 0);
        QCOMPARE(e.queries, queries);
        QCOMPARE(e.closeServer, close);
        QCOMPARE(e.shutdown, shutdown);
    }

    // Records cut short or unknown end the body; what came before stays applied.
    void malformedRecords_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("page"); // -1: still the start-up screen
        QTest::addColumn<QString>("homeName");
        QTest::addColumn<bool>("homeColoured");
        QTest::newRow("lone page-select") << hex("D0") << -1 << QString() << false;
        QTest::newRow("page then cut page-select") << hex("D003D0") << 3 << QString() << false;
        QTest::newRow("cut colour") << hex("D002C02100FF") << 2 << QString() << false;
        QTest::newRow("unknown record stops") << hex("D0027FD003") << 2 << QString() << false;
        QTest::newRow("colour then text") << hex("C02100FFFF001021414243") << -1 << "ABC" << true;
        QTest::newRow("text swallows what follows") << hex("1021D003") << -1 << QStringLiteral("\u00d0\u0003") << false;
        QTest::newRow("lone text lead") << hex("10") << -1 << QString() << false;
        QTest::newRow("cut option") << hex("C140") << -1 << QString() << false;
        QTest::newRow("lone control lead") << hex("EE") << -1 << QString() << false;
        QTest::newRow("line without number") << hex("1043") << -1 << QString() << false;
    }
    void malformedRecords()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, page);
        QFETCH(QString, homeName);
        QFETCH(bool, homeColoured);
        WallModel model;
        model.apply(body, 0);
        QCOMPARE(model.page().has_value() ? int{*model.page()} : -1, page);
        QCOMPARE(model.field(wallcmd::field::SoccerHomeName).text, homeName);
        QCOMPARE(model.field(wallcmd::field::SoccerHomeName).colour.has_value(), homeColoured);
        QCOMPARE(model.timeBarMode(), quint8{0});
        QVERIFY(!model.recentRecords().isEmpty());
    }

    void recentRecordsAreBounded()
    {
        WallModel model;
        for (int i = 0; i < 100; ++i)
            model.apply(hex("D002"), 0);
        QCOMPARE(model.recentRecords().size(), WallModel::kRecentRecords);
    }

    void anyBytesAreSafe()
    {
        QRandomGenerator random(20260101);
        WallModel model;
        for (int i = 0; i < 20000; ++i) {
            QByteArray body(random.bounded(1, 40), '\0');
            for (char& c : body) // mostly record lead bytes, so that records really get parsed
                c = static_cast<char>(random.bounded(4) == 0
                                          ? random.bounded(256)
                                          : QByteArray("\xD0\xC0\xC1\x10\xEE\x80\x43")[random.bounded(7)]);
            model.apply(body, i);
        }
        QVERIFY(model.bodiesApplied() == 20000);
    }
};

QTEST_APPLESS_MAIN(tst_WallModel)
#include "tst_WallModel.moc"
