#include "FtpServer.h"
#include "app/Application.h"
#include "media/Image.h"
#include "shell/ErrorReport.h"
#include "support/Controls.h"
#include "support/TestSupport.h"
#include "support/WallsimProcess.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

// The whole program, the virtual wall in its own process and an FTP server whose folder is the wall's
// media folder: a picture chosen in the picture window lands there and is on the wall once the picture
// page is selected.
class TstMediaEndToEnd final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    WallsimProcess m_wall{m_dir.path()};

private Q_SLOTS:
    void pictureFromTheMainWindowToTheWall()
    {
        if (!FtpServer::available())
            QSKIP("pyftpdlib is not installed");
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(m_dir.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
        FtpServer ftp(QStringLiteral("TORVEK"), QStringLiteral("mirtelo.kq"));
        QVERIFY(ftp.start());
        const QString wallImage = m_dir.filePath(QStringLiteral("wall.png"));
        QVERIFY(m_wall.start(testsupport::freeUdpPort(),
                             {QStringLiteral("--media"), ftp.home(), QStringLiteral("--screenshot"), wallImage}));

        const QString chosen = m_dir.filePath(QStringLiteral("Magenta.jpg"));
        QImage picture(320, 160, QImage::Format_RGB32);
        picture.fill(QColor(255, 0, 255));
        QVERIFY(picture.save(chosen, "JPG"));

        RecordingReport report;
        ApplicationSetup setup;
        setup.ports.wallRx = testsupport::freeUdpPort();
        setup.ports.wallTx = m_wall.port();
        setup.ports.cosa = testsupport::freeUdpPort();
        setup.ports.json = testsupport::freeUdpPort();
        setup.ports.ftp = ftp.port();
        setup.main.settingsRoot = m_dir.filePath(QStringLiteral("client-settings"));
        BrisalClientApp app(setup, report);
        app.Media.Open.chooser = [&](const TOpenDialog&) { return chosen; };
        app.FormMain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.FormMain));
        QTRY_COMPARE(testsupport::control<TLedBtn>(app.FormMain, "LedBtnPing")->ActiveLight(), TLedBtnColor::LedGreen);

        // The window opens modally inside the click; drive it from the event loop that runs under it.
        int stage = 0;
        QRgb wallCentre = 0;
        QTimer driver;
        driver.setInterval(20);
        connect(&driver, &QTimer::timeout, this, [&] {
            if (stage == 0 && app.FormJpg.isVisible()) {
                stage = 1;
                app.FormJpg.findChild<QToolButton*>(QStringLiteral("SBLoadPicture"))->click();
                app.FormJpg.findChild<QToolButton*>(QStringLiteral("SBSend"))->click();
            } else if (stage == 1 && m_wall.logLines().contains(QStringLiteral("D0 05"))) {
                const QImage wall(wallImage);
                wallCentre = wall.pixel(wall.rect().center());
                app.FormJpg.close();
                stage = 2;
            }
        });
        driver.start();
        QTimer::singleShot(20'000, &app.FormJpg, [&] { app.FormJpg.close(); }); // never hang
        testsupport::control<QToolButton>(app.FormMain, "SBJpgPicture")->click();
        driver.stop();
        QCOMPARE(stage, 2);
        QCOMPARE(report.texts(), QStringList());

        QVERIFY(ftp.content(QStringLiteral("BrisalClient.jpg")).startsWith("\xFF\xD8\xFF"));
        QVERIFY2(qRed(wallCentre) > 200 && qGreen(wallCentre) < 60 && qBlue(wallCentre) > 200,
                 qPrintable(QColor(wallCentre).name()));
        // Everything but the life-sign queries that come and go with the lamp.
        const QRegularExpression page(QStringLiteral("^(?!80 FD$)"));
        QTRY_COMPARE(m_wall.logLines().filter(page),
                     (QStringList{QStringLiteral("D0 05"), QStringLiteral("D0 00"), QStringLiteral("10 12")}));
    }
};

QTEST_MAIN(TstMediaEndToEnd)
#include "tst_MediaEndToEnd.moc"
