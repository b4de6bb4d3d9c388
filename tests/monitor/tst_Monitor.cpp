#include "monitor/Monitor.h"
#include "shell/ClientFixture.h"
#include "support/WallsimProcess.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QToolButton>

namespace {

const QSize kWallPixels(768, 384);

QAction* monitorAction(ClientFixture& client)
{
    return testsupport::control<QAction>(client.main(), "Wandmonitor1");
}

QString label(const TFormMonitor& monitor, const char* name)
{
    return testsupport::control<QLabel>(monitor, name)->text();
}

bool bandShown(const TFormMonitor& monitor)
{
    return !testsupport::control<QLabel>(monitor, "LbNoLink")->isHidden();
}

} // namespace

// The on-air monitor in the whole program: the picture the virtual wall draws from the same bodies, the
// link state in words with the band across a picture that may be stale, and the menu entry whose state
// and window place outlive the run.
class tst_Monitor final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    WallsimProcess m_wall{m_dir.path()};

    QString screenshot() const { return m_dir.filePath(QStringLiteral("wall.png")); }
    QStringList wallPageBodies() const
    {
        QStringList out = m_wall.logLines();
        out.removeAll(QStringLiteral("80 FD"));
        return out;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFile::exists(WallsimProcess::program()), qPrintable(WallsimProcess::program()));
        // A wall of another text size than the program assumes, so the monitor must take the reported one.
        QVERIFY(m_wall.start(testsupport::freeUdpPort(),
                             {QStringLiteral("--columns"), QStringLiteral("24"), QStringLiteral("--rows"),
                              QStringLiteral("6"), QStringLiteral("--size"), QStringLiteral("768x384"),
                              QStringLiteral("--screenshot"), screenshot()}));
    }

    void pictureIsTheVirtualWalls_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("lastSend");
        QTest::newRow("soccer") << "TFormSocker"
                                << "Zuletzt gesendet: 13:04:05 (Fußball)";
        QTest::newRow("football") << "TFormAmericanFootball"
                                  << "Zuletzt gesendet: 13:04:05 (American Football)";
        QTest::newRow("text list") << "TFormTextbox"
                                   << "Zuletzt gesendet: 13:04:05 (Textliste)";
    }

    void pictureIsTheVirtualWalls()
    {
        QFETCH(QString, page);
        QFETCH(QString, lastSend);
        ClientFixture client;
        client.wallPort = m_wall.port();
        client.start();
        QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
        QCOMPARE(client.app->Link.textSize().columns, 24);
        TFormMonitor& monitor = client.app->FormMonitor;
        monitorAction(client)->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));

        auto* window = client.main().findChild<QDialog*>(page);
        QVERIFY(window);
        window->show();
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QStringList sent;
        connect(&client.app->Link, &WallLink::bodiesSent, this, [&](const wallcmd::Bodies& bodies) {
            for (const QByteArray& body : bodies)
                sent << AnsweringWall::hex(body);
        });
        QTest::mouseClick(testsupport::control<QToolButton>(*window, "SBSend"), Qt::LeftButton);
        sent.removeAll(QStringLiteral("80 FD"));
        QVERIFY(!sent.isEmpty());
        // wallsim writes its picture before it logs the body.
        QTRY_COMPARE(wallPageBodies().mid(std::max<qsizetype>(0, wallPageBodies().size() - sent.size())), sent);

        const QImage wall = QImage(screenshot()).convertToFormat(QImage::Format_RGB32);
        const QImage shown = monitor.picture(kWallPixels).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(wall.size(), kWallPixels);
        QImage black(kWallPixels, QImage::Format_RGB32);
        black.fill(Qt::black);
        QVERIFY(shown != black);
        if (shown != wall) {
            shown.save(m_dir.filePath(page + QStringLiteral("-monitor.png")));
            wall.save(m_dir.filePath(page + QStringLiteral("-wallsim.png")));
            m_dir.setAutoRemove(false);
            QFAIL(qPrintable(QStringLiteral("the monitor's picture differs from wallsim's; both kept in ") +
                             m_dir.path()));
        }
        QCOMPARE(label(monitor, "LbLastSend"), lastSend);
        QCOMPARE(label(monitor, "LbLinkState"), QStringLiteral("Wand antwortet"));
        QVERIFY(!bandShown(monitor));
        // The monitor updated without taking the focus from the page.
        QCOMPARE(QApplication::activeWindow(), window);
        window->close();
    }

    void linkStateInWordsAndTheStaleBand()
    {
        ClientFixture client;
        client.start(false);
        TFormMonitor& monitor = client.app->FormMonitor;
        QVERIFY(bandShown(monitor));
        QCOMPARE(label(monitor, "LbLinkState"), QStringLiteral("Wand noch nicht gefragt"));
        QCOMPARE(label(monitor, "LbLastSend"), QStringLiteral("Noch nichts gesendet"));
        client.main().show();
        client.waitForStartTimer();
        QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
        QVERIFY(!bandShown(monitor));
        QCOMPARE(label(monitor, "LbLinkState"), QStringLiteral("Wand antwortet"));

        monitorAction(client)->trigger();
        client.wall.answering = false;
        client.app->Link.queryLifeSign();
        QVERIFY(bandShown(monitor));
        QCOMPARE(label(monitor, "LbLinkState"), QStringLiteral("Wand antwortet nicht seit 0 s"));
        client.clock.advance(6000);
        QTRY_COMPARE(label(monitor, "LbLinkState"), QStringLiteral("Wand antwortet nicht seit 6 s"));
        QVERIFY(bandShown(monitor));
        client.wall.answering = true;
        client.app->Link.queryLifeSign();
        QTRY_VERIFY(!bandShown(monitor));
    }

    void menuEntryAndItsStoredState()
    {
        QTemporaryDir settings;
        {
            ClientFixture client;
            client.start(true, {}, settings.path());
            TFormMonitor& monitor = client.app->FormMonitor;
            QVERIFY(!monitorAction(client)->isChecked()); // off by default
            QVERIFY(!monitor.isVisible());
            monitorAction(client)->trigger();
            QVERIFY(monitor.isVisible());
            QVERIFY(QTest::qWaitForWindowExposed(&monitor));
            monitor.close(); // the window's own close button
            QVERIFY(!monitorAction(client)->isChecked());
            monitorAction(client)->trigger();
            QVERIFY(monitor.isVisible());
            monitor.move(350, 120);
            monitor.resize(500, 300);
            testsupport::control<QAction>(client.main(), "SBExit")->trigger();
        }
        ClientFixture again;
        again.start(true, {}, settings.path());
        QVERIFY(monitorAction(again)->isChecked());
        TFormMonitor& monitor = again.app->FormMonitor;
        QVERIFY(monitor.isVisible());
        QCOMPARE(monitor.pos(), QPoint(350, 120));
        QCOMPARE(monitor.size(), QSize(500, 300));
    }
};

QTEST_MAIN(tst_Monitor)
#include "tst_Monitor.moc"
