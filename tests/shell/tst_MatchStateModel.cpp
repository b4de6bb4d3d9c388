#include "shell/MatchState.h"

#include <QTest>

namespace {

MatchState base()
{
    MatchState s;
    s.soccer = {QStringLiteral("Heim"), QStringLiteral("Gäste"), 0, 0};
    s.football = s.soccer;
    s.gameAndSet = s.soccer;
    s.gameClock = QStringLiteral("00:00");
    s.gameDuration = QStringLiteral("15:00");
    return s;
}

MatchState played()
{
    MatchState s;
    s.soccer = {QStringLiteral("Blau-Weiß"), QStringLiteral("Rot \"Ü\""), 3, 1};
    s.football = {QStringLiteral("Bären"), QStringLiteral("Adler"), 999, 14};
    s.gameClock = QStringLiteral("07:42");
    s.gameDuration = QStringLiteral(" 5:00");
    s.gameAndSet = {QStringLiteral("TV"), QStringLiteral("SV"), 21, 19};
    s.homeSets = 2;
    s.guestSets = 1;
    s.listHeader = QStringLiteral("100 m Männer");
    s.listLines = QStringList{QStringLiteral("1  Müller  10,12"), QString(), QStringLiteral("3  ß€")};
    return s;
}

} // namespace

// The match state as its file holds it: what is written reads back, and a file that is not ours in
// part or whole never takes the program's values away.
class tst_MatchStateModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip()
    {
        const QByteArray text = played().toJson();
        QCOMPARE(MatchState::fromJson(text, base()), std::optional<MatchState>(played()));
        QVERIFY(text.startsWith("{\n  \"soccer\""));
    }

    void readingFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<QString>("soccerHome");
        QTest::addColumn<int>("soccerHomeGoals");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty object keeps everything") << QByteArray("{}") << false << "Heim" << 0 << QStringList();
        QTest::newRow("one member") << QByteArray(R"({"soccer":{"homeScore":4}})") << false << "Heim" << 4
                                    << QStringList();
        QTest::newRow("members of the wrong kind are skipped")
            << QByteArray(R"({"soccer":{"home":7,"homeScore":"4"},"textList":{"lines":["a",2]}})") << false << "Heim"
            << 0 << QStringList();
        QTest::newRow("negative and huge numbers are skipped")
            << QByteArray(R"({"soccer":{"homeScore":-1,"guestScore":99999999999}})") << false << "Heim" << 0
            << QStringList();
        QTest::newRow("unknown members are ignored")
            << QByteArray(R"({"later":1,"textList":{"lines":["x"]},"soccer":{"home":"A"}})") << false << "A" << 0
            << QStringList{"x"};
        QTest::newRow("cut short") << played().toJson().left(60) << true << "" << 0 << QStringList();
        QTest::newRow("not JSON") << QByteArray("\x01\x7F junk") << true << "" << 0 << QStringList();
        QTest::newRow("an array") << QByteArray("[1,2]") << true << "" << 0 << QStringList();
        QTest::newRow("empty file") << QByteArray() << true << "" << 0 << QStringList();
        QTest::newRow("invalid UTF-8") << QByteArray("{\"soccer\":{\"home\":\"\xFF\"}}") << true << "" << 0
                                       << QStringList();
    }
    void readingFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, damaged);
        QFETCH(QString, soccerHome);
        QFETCH(int, soccerHomeGoals);
        QFETCH(QStringList, lines);
        const std::optional<MatchState> read = MatchState::fromJson(text, base());
        QCOMPARE(!read, damaged);
        if (damaged)
            return;
        QCOMPARE(read->soccer.home, soccerHome);
        QCOMPARE(read->soccer.homePoints, soccerHomeGoals);
        QCOMPARE(read->listLines, lines);
        QCOMPARE(read->football, base().football);
        QCOMPARE(read->gameDuration, QStringLiteral("15:00"));
    }
};

QTEST_GUILESS_MAIN(tst_MatchStateModel)
#include "tst_MatchStateModel.moc"
