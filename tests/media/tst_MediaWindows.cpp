#include "FtpServer.h"
#include "app/DModule.h"
#include "media/Image.h"
#include "media/JpgPicture.h"
#include "media/Video.h"
#include "pages/PageFixture.h"
#include "shell/ErrorReport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {
const QStringList kErase{QStringLiteral("D0 00"), QStringLiteral("10 12")};
const QStringList kPicture{QStringLiteral("D0 05")};
const QStringList kVideo{QStringLiteral("D0 F6"), QStringLiteral("D0 06")};
const QStringList kLive{QStringLiteral("D0 F6"), QStringLiteral("D0 07")};
const QStringList kCamera{QStringLiteral("D0 F6"), QStringLiteral("D0 0D")};

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}
} // namespace

// The picture and video windows against a wall probe and a real FTP server, staging into a private
// temporary folder. The open dialog answers through its chooser.
class TstMediaWindows final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_staging.isValid() && m_chosen.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_staging.path()));
        if (!FtpServer::available())
            QSKIP("pyftpdlib is not installed");
    }
    void init()
    {
        for (const QString& name : QDir(m_staging.path()).entryList(QDir::Files))
            QFile::remove(m_staging.filePath(name));
        m_server = std::make_unique<FtpServer>(QStringLiteral("TORVEK"), QStringLiteral("mirtelo.kq"));
        QVERIFY(m_server->start());
        Ports ports;
        ports.wallRx = testsupport::freeUdpPort();
        ports.wallTx = m_probe.port();
        ports.ftp = m_server->port();
        m_dm = std::make_unique<TDM>(ports);
        m_dm->UDPVesk.RxPort = ports.wallRx;
        m_dm->UDPVesk.OpenSocket();
        m_dm->setWallAddressSource([] { return QStringLiteral("127.0.0.1"); });
        m_dm->Media.Open.chooser = [this](const TOpenDialog& d) {
            m_dialogs << d.Title + QLatin1Char('|') + d.Filter;
            return m_answer;
        };
        // What the wall had received when the data connection of an upload began.
        connect(&m_dm->Media.Upload.IdFTP1, &TFtpClient::WorkBegin, this,
                [this] { m_beforeUpload = m_probe.bodies(); });
        m_report = std::make_unique<RecordingReport>();
        m_jpg = std::make_unique<TFormJpg>(*m_dm, *m_report);
        m_video = std::make_unique<TFormVideo>(*m_dm, *m_report);
        m_dialogs.clear();
        m_beforeUpload = {QStringLiteral("<no upload>")};
    }
    void cleanup()
    {
        m_jpg.reset();
        m_video.reset();
        m_dm.reset();
        m_server.reset();
        m_probe.clear();
    }

    void windowsAndControls()
    {
        QCOMPARE(m_jpg->objectName(), QStringLiteral("TFormJpg"));
        QCOMPARE(m_jpg->windowTitle(), QStringLiteral("Bild (JPG) anzeigen"));
        QCOMPARE(m_video->objectName(), QStringLiteral("TFormVideo"));
        QCOMPARE(m_video->windowTitle(), QStringLiteral("Video anzeigen"));
        for (QWidget* w : {static_cast<QWidget*>(m_jpg.get()), static_cast<QWidget*>(m_video.get())}) {
            QCOMPARE(w->minimumSize(), QSize(325, 350));
            QCOMPARE(w->maximumSize(), QSize(350, 400));
        }
        const auto hint = [](QWidget& w, const char* name) { return child<QToolButton>(w, name)->toolTip(); };
        const auto text = [](QWidget& w, const char* name) { return child<QToolButton>(w, name)->text(); };
        QCOMPARE(hint(*m_jpg, "SBLoadPicture"), QStringLiteral("Bild öffnen"));
        QCOMPARE(panelText(*m_jpg, "Label6"), QStringLiteral("Bild (JPG) anzeigen"));
        QCOMPARE(text(*m_jpg, "SBErase"), QStringLiteral("Löschen"));
        QCOMPARE(hint(*m_jpg, "SBErase"), QStringLiteral("Anzeigetafel löschen"));
        QCOMPARE(text(*m_jpg, "SBLive"), QStringLiteral("LiveVideo"));
        QCOMPARE(hint(*m_jpg, "SBLive"), QStringLiteral("Videograbber am Server"));
        QCOMPARE(text(*m_jpg, "SBSend"), QStringLiteral("Anzeigen"));
        QVERIFY(child<QProgressBar>(*m_jpg, "PBar"));
        QVERIFY(child<TImage>(*m_jpg, "ImShowPicture")->picture().isNull());
        QCOMPARE(hint(*m_video, "SBOpenVideo"), QStringLiteral("Bild öffnen"));
        QCOMPARE(panelText(*m_video, "Label6"), QStringLiteral("Video anzeigen"));
        QCOMPARE(hint(*m_video, "SBLive"), QStringLiteral("Videograbber am Server"));
        QVERIFY(text(*m_video, "SBLive").isEmpty());
        QCOMPARE(hint(*m_video, "SBShowMJPEG"), QStringLiteral("MJPEG- Kamera am Server"));
        QVERIFY(text(*m_video, "SBShowMJPEG").isEmpty());
        QCOMPARE(text(*m_video, "SBSend"), QStringLiteral("Anzeigen"));
        QVERIFY(child<QWidget>(*m_video, "PnVideo"));
        QVERIFY(child<QProgressBar>(*m_video, "PBarVideo"));
    }

    // The bottom bar latches as one group: down until another is pressed or it is pressed again.
    void bottomBarLatches()
    {
        showWindow(*m_video);
        auto* erase = child<QToolButton>(*m_video, "SBErase");
        auto* live = child<QToolButton>(*m_video, "SBLive");
        click(*m_video, "SBErase");
        QVERIFY(erase->isChecked());
        click(*m_video, "SBLive");
        QVERIFY(live->isChecked() && !erase->isChecked());
        click(*m_video, "SBLive");
        QVERIFY(!live->isChecked());
        QCOMPARE(sent(), kErase + kLive + kLive);
    }

    void liveAndCamera_data()
    {
        QTest::addColumn<bool>("videoWindow");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("bodies");
        QTest::newRow("picture window, LiveVideo") << false << QStringLiteral("SBLive") << kLive;
        QTest::newRow("picture window, Löschen") << false << QStringLiteral("SBErase") << kErase;
        QTest::newRow("video window, live video") << true << QStringLiteral("SBLive") << kLive;
        QTest::newRow("video window, camera") << true << QStringLiteral("SBShowMJPEG") << kCamera;
        QTest::newRow("video window, Löschen") << true << QStringLiteral("SBErase") << kErase;
    }
    void liveAndCamera()
    {
        QFETCH(bool, videoWindow);
        QFETCH(QString, button);
        QFETCH(QStringList, bodies);
        QWidget& w = videoWindow ? static_cast<QWidget&>(*m_video) : static_cast<QWidget&>(*m_jpg);
        showWindow(w);
        click(w, button.toLatin1().constData());
        QCOMPARE(sent(), bodies);
        w.hide(); // hiding blanks the wall
        QCOMPARE(sent(), kErase);
        QVERIFY(m_report->entries.isEmpty());
    }

    // Start.jpeg is looked for as Start.jpg; the picture goes up, and only then the picture page.
    void pictureShownAfterUpload()
    {
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(m_chosen.filePath(QStringLiteral("Start.jpg")), "JPG"));
        m_answer = m_chosen.filePath(QStringLiteral("Start.jpeg"));
        showWindow(*m_jpg);
        click(*m_jpg, "SBLoadPicture");
        QCOMPARE(m_dialogs, QStringList{QStringLiteral("Bild öffnen ...|Bilder *.jpg|*.jpg")});
        QCOMPARE(m_dm->Media.Open.FileName, m_chosen.filePath(QStringLiteral("Start.jpg")));
        QCOMPARE(child<TImage>(*m_jpg, "ImShowPicture")->picture().size(), QSize(80, 60));

        QSignalSpy bar(child<QProgressBar>(*m_jpg, "PBar"), &QProgressBar::valueChanged);
        QSignalSpy hiddenBar(child<QProgressBar>(*m_video, "PBarVideo"), &QProgressBar::valueChanged);
        click(*m_jpg, "SBSend");
        QCOMPARE(m_beforeUpload, QStringList());
        QCOMPARE(sent(), kPicture);
        QImage uploaded;
        QVERIFY(uploaded.loadFromData(m_server->content(QStringLiteral("BrisalClient.jpg")), "JPG"));
        QCOMPARE(uploaded.size(), QSize(80, 60));
        auto* send = child<QToolButton>(*m_jpg, "SBSend");
        QVERIFY(send->isEnabled() && !send->isChecked());
        QVERIFY(m_report->entries.isEmpty());
        // The visible window's bar went full and back to 0; the hidden window's bar was left alone.
        QVERIFY(!bar.isEmpty());
        QCOMPARE(bar.last().first().toInt(), 0);
        QVERIFY(hiddenBar.isEmpty());
    }

    void missingPictureKeepsImage()
    {
        m_answer = m_chosen.filePath(QStringLiteral("Fehlt.jpeg"));
        click(*m_jpg, "SBLoadPicture");
        QVERIFY(child<TImage>(*m_jpg, "ImShowPicture")->picture().isNull());
        QVERIFY(m_report->entries.isEmpty());
    }

    // A failed upload reaches the error report; the picture page is not selected; the button is back.
    void pictureUploadFailures_data()
    {
        QTest::addColumn<bool>("serverDown");
        QTest::newRow("nothing to upload") << false;
        QTest::newRow("wall computer without FTP server") << true;
    }
    void pictureUploadFailures()
    {
        QFETCH(bool, serverDown);
        if (serverDown) {
            QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(m_staging.filePath(QStringLiteral("BrisalClient.jpg"))));
            m_server.reset();
        }
        showWindow(*m_jpg);
        click(*m_jpg, "SBSend");
        QCOMPARE(m_report->entries.size(), 1);
        QCOMPARE(sent(), QStringList());
        auto* send = child<QToolButton>(*m_jpg, "SBSend");
        QVERIFY(send->isEnabled() && !send->isChecked());
    }

    // Clip.avi is staged as BrisalClient.avi; "Anzeigen" selects the video page, then uploads. A file the
    // preview cannot play changes nothing of that.
    void videoShownBeforeUpload()
    {
        QByteArray clip(300000, 'v');
        writeFile(m_chosen.filePath(QStringLiteral("Clip.avi")), clip);
        m_answer = m_chosen.filePath(QStringLiteral("Clip.avi"));
        showWindow(*m_video);
        click(*m_video, "SBOpenVideo");
        QCOMPARE(m_dialogs, QStringList{QStringLiteral("Video öffnen ...|Videos *.*|*.*")});
        const QString copy = m_staging.filePath(QStringLiteral("BrisalClient.avi"));
        QCOMPARE(m_video->videoCopyPath(), copy);
        QVERIFY(QFile::exists(copy));

        QSignalSpy bar(child<QProgressBar>(*m_video, "PBarVideo"), &QProgressBar::valueChanged);
        click(*m_video, "SBSend");
        QCOMPARE(m_beforeUpload, kVideo);
        QCOMPARE(sent(), kVideo);
        QCOMPARE(m_server->content(QStringLiteral("BrisalClient.avi")), clip);
        QVERIFY(bar.contains(QVariantList{300000}));
        QCOMPARE(bar.last().first().toInt(), 0);
        auto* send = child<QToolButton>(*m_video, "SBSend");
        QVERIFY(send->isEnabled() && !send->isChecked());
        QVERIFY(m_report->entries.isEmpty());
    }

    void videoWithoutCopySendsNothing()
    {
        showWindow(*m_video);
        click(*m_video, "SBSend");
        QCOMPARE(sent(), QStringList());
        auto* send = child<QToolButton>(*m_video, "SBSend");
        QVERIFY(send->isEnabled() && !send->isChecked());
        QVERIFY(m_report->entries.isEmpty());
    }

    void cancelledDialogKeepsVideo()
    {
        writeFile(m_chosen.filePath(QStringLiteral("Clip.mp4")), "mp4");
        m_answer = m_chosen.filePath(QStringLiteral("Clip.mp4"));
        click(*m_video, "SBOpenVideo");
        m_answer.clear();
        click(*m_video, "SBOpenVideo");
        QCOMPARE(m_video->videoCopyPath(), m_staging.filePath(QStringLiteral("BrisalClient.mp4")));
    }

    void videoCopyFailureReported()
    {
        m_answer = m_chosen.filePath(QStringLiteral("Fehlt.avi"));
        click(*m_video, "SBOpenVideo");
        QCOMPARE(m_report->entries.size(), 1);
    }

private:
    void showWindow(QWidget& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    // What reached the wall since the last call.
    QStringList sent() { return m_probe.drain(*m_dm); }

    QTemporaryDir m_staging;
    QTemporaryDir m_chosen;
    WallProbe m_probe;
    std::unique_ptr<FtpServer> m_server;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<RecordingReport> m_report;
    std::unique_ptr<TFormJpg> m_jpg;
    std::unique_ptr<TFormVideo> m_video;
    QString m_answer;
    QStringList m_dialogs;
    QStringList m_beforeUpload;
};

QTEST_MAIN(TstMediaWindows)
#include "tst_MediaWindows.moc"
