#include "app/Application.h"
#include "shell/ErrorReport.h"
#include "support/FakeClock.h"
#include "support/RecordingSound.h"
#include "support/RecordingWallSink.h"
#include "support/TestSupport.h"
#include "support/WallsimProcess.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

// End to end: curl, the way an integrator tries the remote control first, against the whole program and
// the virtual wall in its own process.
class tst_RemoteWallsim final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    WallsimProcess m_wall{m_dir.path()};

    // Runs curl with the arguments while this thread's event loop (and with it the program) keeps running.
    QByteArray curl(const QStringList& arguments)
    {
        QProcess p;
        p.start(QStringLiteral("curl"),
                QStringList{QStringLiteral("-sS"), QStringLiteral("--noproxy"), QStringLiteral("*")} << arguments);
        if (!p.waitForStarted() || !QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 10000))
            return "curl did not finish";
        return p.exitCode() == 0 ? p.readAllStandardOutput() : "curl failed: " + p.readAllStandardError();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        if (QStandardPaths::findExecutable(QStringLiteral("curl")).isEmpty())
            QSKIP("curl is not installed");
        QVERIFY(m_dir.isValid());
        QVERIFY(m_wall.start(testsupport::freeUdpPort(),
                             {QStringLiteral("--screenshot"), m_dir.filePath(QStringLiteral("wall.png"))}));
    }

    void curlPutsTheScoreOnTheWallAndTheMonitorShowsIt()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        const QString settingsRoot = m_dir.filePath(QStringLiteral("client-settings"));
        {
            QSettings file(settingsRoot + QStringLiteral("/ZEL/BrisalClient.conf"), QSettings::IniFormat);
            file.setValue(QStringLiteral("Remote/Enabled"), QStringLiteral("1"));
            file.setValue(QStringLiteral("Remote/Port"), QString::number(port));
        }
        RecordingReport report;
        FakeClock clock;
        RecordingSound sound;
        ApplicationSetup setup;
        setup.ports.wallRx = testsupport::freeUdpPort();
        setup.ports.wallTx = m_wall.port();
        setup.ports.cosa = testsupport::freeUdpPort();
        setup.ports.json = testsupport::freeUdpPort();
        setup.main.settingsRoot = settingsRoot;
        setup.main.helpFile = m_dir.filePath(QStringLiteral("BrisalClient.chm"));
        setup.clock = &clock;
        setup.sound = &sound;
        BrisalClientApp app(setup, report);
        app.FormMain.show();
        QTRY_COMPARE(app.Link.state(), LinkState::Up);
        QVERIFY(app.Remote.isListening());

        const QString api = QStringLiteral("http://127.0.0.1:%1/api/v1/").arg(port);
        const QByteArray answer = curl(
            {QStringLiteral("-X"), QStringLiteral("POST"), QStringLiteral("-H"),
             QStringLiteral("Content-Type: application/json"), QStringLiteral("-d"),
             QStringLiteral(R"({"home": "Heim", "guest": "Gäste", "homeGoals": 2, "guestGoals": 0, "show": true})"),
             api + QStringLiteral("pages/soccer")});
        QVERIFY2(answer.contains(R"("page":"soccer")"), answer.constData());

        QStringList expected;
        for (const QByteArray& body : wallcmd::soccerShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 2, 0))
            expected << testsupport::hex(body);
        QTRY_VERIFY(m_wall.logLines().mid(m_wall.logLines().size() - 4) == expected);

        // The wall's picture is written before its log line; the monitor draws the same bodies the same way.
        const QString monitorFile = m_dir.filePath(QStringLiteral("monitor.png"));
        QCOMPARE(curl({QStringLiteral("-o"), monitorFile, api + QStringLiteral("monitor.png")}), QByteArray());
        const QImage wall(m_dir.filePath(QStringLiteral("wall.png")));
        const QImage monitor(monitorFile);
        QVERIFY(!wall.isNull());
        QCOMPARE(monitor.convertToFormat(QImage::Format_RGB32), wall.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(tst_RemoteWallsim)
#include "tst_RemoteWallsim.moc"
