#include "remote/RemoteEvents.h"
#include "remote/RemoteRequest.h"

#include <QTest>

using namespace remote;

Q_DECLARE_METATYPE(wallcmd::Bodies)

// The request bodies as the remote control reads them, and the sends to the wall as its events report them.
class tst_RemoteRequest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusals_data();
    void refusals();
    void readValues();
    void sentEvents_data();
    void sentEvents();
};

void tst_RemoteRequest::refusals_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status"); // 0: read
    QTest::addColumn<QString>("field");
    QTest::newRow("soccer as documented") << "soccer"
                                          << QByteArray(R"({"home": "Heim", "guest": "Gäste", "homeGoals": 2, )"
                                                        R"("guestGoals": 0, "show": true})")
                                          << 0 << "";
    QTest::newRow("empty body") << "erase" << QByteArray(" \r\n") << 0 << "";
    QTest::newRow("empty object") << "text" << QByteArray("{}") << 0 << "";
    QTest::newRow("cut short") << "soccer" << QByteArray(R"({"home": "Heim")") << 400 << "";
    QTest::newRow("trailing text") << "soccer" << QByteArray("{} {}") << 400 << "";
    QTest::newRow("not an object") << "soccer" << QByteArray("[1, 2]") << 400 << "";
    QTest::newRow("invalid UTF-8") << "soccer" << QByteArray("{\"home\": \"\xC3\x28\"}") << 400 << "";
    QTest::newRow("too deep") << "text" << QByteArray(R"({"lines": [[[[[[[[[["x"]]]]]]]]]]})") << 400 << "";
    QTest::newRow("unknown member") << "soccer" << QByteArray(R"({"homeGoal": 1})") << 422 << "homeGoal";
    QTest::newRow("erase takes no values") << "erase" << QByteArray(R"({"show": true})") << 422 << "show";
    QTest::newRow("goals beyond the control")
        << "soccer" << QByteArray(R"({"guestGoals": 100})") << 422 << "guestGoals";
    QTest::newRow("negative goals") << "soccer" << QByteArray(R"({"homeGoals": -1})") << 422 << "homeGoals";
    QTest::newRow("huge number") << "soccer" << QByteArray(R"({"homeGoals": 18446744073709551615})") << 422
                                 << "homeGoals";
    QTest::newRow("goals as text") << "soccer" << QByteArray(R"({"homeGoals": "2"})") << 422 << "homeGoals";
    QTest::newRow("goals not whole") << "soccer" << QByteArray(R"({"homeGoals": 2.5})") << 422 << "homeGoals";
    QTest::newRow("soccer name of 13") << "soccer" << QByteArray(R"({"home": "Dreizehnzeich"})") << 422 << "home";
    QTest::newRow("football name of 14") << "football" << QByteArray(R"({"home": "Vierzehnzeiche"})") << 0 << "";
    QTest::newRow("football points 999") << "football" << QByteArray(R"({"guestPoints": 999})") << 0 << "";
    QTest::newRow("line break in a name") << "sets" << QByteArray(R"({"guest": "A\nB"})") << 422 << "guest";
    QTest::newRow("sets 999") << "sets" << QByteArray(R"({"homeSets": 999, "homeGames": 99})") << 0 << "";
    QTest::newRow("games 100") << "sets" << QByteArray(R"({"guestGames": 100})") << 422 << "guestGames";
    QTest::newRow("show not a flag") << "soccer" << QByteArray(R"({"show": 1})") << 422 << "show";
    QTest::newRow("invalid duration") << "football" << QByteArray(R"({"clock": {"duration": "61:00"}})") << 422
                                      << "clock.duration";
    QTest::newRow("duration as the box takes it")
        << "football" << QByteArray(R"({"clock": {"duration": " 5:00"}})") << 0 << "";
    QTest::newRow("unknown clock member")
        << "football" << QByteArray(R"({"clock": {"stop": true}})") << 422 << "clock.stop";
    QTest::newRow("clock not an object") << "football" << QByteArray(R"({"clock": "run"})") << 422 << "clock";
    QTest::newRow("direction sideways") << "football" << QByteArray(R"({"clock": {"direction": "left"}})") << 422
                                        << "clock.direction";
    QTest::newRow("clock text of 26") << "clock" << QByteArray(R"({"text": "Sechsundzwanzig Zeichen!!!"})") << 422
                                      << "text";
    QTest::newRow("clock mode") << "clock" << QByteArray(R"({"mode": "binary"})") << 422 << "mode";
    QTest::newRow("colour by name") << "text" << QByteArray(R"({"headerColour": "red"})") << 422 << "headerColour";
    QTest::newRow("colour not hex") << "text" << QByteArray(R"({"textColour": "#GG0000"})") << 422 << "textColour";
    QTest::newRow("lines not texts") << "text" << QByteArray(R"({"lines": ["a", 2]})") << 422 << "lines";
    QTest::newRow("line with a break") << "text" << QByteArray(R"({"lines": ["a\nb"]})") << 422 << "lines";
    QTest::newRow("time bar") << "text" << QByteArray(R"({"timeBar": "sometimes"})") << 422 << "timeBar";
}

void tst_RemoteRequest::refusals()
{
    QFETCH(QString, page);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QString, field);
    std::optional<Failure> failure;
    if (page == QLatin1String("erase")) {
        failure = parseEmpty(body);
    } else {
        const auto parsed = parsePage(*pageKind(page), body);
        if (const Failure* f = std::get_if<Failure>(&parsed))
            failure = *f;
    }
    QCOMPARE(failure ? failure->status : 0, status);
    QCOMPARE(failure ? failure->field : QString(), field);
    if (failure)
        QVERIFY(!failure->message.isEmpty());
}

void tst_RemoteRequest::readValues()
{
    const auto football = std::get<PageCommand>(
        parsePage(PageKind::Football,
                  R"({"guest": "Gäste", "homePoints": 7, "clock": {"duration": "12:00", "direction": "up", "set": true,
            "adjust": -30, "run": false}, "show": true})"));
    const auto& f = std::get<FootballCommand>(football);
    QCOMPARE(f.home, std::nullopt);
    QCOMPARE(f.guest, QStringLiteral("Gäste"));
    QCOMPARE(f.homePoints, 7);
    QCOMPARE(f.duration, QStringLiteral("12:00"));
    QCOMPARE(f.direction, gameclock::Direction::Up);
    QVERIFY(f.setClock && !f.clearClock && f.show);
    QCOMPARE(f.adjust, -30);
    QCOMPARE(f.run, false);

    const auto text = std::get<PageCommand>(
        parsePage(PageKind::Text, R"({"lines": ["1. Muster", ""], "headerColour": "#00ff80", "timeBar": "auto"})"));
    const auto& t = std::get<TextCommand>(text);
    QCOMPARE(t.lines, (QStringList{"1. Muster", ""}));
    QCOMPARE(t.headerColour, 0x0080FF00u); // the wall's 0x00BBGGRR
    QCOMPARE(colourName(*t.headerColour), QStringLiteral("#00FF80"));
    QCOMPARE(t.timeBar, wallcmd::TimeBarMode::Automatic);
    QCOMPARE(t.header, std::nullopt);

    const auto clock = std::get<PageCommand>(parsePage(PageKind::Clock, R"({"mode": "analog"})"));
    QCOMPARE(std::get<ClockCommand>(clock).mode, ClockCommand::Mode::Analog);
    QCOMPARE(kindOf(clock), PageKind::Clock);
}

void tst_RemoteRequest::sentEvents_data()
{
    using namespace wallcmd;
    QTest::addColumn<Bodies>("bodies");
    QTest::addColumn<QByteArray>("event"); // empty: no event
    QTest::newRow("soccer") << soccerShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 2, 0)
                            << QByteArray(R"({"event":"sent","page":"soccer","values":{"home":"Heim","guest":)"
                                          R"("Gäste","homeGoals":2,"guestGoals":0}})");
    QTest::newRow("football with a running clock")
        << footballShow(QStringLiteral("A"), QStringLiteral("B"), 14, 7, GameClock::Running, QStringLiteral("11:30"))
        << QByteArray(R"({"event":"sent","page":"football","values":{"home":"A","guest":"B","homePoints":14,)"
                      R"("guestPoints":7,"clockRunning":true,"clock":"11:30"}})");
    QTest::newRow("a clock tick alone") << footballClock(false, QStringLiteral("00:00"))
                                        << QByteArray(R"({"event":"sent","page":"football","values":)"
                                                      R"({"clockRunning":false,"clock":"00:00"}})");
    QTest::newRow("time display") << clockSecond(QStringLiteral("13:04:05"), QStringLiteral("Spieltag"), true, false)
                                  << QByteArray(R"({"event":"sent","page":"clock","values":{"mode":"digital",)"
                                                R"("time":"13:04:05","text":"Spieltag"}})");
    QTest::newRow("analog clock") << clockSecond(QStringLiteral("13:04:05"), {}, false, true)
                                  << QByteArray(R"({"event":"sent","page":"clock","values":{"mode":"analog"}})");
    QTest::newRow("text list") << textListShow(TimeBarMode::Automatic, {}, QStringLiteral("100 m"),
                                               {QStringLiteral("1. Muster"), {}}, 3)
                               << QByteArray(R"({"event":"sent","page":"text","values":{"timeBar":"auto",)"
                                             R"("headerColour":"#FF0000","lineColour":"#C0C0C0",)"
                                             R"("textColour":"#FFFFFF","header":"100 m",)"
                                             R"("lines":["1. Muster",""," "]}})");
    QTest::newRow("game and set") << setsShow(QStringLiteral("A"), QStringLiteral("B"), 3, 2, 1, 0)
                                  << QByteArray(R"({"event":"sent","page":"sets","values":{"home":"A","guest":"B",)"
                                                R"("homeGames":3,"guestGames":2,"homeSets":1,"guestSets":0}})");
    QTest::newRow("erase") << erase() << QByteArray(R"({"event":"sent","page":"blank","values":{}})");
    QTest::newRow("video after the media stop")
        << videoShow() << QByteArray(R"({"event":"sent","page":"video","values":{}})");
    QTest::newRow("server closed") << closeServer()
                                   << QByteArray(R"({"event":"sent","page":"server","values":)"
                                                 R"({"command":"CloseServer"}})");
    QTest::newRow("life-sign query") << lifeSignQuery() << QByteArray();
}

void tst_RemoteRequest::sentEvents()
{
    QFETCH(wallcmd::Bodies, bodies);
    QFETCH(QByteArray, event);
    QCOMPARE(sentEvent(bodies).value_or(QByteArray()), event);
}

QTEST_APPLESS_MAIN(tst_RemoteRequest)
#include "tst_RemoteRequest.moc"
