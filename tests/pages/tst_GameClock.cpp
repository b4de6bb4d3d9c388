#include "pages/GameClock.h"

#include <QRandomGenerator>
#include <QTest>

using namespace gameclock;

class TstGameClock final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void durationRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hasNumbers");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("normal");
        QTest::newRow("default") << "15:00" << true << true << "15:00";
        QTest::newRow("colon second char") << "5:00" << false << false << "";
        QTest::newRow("leading blank") << " 5:00" << true << true << "05:00";
        QTest::newRow("leading tab") << "\t5:00" << true << true << "05:00";
        QTest::newRow("one seconds digit") << "05:0" << true << true << "05:00";
        QTest::newRow("blank seconds") << "05: 7 " << true << true << "05:07";
        QTest::newRow("60:59 is the longest") << "60:59" << true << true << "60:59";
        QTest::newRow("61 minutes") << "61:00" << true << false << "";
        QTest::newRow("60 seconds") << "15:60" << true << false << "";
        QTest::newRow("empty seconds") << "15:" << true << false << "";
        QTest::newRow("letters") << "ab:cd" << true << false << "";
        QTest::newRow("sign") << "-1:00" << true << false << "";
        QTest::newRow("inner blank") << "1 :0 5" << true << false << "";
        QTest::newRow("no colon") << "1500" << false << false << "";
        QTest::newRow("colon fourth char") << "100:00" << false << false << "";
        QTest::newRow("empty") << "" << false << false << "";
        QTest::newRow("second colon") << "15:00:00" << true << false << "";
    }
    void durationRule()
    {
        QFETCH(QString, text);
        QFETCH(bool, hasNumbers);
        QFETCH(bool, valid);
        QFETCH(QString, normal);
        const Parsed p = GetMinSecFromStr(text);
        QCOMPARE(p.numbers.has_value(), hasNumbers);
        QCOMPARE(p.valid, valid);
        if (valid)
            QCOMPARE(normalised(*p.numbers), normal);
    }

    void unreadablePartIsMinusOne()
    {
        const Parsed p = GetMinSecFromStr(QStringLiteral("ab:07"));
        QVERIFY(p.numbers.has_value());
        QCOMPARE(p.numbers->minutes, -1);
        QCOMPARE(p.numbers->seconds, 7);
    }

    void normalisedForm()
    {
        QCOMPARE(normalised({5, 3}), QStringLiteral("05:03"));
        QCOMPARE(normalised({100, 0}), QStringLiteral("100:00"));
        QCOMPARE(normalised({0, 0}), QStringLiteral("00:00"));
    }

    void counting_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("ended");
        QTest::newRow("down one") << "15:00" << 1LL << true << 0 << "15:00"
                                  << "14:59" << true << false;
        QTest::newRow("down three") << "01:01" << 3LL << true << 0 << "15:00"
                                    << "00:58" << true << false;
        QTest::newRow("down to end") << "00:02" << 2LL << true << 0 << "15:00"
                                     << "00:00" << true << true;
        QTest::newRow("down past end") << "00:02" << 9LL << true << 0 << "15:00"
                                       << "00:00" << true << true;
        QTest::newRow("down at end") << "00:00" << 1LL << true << 0 << "15:00"
                                     << "00:00" << false << false;
        QTest::newRow("standing") << "10:00" << 5LL << false << 0 << "15:00"
                                  << "10:00" << false << false;
        QTest::newRow("up one") << "00:00" << 1LL << true << 1 << "15:00"
                                << "00:01" << true << false;
        QTest::newRow("up over minute") << "00:59" << 2LL << true << 1 << "15:00"
                                        << "01:01" << true << false;
        QTest::newRow("up to end in one tick") << "14:58" << 5LL << true << 1 << "15:00"
                                               << "15:00" << true << true;
        QTest::newRow("up, unnormalised duration") << "04:59" << 3LL << true << 1 << "05:0"
                                                   << "05:00" << true << true;
        QTest::newRow("up, duration with blank") << "04:58" << 4LL << true << 1 << " 5:00"
                                                 << "05:00" << true << true;
        QTest::newRow("up, invalid duration counts on") << "04:59" << 2LL << true << 1 << "5:00"
                                                        << "05:01" << true << false;
        QTest::newRow("up standing") << "00:00" << 3LL << false << 1 << "15:00"
                                     << "00:00" << false << false;
        QTest::newRow("unreadable display counts from zero") << "100:00" << 1LL << true << 1 << ""
                                                             << "00:01" << true << false;
        QTest::newRow("huge tick is bounded") << "60:59" << (1LL << 40) << true << 0 << "15:00"
                                              << "00:00" << true << true;
    }
    void counting()
    {
        QFETCH(QString, display);
        QFETCH(qint64, seconds);
        QFETCH(bool, running);
        QFETCH(int, direction);
        QFETCH(QString, duration);
        QFETCH(QString, text);
        QFETCH(bool, changed);
        QFETCH(bool, ended);
        const TickOutcome out = count(display, seconds, running, Direction(direction), duration);
        QCOMPARE(out.text, text);
        QCOMPARE(out.changed, changed);
        QCOMPARE(out.ended, ended);
    }

    void adjusting_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("back across a minute") << "12:05" << -10 << "11:55";
        QTest::newRow("forwards") << "00:59" << 1 << "01:00";
        QTest::newRow("not below zero") << "00:05" << -60 << "00:00";
        QTest::newRow("not beyond the longest duration") << "60:00" << 120 << "60:59";
        QTest::newRow("unreadable display counts as zero") << "xx" << 30 << "00:30";
    }
    void adjusting()
    {
        QFETCH(QString, display);
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(adjusted(display, seconds), text);
    }

    void elapsedSecondsCarryTheFraction()
    {
        // Ticks of 200 ms plus up to 60 ms of jitter: 60 real seconds are exactly 60 counted seconds,
        // where dropping the fraction at each counted second would give far fewer.
        ElapsedSeconds e;
        qint64 now = 5'000;
        e.restart(now);
        qint64 counted = 0;
        auto* rng = QRandomGenerator::global();
        while (now + 260 < 5'000 + 60'000) {
            now += 200 + rng->bounded(61);
            counted += e.take(now);
        }
        now = 5'000 + 60'000;
        counted += e.take(now);
        QCOMPARE(counted, 60);
        QCOMPARE(e.take(now + 999), 0);
        QCOMPARE(e.take(now + 1000), 1);
    }

    void elapsedSecondsSeveralAtOnce()
    {
        ElapsedSeconds e;
        e.restart(0);
        QCOMPARE(e.take(3'400), 3);
        QCOMPARE(e.take(3'999), 0);
        QCOMPARE(e.take(4'000), 1);
        QCOMPARE(e.take(1'000), 0); // a scale running backwards restarts the second
        QCOMPARE(e.take(1'999), 0);
        QCOMPARE(e.take(2'000), 1);
    }

    // The operator's corrections keep the display between 00:00 and 99:59, so it keeps its form.
    void corrections_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("shifted");
        QTest::newRow("second over a minute") << "14:59" << 1 << "15:00";
        QTest::newRow("second back over a minute") << "15:00" << -1 << "14:59";
        QTest::newRow("minute") << "00:30" << 60 << "01:30";
        QTest::newRow("not below zero") << "00:20" << -60 << "00:00";
        QTest::newRow("not beyond 99:59") << "99:30" << 60 << "99:59";
        QTest::newRow("display without numbers") << "--:--" << 1 << "00:01";
    }
    void corrections()
    {
        QFETCH(QString, display);
        QFETCH(int, seconds);
        QFETCH(QString, shifted);
        QCOMPARE(gameclock::shifted(display, seconds), shifted);
    }
};

QTEST_APPLESS_MAIN(TstGameClock)
#include "tst_GameClock.moc"
