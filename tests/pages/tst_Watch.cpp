#include "PageFixture.h"
#include "pages/Watch.h"
#include "support/FakeClock.h"

#include <QTimer>
#include <QToolButton>

namespace {
const QStringList kErase{QStringLiteral("D0 00"), QStringLiteral("10 12")};
const QString kAnalog = QStringLiteral("D0 09");
} // namespace

class TstWatch final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fx = std::make_unique<PageFixture>();
        m_clock.setTime(QTime(13, 4, 4));
        m_text.clear();
        m_w = std::make_unique<TFormWatch>(m_fx->wall, m_clock, [this] { return m_text; });
    }
    void cleanup()
    {
        m_w.reset();
        m_fx.reset();
    }

    void windowAndControls()
    {
        QCOMPARE(m_w->objectName(), QStringLiteral("TFormWatch"));
        QCOMPARE(m_w->windowTitle(), QStringLiteral("Uhrzeit- Anzeige"));
        QCOMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("00:00:00"));
        auto* timer = child<QTimer>(*m_w, "WatchTimer");
        QCOMPARE(timer->interval(), 200);
        QVERIFY(!timer->isActive());
        QCOMPARE(button("SBErase")->text(), QStringLiteral("Löschen"));
        QCOMPARE(button("SBErase")->toolTip(), QStringLiteral("Anzeigetafel löschen"));
        QCOMPARE(button("SBAnalogWatch")->text(), QString());
        QVERIFY(!button("SBAnalogWatch")->icon().isNull());
        QCOMPARE(button("SBAnalogWatch")->toolTip(), QStringLiteral("Auf Analoguhr umschalten"));
        QCOMPARE(button("SBSend")->text(), QStringLiteral("Anzeigen"));
        for (const char* name : {"SBErase", "SBAnalogWatch", "SBSend"})
            QVERIFY(!button(name)->isChecked());
        open();
        QVERIFY(timer->isActive());
        QCOMPARE(m_w->minimumSize(), m_w->maximumSize());
    }

    void withoutModeOnlyTheDisplayChanges()
    {
        open();
        m_clock.setTime(QTime(13, 4, 5));
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("13:04:05"));
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void timeDisplayMode_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("bodies");
        QTest::newRow("empty text") << QTime(13, 4, 5) << QString()
                                    << QStringList{"D0 01 C0 11 00 00 FF FF 10 11 31 33 3A 30 34 3A 30 35",
                                                   "C0 12 00 FF 00 00 10 12"};
        QTest::newRow("leading zeros, umlaut") << QTime(7, 5, 9) << QStringLiteral("Grüße")
                                               << QStringList{"D0 01 C0 11 00 00 FF FF 10 11 30 37 3A 30 35 3A 30 39",
                                                              "C0 12 00 FF 00 00 10 12 47 72 FC DF 65"};
        QTest::newRow("midnight") << QTime(0, 0, 0) << QStringLiteral("x")
                                  << QStringList{"D0 01 C0 11 00 00 FF FF 10 11 30 30 3A 30 30 3A 30 30",
                                                 "C0 12 00 FF 00 00 10 12 78"};
    }
    void timeDisplayMode()
    {
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QFETCH(QStringList, bodies);
        m_clock.setTime(time.addSecs(-1));
        open();
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), time.addSecs(-1).toString(QStringLiteral("HH:mm:ss")));
        click(*m_w, "SBSend");
        QVERIFY(button("SBSend")->isChecked());
        QCOMPARE(m_fx->sent(), QStringList()); // pressing sends nothing at once
        m_text = text;                         // read at the send, not before
        m_clock.setTime(time);
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), time.toString(QStringLiteral("HH:mm:ss")));
        QCOMPARE(m_fx->sent(), bodies);
    }

    void onlyANewSecondSends()
    {
        open();
        click(*m_w, "SBSend");
        m_clock.setTime(QTime(13, 4, 5, 100));
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("13:04:05"));
        QCOMPARE(m_fx->sent().size(), 2);
        for (int ms : {300, 600, 999}) {
            m_clock.setTime(QTime(13, 4, 5, ms));
            m_w->WatchTimerTimer();
        }
        QCOMPARE(m_fx->sent(), QStringList());
        m_clock.setTime(QTime(13, 4, 6));
        m_w->WatchTimerTimer();
        QCOMPARE(m_fx->sent().size(), 2);
    }

    void analogMode()
    {
        open();
        click(*m_w, "SBSend");
        click(*m_w, "SBAnalogWatch");
        QVERIFY(button("SBAnalogWatch")->isChecked());
        QVERIFY(!button("SBSend")->isChecked());
        QCOMPARE(m_fx->sent(), QStringList());
        m_clock.setTime(QTime(13, 4, 5));
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("13:04:05"));
        QCOMPARE(m_fx->sent(), QStringList{kAnalog});
    }

    void pressedButtonStaysDownAndEraseAlwaysSends()
    {
        open();
        click(*m_w, "SBSend");
        click(*m_w, "SBSend");
        QVERIFY(button("SBSend")->isChecked());
        click(*m_w, "SBErase");
        QCOMPARE(m_fx->sent(), kErase);
        click(*m_w, "SBErase");
        QVERIFY(button("SBErase")->isChecked());
        QVERIFY(!button("SBSend")->isChecked());
        QVERIFY(!button("SBAnalogWatch")->isChecked());
        QCOMPARE(m_fx->sent(), kErase);
        m_clock.setTime(QTime(13, 4, 5));
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("13:04:05"));
        QCOMPARE(m_fx->sent(), QStringList()); // erase ended sending
    }

    void closingErasesAndEndsTheTimeDisplay()
    {
        open();
        click(*m_w, "SBSend");
        m_w->close();
        QCOMPARE(m_fx->sent(), kErase);
        QVERIFY(!child<QTimer>(*m_w, "WatchTimer")->isActive());
        QVERIFY(!button("SBSend")->isChecked());
        m_clock.setTime(QTime(13, 4, 5));
        open();
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("13:04:05"));
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void analogModeSurvivesClosing()
    {
        open();
        click(*m_w, "SBAnalogWatch");
        m_w->close();
        QCOMPARE(m_fx->sent(), kErase);
        QVERIFY(button("SBAnalogWatch")->isChecked());
        QCOMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("13:04:04")); // kept while hidden
        m_clock.setTime(QTime(13, 4, 7));
        open();
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("13:04:07"));
        QCOMPARE(m_fx->sent(), QStringList{kAnalog});
    }

    void linkErrorReleasesSend()
    {
        open();
        click(*m_w, "SBSend");
        m_w->ReleaseSend();
        QVERIFY(!button("SBSend")->isChecked());
    }

private:
    QToolButton* button(const char* name) { return child<QToolButton>(*m_w, name); }
    void open()
    {
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QTRY_COMPARE(panelText(*m_w, "PnWatch"), m_clock.now().time().toString(QStringLiteral("HH:mm:ss")));
    }

    FakeClock m_clock;
    QString m_text;
    std::unique_ptr<PageFixture> m_fx;
    std::unique_ptr<TFormWatch> m_w;
};

QTEST_MAIN(TstWatch)
#include "tst_Watch.moc"
