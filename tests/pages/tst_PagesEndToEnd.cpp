#include "app/Application.h"
#include "shell/ErrorReport.h"
#include "support/FakeClock.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {
class QuietSound final : public AlertSound
{
public:
    void alert() override {}
    void tone(int, int) override {}
};
} // namespace

// The whole program against the virtual wall in its own process: a page opened from the main window
// reaches the wall exactly as it is meant to.
class TstPagesEndToEnd final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_wallsim;
    quint16 m_port = 0;
    QString m_log;

    static QString wallsim()
    {
        return QDir(testsupport::binaryDir()).filePath(QStringLiteral("tools/wallsim/wallsim"));
    }

    bool startWallsim()
    {
        m_port = testsupport::freeUdpPort();
        m_log = m_dir.filePath(QStringLiteral("wall.log"));
        m_wallsim = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("wallsim-config")));
        m_wallsim->setProcessEnvironment(env);
        m_wallsim->start(wallsim(), {QStringLiteral("--headless"), QStringLiteral("--port"), QString::number(m_port),
                                     QStringLiteral("--log"), m_log});
        if (!m_wallsim->waitForStarted())
            return false;
        return QTest::qWaitFor(
                   [this] {
                       return m_wallsim->state() != QProcess::Running || m_wallsim->peek(4096).contains("listening on");
                   },
                   10000) &&
               m_wallsim->state() == QProcess::Running;
    }

    // The bodies the wall logged, without the life-sign queries that come and go with the lamp.
    QStringList pageBodies() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList out;
        for (const QString& line : QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
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
        QVERIFY2(QFile::exists(wallsim()), qPrintable(wallsim()));
        QVERIFY(startWallsim());
    }

    void cleanupTestCase()
    {
        if (m_wallsim && m_wallsim->state() == QProcess::Running) {
            m_wallsim->kill();
            m_wallsim->waitForFinished();
        }
    }

    void soccerFromTheMainWindow()
    {
        RecordingReport report;
        FakeClock clock;
        QuietSound sound;
        ApplicationSetup setup;
        setup.ports.wallRx = testsupport::freeUdpPort();
        setup.ports.wallTx = m_port;
        setup.ports.cosa = testsupport::freeUdpPort();
        setup.ports.json = testsupport::freeUdpPort();
        setup.main.settingsRoot = m_dir.filePath(QStringLiteral("client-settings"));
        setup.main.helpFile = m_dir.filePath(QStringLiteral("BrisalClient.chm"));
        setup.clock = &clock;
        setup.sound = &sound;
        BrisalClientApp app(setup, report);
        app.FormMain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.FormMain));
        QTRY_COMPARE(app.FormMain.LedBtnPing->ActiveLight(), TLedBtnColor::LedGreen);

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
        app.FormMain.SBSocker->click();
        driver.stop();
        QCOMPARE(stage, 2);
        QVERIFY(!app.FormMain.SBSocker->isChecked());

        const QStringList expected{"D0 02 C0 21 00 FF FF 00 10 21 48 65 69 6D", "C0 22 00 FF FF 00 10 22 47 E4 73 74 65",
                                   "C0 23 00 FF FF FF 10 23 30", "C0 24 00 FF FF FF 10 24 30", "D0 00", "10 12"};
        QTRY_COMPARE(pageBodies().size(), expected.size());
        QCOMPARE(pageBodies(), expected);
    }
};

QTEST_MAIN(TstPagesEndToEnd)
#include "tst_PagesEndToEnd.moc"
