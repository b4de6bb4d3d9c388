#include "FtpServer.h"
#include "app/Application.h"
#include "media/Image.h"
#include "shell/ErrorReport.h"
#include "support/Controls.h"
#include "support/TestSupport.h"
#include "support/WallProbe.h"
#include "support/WallsimProcess.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <csignal>
#include <functional>
#include <memory>

// The whole program, the virtual wall in its own process and an FTP server whose folder is the wall's
// media folder: a picture chosen in a window lands there and is on the wall once a page that shows it is
// selected.
class TstMediaEndToEnd final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    WallsimProcess m_wall{m_dir.path()};
    std::unique_ptr<FtpServer> m_ftp;
    QString m_wallImage; // what wallsim draws
    QString m_chosen;    // the operator's magenta picture
    RecordingReport m_report;

    // The FTP server, wallsim drawing into m_wallImage and the operator's picture; setup points at them.
    bool startPeers(ApplicationSetup& setup)
    {
        m_ftp = std::make_unique<FtpServer>(QStringLiteral("TORVEK"), QStringLiteral("mirtelo.kq"));
        m_wallImage = m_dir.filePath(QStringLiteral("wall.png"));
        QFile::remove(m_wallImage);
        if (!m_ftp->start() || !m_wall.start(testsupport::freeUdpPort(), {QStringLiteral("--media"), m_ftp->home(),
                                                                          QStringLiteral("--screenshot"), m_wallImage}))
            return false;
        m_chosen = m_dir.filePath(QStringLiteral("Magenta.jpg"));
        QImage picture(320, 160, QImage::Format_RGB32);
        picture.fill(QColor(255, 0, 255));
        setup.ports.wallRx = testsupport::freeUdpPort();
        setup.ports.wallTx = m_wall.port();
        setup.ports.cosa = testsupport::freeUdpPort();
        setup.ports.json = testsupport::freeUdpPort();
        setup.ports.ftp = m_ftp->port();
        setup.main.settingsRoot = m_dir.filePath(QStringLiteral("client-settings"));
        return picture.save(m_chosen, "JPG");
    }

    // The main window shown with the lamp green, its open dialogs answering with the magenta picture.
    bool showMain(BrisalClientApp& app)
    {
        app.Media.Open.chooser = [this](const TOpenDialog&) { return m_chosen; };
        app.FormMain.show();
        return QTest::qWaitForWindowExposed(&app.FormMain) && QTest::qWaitFor([&app] {
                   return testsupport::control<TLedBtn>(app.FormMain, "LedBtnPing")->ActiveLight() ==
                          TLedBtnColor::LedGreen;
               });
    }

    // The page opens modally inside the click on its main-window button: step runs from the event loop
    // under it, every 20 ms from the page's showing, until it returns true; then the page is closed.
    bool drive(BrisalClientApp& app, const char* button, QDialog& page, const std::function<bool()>& step)
    {
        bool done = false;
        QTimer driver;
        driver.setInterval(20);
        connect(&driver, &QTimer::timeout, this, [&] {
            if (page.isVisible() && !done && step()) {
                done = true;
                page.close();
            }
        });
        driver.start();
        QTimer::singleShot(20'000, &page, [&page] { page.close(); }); // never hang
        testsupport::control<QToolButton>(app.FormMain, button)->click();
        return done;
    }

    // The pages' bodies that reached the wall, without the life-sign queries that come and go with the lamp.
    QStringList pageBodies() const
    {
        static const QRegularExpression page(QStringLiteral("^(?!80 FD$)"));
        return m_wall.logLines().filter(page);
    }

    static bool magenta(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) > 200; }

private Q_SLOTS:
    void initTestCase()
    {
        if (!FtpServer::available())
            QSKIP("pyftpdlib is not installed");
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(m_dir.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
    }
    void cleanup()
    {
        m_wall.stop();
        m_ftp.reset();
        m_report.entries.clear();
    }

    void pictureFromTheMainWindowToTheWall()
    {
        ApplicationSetup setup;
        QVERIFY(startPeers(setup));
        BrisalClientApp app(setup, m_report);
        QVERIFY(showMain(app));

        int stage = 0;
        QRgb wallCentre = 0;
        QVERIFY(drive(app, "SBJpgPicture", app.FormJpg, [&] {
            if (stage == 0) {
                stage = 1;
                app.FormJpg.findChild<QToolButton*>(QStringLiteral("SBLoadPicture"))->click();
                app.FormJpg.findChild<QToolButton*>(QStringLiteral("SBSend"))->click();
                return false;
            }
            if (!m_wall.logLines().contains(QStringLiteral("D0 05")))
                return false;
            const QImage wall(m_wallImage);
            wallCentre = wall.pixel(wall.rect().center());
            return true;
        }));
        QCOMPARE(m_report.texts(), QStringList());

        QVERIFY(m_ftp->content(QStringLiteral("BrisalClient.jpg")).startsWith("\xFF\xD8\xFF"));
        QVERIFY2(magenta(wallCentre), qPrintable(QColor(wallCentre).name()));
        QTRY_COMPARE(pageBodies(),
                     (QStringList{QStringLiteral("D0 05"), QStringLiteral("D0 00"), QStringLiteral("10 12")}));
    }

    // With the game-and-set page switched on in the settings: the score goes out, a picture is loaded and
    // uploaded through the action list, and the wall shows both.
    void gameAndSetScoreAndPictureOnTheWall()
    {
        ApplicationSetup setup;
        QVERIFY(startPeers(setup));
        QSettings(setup.main.settingsRoot + QStringLiteral("/ZEL/BrisalClient.conf"), QSettings::IniFormat)
            .setValue(QStringLiteral("Main/GameAndSetEnabled"), QStringLiteral("1"));
        BrisalClientApp app(setup, m_report);
        QVERIFY(showMain(app));

        TFormSpielUndSatz& page = app.FormSpielUndSatz;
        auto* actions = page.findChild<QComboBox*>(QStringLiteral("CBImageAction"));
        int stage = 0;
        QImage wall;
        QVERIFY(drive(app, "SBSpielUndSatz", page, [&] {
            if (stage == 0) {
                stage = 1;
                page.findChild<QSpinBox*>(QStringLiteral("UDSatzLeft"))->setValue(2);
                page.findChild<QSpinBox*>(QStringLiteral("UDToreRechts"))->setValue(5);
                page.findChild<QToolButton*>(QStringLiteral("SBSend"))->click();
                actions->setCurrentIndex(static_cast<int>(TFormSpielUndSatz::ImageAction::LoadPicture));
                page.findChild<QToolButton*>(QStringLiteral("SBDoImage"))->click(); // moves on to showing
                page.findChild<QToolButton*>(QStringLiteral("SBDoImage"))->click();
                return false;
            }
            // wallsim draws the upload from its media folder beside the score; with no body arriving, the
            // signal asks for the picture anew.
            wall = QImage(m_wallImage);
            if (!wall.isNull() && magenta(wall.pixel(wall.width() * 80 / 100, wall.height() / 2)))
                return true;
            ::kill(static_cast<pid_t>(m_wall.process().processId()), SIGUSR1);
            return false;
        }));
        QCOMPARE(m_report.texts(), QStringList());
        QCOMPARE(actions->currentIndex(), static_cast<int>(TFormSpielUndSatz::ImageAction::ShowPicture));
        QVERIFY(m_ftp->content(QStringLiteral("BrisalClient.jpg")).startsWith("\xFF\xD8\xFF"));
        // The score's side is not the picture.
        QVERIFY(!magenta(wall.pixel(wall.width() * 20 / 100, wall.height() / 2)));
        QTRY_COMPARE(pageBodies(),
                     WallProbe::hex(wallcmd::setsShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 0, 5, 2, 0) +
                                    wallcmd::erase()));
    }
};

QTEST_MAIN(TstMediaEndToEnd)
#include "tst_MediaEndToEnd.moc"
