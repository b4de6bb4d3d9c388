#include "PageFixture.h"
#include "pages/AmericanFootball.h"
#include "support/FakeClock.h"
#include "support/RecordingSound.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

namespace {
const QStringList kErase{QStringLiteral("D0 00"), QStringLiteral("10 12")};
const QColor kMaroon(128, 0, 0);
const QColor kGreen(0, 128, 0);

// The clock record as the wall receives it: green while running, red while standing.
QString clockRecord(bool running, const QString& text)
{
    return QStringLiteral("C0 35 00 00 ") + (running ? "FF 00" : "00 FF") + " 10 35 " +
           testsupport::hex(text.toLatin1());
}
} // namespace

class TstAmericanFootball final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fx = std::make_unique<PageFixture>();
        m_sound.events.clear();
        m_w = std::make_unique<TFormAmericanFootball>(m_fx->wall, m_clock, m_sound);
    }
    void cleanup()
    {
        m_w.reset();
        m_fx.reset();
    }

    void windowAndControls()
    {
        QCOMPARE(m_w->objectName(), QStringLiteral("TFormAmericanFootball"));
        QCOMPARE(m_w->windowTitle(), QStringLiteral("Spielstand / Spielzeit"));
        QCOMPARE(edit("EdVereinLinks")->text(), QStringLiteral("Heim"));
        QCOMPARE(edit("EdVereinRechts")->text(), QStringLiteral("Gäste"));
        QCOMPARE(edit("EdVereinLinks")->maxLength(), 14);
        QCOMPARE(edit("EdVereinRechts")->maxLength(), 14);
        QCOMPARE(child<QSpinBox>(*m_w, "UDToreLinks")->maximum(), 999);
        QCOMPARE(display(), QStringLiteral("00:00"));
        QCOMPARE(displayColour(), kMaroon);
        QVERIFY(button("SBStopWatch")->isChecked());
        QVERIFY(!button("SBRunWatch")->isChecked());
        QCOMPARE(button("SBRunWatch")->toolTip(), QStringLiteral("Zeit läuft"));
        QCOMPARE(button("SBStopWatch")->toolTip(), QStringLiteral("Zeit steht"));
        QCOMPARE(edit("EdClock")->text(), QStringLiteral("15:00"));
        QCOMPARE(edit("EdClock")->maxLength(), 5);
        QCOMPARE(button("SBSetClock")->text(), QStringLiteral("00:00"));
        QCOMPARE(button("SBSetClock")->toolTip(), QStringLiteral("Zeit übernehmen"));
        QCOMPARE(button("SBClearClock")->text(), QStringLiteral("00:00"));
        QCOMPARE(button("SBClearClock")->toolTip(), QStringLiteral("Zeit übernehmen"));
        QCOMPARE(button("SBErase")->text(), QStringLiteral("Löschen"));
        QCOMPARE(button("SBErase")->toolTip(), QStringLiteral("Anzeigetafel löschen"));
        QCOMPARE(button("SBSend")->text(), QStringLiteral("Anzeigen"));
        auto* direction = child<QComboBox>(*m_w, "CBTimeCountDirection");
        QCOMPARE(direction->count(), 2);
        QCOMPARE(direction->itemText(0), QStringLiteral("rückwärts"));
        QCOMPARE(direction->itemText(1), QStringLiteral("vorwärts"));
        QCOMPARE(direction->currentIndex(), -1);
        QCOMPARE(m_w->findChild<QGroupBox*>()->title(), QStringLiteral("Spielzeit"));
        auto* timer = child<QTimer>(*m_w, "WatchTimer");
        QCOMPARE(timer->interval(), 200);
        QVERIFY(!timer->isActive());

        open();
        QVERIFY(timer->isActive());
        QCOMPARE(direction->currentIndex(), 0);
        QCOMPARE(button("SBSetClock")->text(), QStringLiteral("15:00"));
        QCOMPARE(m_w->minimumSize(), m_w->maximumSize());
    }

    void showSequence()
    {
        open();
        child<QLineEdit>(*m_w, "EdVereinRechts")->setText(QStringLiteral("Bären"));
        child<QSpinBox>(*m_w, "UDToreLinks")->setValue(999);
        child<QSpinBox>(*m_w, "UDToreRechts")->setValue(14);
        click(*m_w, "SBSend");
        const QStringList head{"D0 03 C0 31 00 FF FF 00 10 31 48 65 69 6D", "C0 32 00 FF FF 00 10 32 42 E4 72 65 6E",
                               "C0 33 00 FF FF FF 10 33 39 39 39", "C0 34 00 FF FF FF 10 34 31 34"};
        QCOMPARE(m_fx->sent(), head + QStringList{"C0 35 00 00 00 FF 10 35 30 30 3A 30 30"});

        applyDuration(QStringLiteral("15:00"));
        click(*m_w, "SBRunWatch");
        QCOMPARE(m_fx->sent(), QStringList{clockRecord(true, "15:00")});
        click(*m_w, "SBSend");
        QCOMPARE(m_fx->sent(), head + QStringList{"C0 35 00 00 FF 00 10 35 31 35 3A 30 30"});
    }

    void countingDown()
    {
        open();
        applyDuration(QStringLiteral("15:00"));
        QCOMPARE(m_fx->sent(), QStringList()); // setting the clock sends nothing
        click(*m_w, "SBRunWatch");
        QCOMPARE(displayColour(), kGreen);
        QCOMPARE(m_fx->sent(), QStringList{clockRecord(true, "15:00")});
        m_clock.advance(999);
        m_w->WatchTimerTimer();
        QCOMPARE(m_fx->sent(), QStringList());
        m_clock.advance(1);
        QTRY_COMPARE(display(), QStringLiteral("14:59"));
        QCOMPARE(m_fx->sent(), QStringList{"C0 35 00 00 FF 00 10 35 31 34 3A 35 39"});
        // A tick that finds three whole seconds moves the clock by three and sends one record.
        m_clock.advance(3'000);
        QTRY_COMPARE(display(), QStringLiteral("14:56"));
        QCOMPARE(m_fx->sent(), QStringList{clockRecord(true, "14:56")});
        QVERIFY(m_sound.events.isEmpty());
    }

    void endOfCount_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("ms");
        QTest::addColumn<QString>("end");
        QTest::newRow("down") << 0 << "00:02"
                              << "15:00" << 2'000 << "00:00";
        QTest::newRow("down, several seconds past the end") << 0 << "00:02"
                                                            << "15:00" << 7'000 << "00:00";
        QTest::newRow("up, several seconds past the end") << 1 << "14:58"
                                                          << "15:00" << 5'000 << "15:00";
        QTest::newRow("up, duration typed without leading zero") << 1 << "04:59"
                                                                 << " 5:00" << 3'000 << "05:00";
        QTest::newRow("up, duration typed short") << 1 << "04:59"
                                                  << "05:0" << 1'000 << "05:00";
    }
    void endOfCount()
    {
        QFETCH(int, direction);
        QFETCH(QString, start);
        QFETCH(QString, duration);
        QFETCH(int, ms);
        QFETCH(QString, end);
        open();
        child<QComboBox>(*m_w, "CBTimeCountDirection")->setCurrentIndex(direction);
        applyDuration(start);
        edit("EdClock")->setText(duration);
        click(*m_w, "SBRunWatch");
        QCOMPARE(m_fx->sent(), QStringList{clockRecord(true, start)});
        m_clock.advance(ms);
        QTRY_COMPARE(display(), end);
        QCOMPARE(m_fx->sent(), QStringList{clockRecord(false, end)});
        QVERIFY(button("SBStopWatch")->isChecked());
        QVERIFY(!button("SBRunWatch")->isChecked());
        QCOMPARE(displayColour(), kMaroon);
        QCOMPARE(m_sound.events, (QStringList{"alert", "tone 400 800"}));

        // The clock stays at its end; Run there is refused with a red record and no signal.
        m_clock.advance(5'000);
        m_w->WatchTimerTimer();
        QCOMPARE(display(), end);
        QCOMPARE(m_fx->sent(), QStringList());
        click(*m_w, "SBRunWatch");
        QVERIFY(button("SBStopWatch")->isChecked());
        QVERIFY(!button("SBRunWatch")->isChecked());
        QCOMPARE(displayColour(), kMaroon);
        QCOMPARE(m_fx->sent(), QStringList{clockRecord(false, end)});
        m_clock.advance(2'000);
        m_w->WatchTimerTimer();
        QCOMPARE(display(), end);
        QCOMPARE(m_sound.events.size(), 2);
    }

    void durationBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("caption");
        QTest::newRow("colon second") << "5:00" << false << "15:00";
        QTest::newRow("leading blank") << " 5:00" << true << "05:00";
        QTest::newRow("short seconds") << "05:0" << true << "05:00";
        QTest::newRow("60:59") << "60:59" << true << "60:59";
        QTest::newRow("61:00") << "61:00" << false << "15:00";
        QTest::newRow("15:60") << "15:60" << false << "15:00";
    }
    void durationBox()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, caption);
        open();
        const QColor normal = edit("EdClock")->palette().color(QPalette::Text);
        QVERIFY(normal != QColor(255, 0, 0));
        edit("EdClock")->setText(text);
        QCOMPARE(edit("EdClock")->palette().color(QPalette::Text), valid ? normal : QColor(255, 0, 0));
        QCOMPARE(button("SBSetClock")->isEnabled(), valid);
        QCOMPARE(button("SBSetClock")->text(), caption); // an invalid text keeps the last valid caption

        // Enter applies a valid duration; in an invalid box it does nothing and types nothing.
        QTest::keyClick(edit("EdClock"), Qt::Key_Return);
        QVERIFY(m_w->isVisible());
        QCOMPARE(edit("EdClock")->text(), valid ? caption : text);
        QCOMPARE(display(), valid ? caption : QStringLiteral("00:00"));
        QTest::keyClick(edit("EdClock"), Qt::Key_Enter);
        QCOMPARE(edit("EdClock")->text(), valid ? caption : text);
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void clearingWhileRunning()
    {
        open();
        applyDuration(QStringLiteral("15:00"));
        click(*m_w, "SBRunWatch");
        m_fx->sent();
        click(*m_w, "SBClearClock");
        QCOMPARE(display(), QStringLiteral("00:00"));
        QVERIFY(button("SBRunWatch")->isChecked());
        m_clock.advance(2'000);
        m_w->WatchTimerTimer();
        QCOMPARE(display(), QStringLiteral("00:00"));
        QCOMPARE(m_fx->sent(), QStringList());
        QVERIFY(m_sound.events.isEmpty());
        click(*m_w, "SBStopWatch");
        QCOMPARE(m_fx->sent(), QStringList{clockRecord(false, "00:00")});
    }

    void settingWhileRunningKeepsRunning()
    {
        open();
        applyDuration(QStringLiteral("15:00"));
        click(*m_w, "SBRunWatch");
        applyDuration(QStringLiteral("10:00"));
        QVERIFY(button("SBRunWatch")->isChecked());
        m_fx->sent();
        m_clock.advance(1'000);
        QTRY_COMPARE(display(), QStringLiteral("09:59"));
    }

    void runWhileRunningRestartsTheSecond()
    {
        open();
        applyDuration(QStringLiteral("15:00"));
        click(*m_w, "SBRunWatch");
        m_clock.advance(700);
        m_w->WatchTimerTimer();
        click(*m_w, "SBRunWatch");
        QCOMPARE(m_fx->sent(), (QStringList{clockRecord(true, "15:00"), clockRecord(true, "15:00")}));
        m_clock.advance(700);
        m_w->WatchTimerTimer();
        QCOMPARE(display(), QStringLiteral("15:00"));
        m_clock.advance(300);
        m_w->WatchTimerTimer();
        QCOMPARE(display(), QStringLiteral("14:59"));
    }

    void wallClockJumpDoesNotMoveTheGameClock()
    {
        open();
        applyDuration(QStringLiteral("15:00"));
        click(*m_w, "SBRunWatch");
        m_fx->sent();
        for (qint64 jump : {3'600'000LL, -7'200'000LL}) {
            m_clock.jumpWallClock(jump);
            m_clock.advance(200);
            m_w->WatchTimerTimer();
            QCOMPARE(display(), QStringLiteral("15:00"));
        }
        QCOMPARE(m_fx->sent(), QStringList());
        m_clock.advance(600);
        m_w->WatchTimerTimer();
        QCOMPARE(display(), QStringLiteral("14:59"));
    }

    void keepsRealTimeWithJitteryTicks()
    {
        open();
        applyDuration(QStringLiteral("15:00"));
        click(*m_w, "SBRunWatch");
        m_fx->sent();
        qint64 elapsed = 0;
        auto* rng = QRandomGenerator::global();
        while (elapsed < 60'000) {
            const qint64 step = qMin<qint64>(200 + rng->bounded(41), 60'000 - elapsed);
            m_clock.advance(step);
            elapsed += step;
            m_w->WatchTimerTimer();
        }
        QCOMPARE(display(), QStringLiteral("14:00"));
        QCOMPARE(m_fx->sent().size(), 60);
    }

    void hiddenWindowDoesNotCount()
    {
        open();
        applyDuration(QStringLiteral("15:00"));
        click(*m_w, "SBRunWatch");
        m_fx->sent();
        m_w->close();
        QCOMPARE(m_fx->sent(), kErase);
        QVERIFY(!child<QTimer>(*m_w, "WatchTimer")->isActive());
        m_clock.advance(10'000);
        open();
        m_w->WatchTimerTimer();
        QCOMPARE(display(), QStringLiteral("15:00"));
        QCOMPARE(m_fx->sent(), QStringList());
        m_clock.advance(1'000);
        QTRY_COMPARE(display(), QStringLiteral("14:59"));
    }

    void keepsTimeWhileClosed_data()
    {
        QTest::addColumn<bool>("keepsTime");
        QTest::addColumn<QString>("wallPage"); // what the wall shows when the window closes
        QTest::newRow("its page on the wall") << true << "football";
        QTest::newRow("another page on the wall") << true << "soccer";
        QTest::newRow("setting off") << false << "football";
    }
    void keepsTimeWhileClosed()
    {
        QFETCH(bool, keepsTime);
        QFETCH(QString, wallPage);
        m_w->setKeepsTime([&keepsTime] { return keepsTime; });
        open();
        applyDuration(QStringLiteral("01:00"));
        click(*m_w, "SBRunWatch");
        m_w->noteSent(wallcmd::footballShow({}, {}, 0, 0, wallcmd::GameClock::Running, QStringLiteral("01:00")));
        if (wallPage == QLatin1String("soccer"))
            m_w->noteSent(wallcmd::soccerShow({}, {}, 0, 0));
        m_fx->sent();
        m_w->close();

        // Sixty seconds with the window closed, ticking as the timer does.
        for (int second = 0; second < 60; ++second) {
            m_clock.advance(1'000);
            if (child<QTimer>(*m_w, "WatchTimer")->isActive())
                m_w->WatchTimerTimer();
        }
        if (!keepsTime) {
            QCOMPARE(display(), QStringLiteral("01:00"));
            QCOMPARE(m_fx->sent(), kErase);
            QVERIFY(m_sound.events.isEmpty());
            return;
        }
        QCOMPARE(display(), QStringLiteral("00:00"));
        QVERIFY(button("SBStopWatch")->isChecked());
        QCOMPARE(m_sound.events, (QStringList{"alert", "tone 400 800"}));
        QStringList seconds; // the wall, while it shows this page, gets every second, the last one red
        for (int left = 59; left > 0; --left)
            seconds << clockRecord(true, QStringLiteral("00:%1").arg(left, 2, 10, QLatin1Char('0')));
        seconds << clockRecord(false, "00:00");
        QCOMPARE(m_fx->sent(), wallPage == QLatin1String("football") ? seconds : QStringList());

        // Opening again shows the clock where time has brought it; switched off, a closed clock stands.
        open();
        QCOMPARE(display(), QStringLiteral("00:00"));
        applyDuration(QStringLiteral("01:00"));
        click(*m_w, "SBRunWatch");
        m_w->close();
        keepsTime = false;
        m_clock.advance(5'000);
        m_w->WatchTimerTimer();
        QCOMPARE(display(), QStringLiteral("01:00"));
        QVERIFY(!child<QTimer>(*m_w, "WatchTimer")->isActive());
    }

    void scoreLimits()
    {
        open();
        auto* home = child<QSpinBox>(*m_w, "UDToreLinks");
        home->setValue(999);
        home->stepBy(1);
        QCOMPARE(panelText(*m_w, "PnToreLeft"), QStringLiteral("999"));
        auto* guest = child<QSpinBox>(*m_w, "UDToreRechts");
        guest->stepBy(-1);
        QCOMPARE(panelText(*m_w, "PnToreRight"), QStringLiteral("0"));
        guest->stepBy(2);
        QCOMPARE(panelText(*m_w, "PnToreRight"), QStringLiteral("2"));
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void countDirectionFromSettings()
    {
        m_w->setCountDirectionIndex(1);
        open();
        QCOMPARE(m_w->countDirectionIndex(), 1);
        m_w->close();
        m_w->setCountDirectionIndex(7);
        QCOMPARE(m_w->countDirectionIndex(), -1);
        open();
        QCOMPARE(m_w->countDirectionIndex(), 0);
    }

private:
    QToolButton* button(const char* name) { return child<QToolButton>(*m_w, name); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(*m_w, name); }
    QString display() { return panelText(*m_w, "PnGameWatch"); }
    QColor displayColour() { return child<QLabel>(*m_w, "PnGameWatch")->palette().color(QPalette::WindowText); }
    void open()
    {
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    }
    // Types a duration and applies it with the set button.
    void applyDuration(const QString& text)
    {
        edit("EdClock")->setText(text);
        click(*m_w, "SBSetClock");
        QCOMPARE(display(), text);
    }

    FakeClock m_clock;
    RecordingSound m_sound;
    std::unique_ptr<PageFixture> m_fx;
    std::unique_ptr<TFormAmericanFootball> m_w;
};

QTEST_MAIN(TstAmericanFootball)
#include "tst_AmericanFootball.moc"
