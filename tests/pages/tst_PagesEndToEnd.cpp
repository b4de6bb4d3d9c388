#include "app/Application.h"
#include "shell/ErrorReport.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/RecordingSound.h"
#include "support/TestSupport.h"
#include "support/WallsimProcess.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

// The whole program against the virtual wall in its own process: a page opened from the main window
// reaches the wall exactly as it is meant to.
class TstPagesEndToEnd final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    WallsimProcess m_wall{m_dir.path()};

    // The bodies the wall logged, without the life-sign queries that come and go with the lamp.
    QStringList pageBodies() const
    {
        QStringList out;
        for (const QString& line : m_wall.logLines()) {
            if (line != QStringLiteral("80 FD"))
                out << line;
        }
        return out;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFile::exists(WallsimProcess::program()), qPrintable(WallsimProcess::program()));
        QVERIFY(m_wall.start(testsupport::freeUdpPort()));
    }

    void soccerFromTheMainWindow()
    {
        RecordingReport report;
        FakeClock clock;
        RecordingSound sound;
        ApplicationSetup setup;
        setup.ports.wallRx = testsupport::freeUdpPort();
        setup.ports.wallTx = m_wall.port();
        setup.ports.cosa = testsupport::freeUdpPort();
        setup.ports.json = testsupport::freeUdpPort();
        setup.main.settingsRoot = m_dir.filePath(QStringLiteral("client-settings"));
        setup.main.helpFile = m_dir.filePath(QStringLiteral("BrisalClient.chm"));
        setup.clock = &clock;
        setup.sound = &sound;
        BrisalClientApp app(setup, report);
        app.FormMain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.FormMain));
        QTRY_COMPARE(testsupport::control<TLedBtn>(app.FormMain, "LedBtnPing")->ActiveLight(), TLedBtnColor::LedGreen);

        // The page opens modally inside the click; drive it from the event loop that runs under it.
        int stage = 0;
        QTimer driver;
        driver.setInterval(20);
        connect(&driver, &QTimer::timeout, this, [&] {
            if (stage == 0 && app.FormSocker.isVisible()) {
                app.FormSocker.findChild<QToolButton*>(QStringLiteral("SBSend"))->click();
                stage = 1;
            } else if (stage == 1 && pageBodies().size() >= 4) {
                app.FormSocker.close();
                stage = 2;
            }
        });
        driver.start();
        QTimer::singleShot(10'000, &app.FormSocker, [&] { app.FormSocker.close(); }); // never hang
        testsupport::control<QToolButton>(app.FormMain, "SBSocker")->click();
        driver.stop();
        QCOMPARE(stage, 2);
        QVERIFY(!testsupport::control<QToolButton>(app.FormMain, "SBSocker")->isChecked());

        const QStringList expected{"D0 02 C0 21 00 FF FF 00 10 21 48 65 69 6D",
                                   "C0 22 00 FF FF 00 10 22 47 E4 73 74 65",
                                   "C0 23 00 FF FF FF 10 23 30",
                                   "C0 24 00 FF FF FF 10 24 30",
                                   "D0 00",
                                   "10 12"};
        QTRY_COMPARE(pageBodies().size(), expected.size());
        QCOMPARE(pageBodies(), expected);
    }
};

QTEST_MAIN(TstPagesEndToEnd)
#include "tst_PagesEndToEnd.moc"
