#include "MediaRig.h"
#include "media/Image.h"
#include "media/JpgPicture.h"
#include "media/Video.h"
#include "pages/PageFixture.h"
#include "shell/ErrorReport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {
const QStringList kErase{QStringLiteral("D0 00"), QStringLiteral("10 12")};
const QStringList kPicture{QStringLiteral("D0 05")};
const QStringList kVideo{QStringLiteral("D0 F6"), QStringLiteral("D0 06")};
const QStringList kLive{QStringLiteral("D0 F6"), QStringLiteral("D0 07")};
const QStringList kCamera{QStringLiteral("D0 F6"), QStringLiteral("D0 0D")};
} // namespace

// The picture and video windows against a wall probe and a real FTP server, staging into a private
// temporary folder. The open dialog answers through its chooser.
class TstMediaWindows final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_rig.staging.isValid() && m_rig.chosen.isValid());
        m_rig.stageHere();
        if (!FtpServer::available())
            QSKIP("pyftpdlib is not installed");
    }
    void init()
    {
        QVERIFY(m_rig.start());
        m_rig.answerDialogs(m_rig.media->Open);
        m_report = std::make_unique<RecordingReport>();
        m_jpg = std::make_unique<TFormJpg>(*m_rig.link, *m_rig.media, *m_report);
        m_video = std::make_unique<TFormVideo>(*m_rig.link, *m_rig.media, *m_report);
        m_rig.dialogs.clear();
    }
    void cleanup()
    {
        m_jpg.reset();
        m_video.reset();
        m_rig.stop();
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
        QVERIFY(picture.save(m_rig.chosen.filePath(QStringLiteral("Start.jpg")), "JPG"));
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Start.jpeg"));
        showWindow(*m_jpg);
        click(*m_jpg, "SBLoadPicture");
        QCOMPARE(m_rig.dialogs, QStringList{QStringLiteral("Bild öffnen ...|Bilder *.jpg|*.jpg")});
        QCOMPARE(m_rig.media->Open.FileName, m_rig.chosen.filePath(QStringLiteral("Start.jpg")));
        QCOMPARE(child<TImage>(*m_jpg, "ImShowPicture")->picture().size(), QSize(80, 60));

        QSignalSpy bar(child<QProgressBar>(*m_jpg, "PBar"), &QProgressBar::valueChanged);
        QSignalSpy hiddenBar(child<QProgressBar>(*m_video, "PBarVideo"), &QProgressBar::valueChanged);
        click(*m_jpg, "SBSend");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(m_rig.beforeUpload, QStringList());
        QCOMPARE(sent(), kPicture);
        QImage uploaded;
        QVERIFY(uploaded.loadFromData(m_rig.server->content(QStringLiteral("BrisalClient.jpg")), "JPG"));
        QCOMPARE(uploaded.size(), QSize(80, 60));
        auto* send = child<QToolButton>(*m_jpg, "SBSend");
        QVERIFY(send->isEnabled() && !send->isChecked());
        QVERIFY(m_report->entries.isEmpty());
        // The visible window's bar went full and back to 0; the hidden window's bar was left alone.
        QVERIFY(!bar.isEmpty());
        QTRY_COMPARE(bar.last().first().toInt(), 0);
        QVERIFY(hiddenBar.isEmpty());
    }

    // The operator's JPEG goes up byte for byte, whatever the case of its extension; a picture that cannot
    // be loaded is named in German and leaves the image as it was.
    void chosenPictureFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format"); // of the file's content; empty: not a picture
        QTest::addColumn<QString>("report");
        QTest::newRow(".jpg") << QStringLiteral("Foto.jpg") << QByteArray("JPG") << QString();
        QTest::newRow("camera .JPG") << QStringLiteral("DSC_0001.JPG") << QByteArray("JPG") << QString();
        QTest::newRow(".jpeg") << QStringLiteral("Foto.jpeg") << QByteArray("JPG") << QString();
        QTest::newRow(".JPEG") << QStringLiteral("Foto.JPEG") << QByteArray("JPG") << QString();
        QTest::newRow("not a JPEG name") << QStringLiteral("Bild.png") << QByteArray("PNG")
                                         << QStringLiteral("Bild \"%1\" wird nicht geladen: nur JPEG-Dateien "
                                                           "(.jpg, .jpeg) können angezeigt werden.");
        QTest::newRow("not a picture") << QStringLiteral("Kaputt.JPG") << QByteArray()
                                       << QStringLiteral("Bild \"%1\" kann nicht geladen werden: die Datei ist kein "
                                                         "lesbares Bild. Bitte eine JPEG-Datei wählen.");
    }
    void chosenPictureFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(QString, report);
        const QString path = m_rig.chosen.filePath(name);
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        QByteArray file = "no picture";
        if (!format.isEmpty()) {
            QBuffer out(&file);
            QVERIFY(out.open(QIODevice::WriteOnly) && picture.save(&out, format.constData(), 100));
            if (format == "JPG") // a comment after the start marker, as a camera's metadata would be
                file.insert(2, QByteArray::fromHex("FFFE0008") + "Kamera");
        }
        writeFile(path, file);
        m_rig.answer = path;
        showWindow(*m_jpg);
        click(*m_jpg, "SBLoadPicture");
        QCOMPARE(m_report->texts(), report.isEmpty() ? QStringList() : QStringList{report.arg(path)});
        QCOMPARE(child<TImage>(*m_jpg, "ImShowPicture")->picture().size(),
                 report.isEmpty() ? QSize(80, 60) : QSize(0, 0));
        if (!report.isEmpty())
            return;
        click(*m_jpg, "SBSend");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(sent(), kPicture);
        QCOMPARE(m_rig.server->content(QStringLiteral("BrisalClient.jpg")), file);
    }

    void missingPictureKeepsImage()
    {
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Fehlt.jpeg"));
        click(*m_jpg, "SBLoadPicture");
        QVERIFY(child<TImage>(*m_jpg, "ImShowPicture")->picture().isNull());
        QVERIFY(m_report->entries.isEmpty());
    }

    // A failed upload reaches the error report; the picture page is not selected; the button is back. With
    // no picture of its own the window shows nothing, whatever picture an earlier upload left staged.
    void pictureUploadFailures_data()
    {
        QTest::addColumn<bool>("serverDown");
        QTest::newRow("nothing loaded, an older picture staged") << false;
        QTest::newRow("wall computer without FTP server") << true;
    }
    void pictureUploadFailures()
    {
        QFETCH(bool, serverDown);
        const QString staged = m_rig.staging.filePath(QStringLiteral("BrisalClient.jpg"));
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(staged));
        if (serverDown) {
            QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(m_rig.chosen.filePath(QStringLiteral("Gut.jpg"))));
            m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Gut.jpg"));
            click(*m_jpg, "SBLoadPicture");
            m_rig.server.reset();
        }
        showWindow(*m_jpg);
        auto* send = child<QToolButton>(*m_jpg, "SBSend");
        QCOMPARE(send->isEnabled(), serverDown);
        m_jpg->SBSendClick();
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(m_report->entries.size(), 1);
        QCOMPARE(sent(), QStringList());
        if (!serverDown)
            QVERIFY(!QFile::exists(m_rig.server->path(QStringLiteral("BrisalClient.jpg"))));
        QCOMPARE(send->isEnabled(), serverDown);
        QVERIFY(!send->isChecked());
    }

    // Clip.avi is staged as BrisalClient.avi; "Anzeigen" selects the video page, then uploads. A file the
    // preview cannot play changes nothing of that.
    void videoShownBeforeUpload()
    {
        QByteArray clip(300000, 'v');
        writeFile(m_rig.chosen.filePath(QStringLiteral("Clip.avi")), clip);
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Clip.avi"));
        showWindow(*m_video);
        click(*m_video, "SBOpenVideo");
        QCOMPARE(m_rig.dialogs, QStringList{QStringLiteral("Video öffnen ...|Videos *.*|*.*")});
        const QString copy = m_rig.staging.filePath(QStringLiteral("BrisalClient.avi"));
        QCOMPARE(m_video->videoCopyPath(), copy);
        QVERIFY(QFile::exists(copy));

        QSignalSpy bar(child<QProgressBar>(*m_video, "PBarVideo"), &QProgressBar::valueChanged);
        click(*m_video, "SBSend");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(m_rig.beforeUpload, kVideo);
        QCOMPARE(sent(), kVideo);
        QCOMPARE(m_rig.server->content(QStringLiteral("BrisalClient.avi")), clip);
        QVERIFY(bar.contains(QVariantList{300000}));
        QTRY_COMPARE(bar.last().first().toInt(), 0);
        auto* send = child<QToolButton>(*m_video, "SBSend");
        QVERIFY(send->isEnabled() && !send->isChecked());
        QVERIFY(m_report->entries.isEmpty());
    }

    // While an upload runs, "Abbrechen" is on and the window's wall buttons wait. "Abbrechen", or closing
    // the window, ends it with the operator's reason in the error report; the picture page is not
    // selected, the bar is empty again and the buttons are back.
    void cancelledUpload_data()
    {
        QTest::addColumn<bool>("videoWindow");
        QTest::addColumn<bool>("close");
        QTest::addColumn<QStringList>("bodies");
        QTest::newRow("picture, Abbrechen") << false << false << QStringList();
        QTest::newRow("video, Abbrechen") << true << false << kVideo;
        QTest::newRow("picture, window closed") << false << true << kErase;
        QTest::newRow("video, window closed") << true << true << kVideo + kErase;
    }
    void cancelledUpload()
    {
        QFETCH(bool, videoWindow);
        QFETCH(bool, close);
        QFETCH(QStringList, bodies);
        QVERIFY(m_rig.restartServer({0, 1})); // stops reading after its first piece
        QWidget& w = videoWindow ? static_cast<QWidget&>(*m_video) : static_cast<QWidget&>(*m_jpg);
        const QString chosen =
            m_rig.chosen.filePath(videoWindow ? QStringLiteral("Clip.avi") : QStringLiteral("Gut.jpg"));
        if (videoWindow) {
            QFile clip(chosen);
            QVERIFY(clip.open(QIODevice::WriteOnly) && clip.resize(32 * 1024 * 1024));
        } else {
            QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(chosen));
        }
        m_rig.answer = chosen;
        click(w, videoWindow ? "SBOpenVideo" : "SBLoadPicture");
        showWindow(w);
        auto* cancel = child<QToolButton>(w, "SBCancelUpload");
        auto* erase = child<QToolButton>(w, "SBErase");
        auto* send = child<QToolButton>(w, "SBSend");
        auto* bar = child<QProgressBar>(w, videoWindow ? "PBarVideo" : "PBar");
        QVERIFY(!cancel->isEnabled());

        click(w, "SBSend");
        QVERIFY(cancel->isEnabled());
        QVERIFY(!erase->isEnabled() && !send->isEnabled());
        QTRY_VERIFY(bar->value() > 0);
        if (close)
            w.hide();
        else
            click(w, "SBCancelUpload");
        QVERIFY(m_rig.uploadEnds());

        const QString name = videoWindow ? QStringLiteral("BrisalClient.avi") : QStringLiteral("BrisalClient.jpg");
        QCOMPARE(m_report->texts(), QStringList{TFtpClient::cancelledReason(name, QStringLiteral("127.0.0.1"))});
        QCOMPARE(sent(), bodies);
        QCOMPARE(bar->value(), 0);
        QVERIFY(!cancel->isEnabled());
        QVERIFY(erase->isEnabled() && send->isEnabled() && !send->isChecked());
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
        writeFile(m_rig.chosen.filePath(QStringLiteral("Clip.mp4")), "mp4");
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Clip.mp4"));
        click(*m_video, "SBOpenVideo");
        m_rig.answer.clear();
        click(*m_video, "SBOpenVideo");
        QCOMPARE(m_video->videoCopyPath(), m_rig.staging.filePath(QStringLiteral("BrisalClient.mp4")));
    }

    void videoCopyFailureReported()
    {
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Fehlt.avi"));
        click(*m_video, "SBOpenVideo");
        QCOMPARE(m_report->entries.size(), 1);
    }

private:
    void showWindow(QWidget& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    QStringList sent() { return m_rig.sent(); }

    MediaRig m_rig;
    std::unique_ptr<RecordingReport> m_report;
    std::unique_ptr<TFormJpg> m_jpg;
    std::unique_ptr<TFormVideo> m_video;
};

QTEST_MAIN(TstMediaWindows)
#include "tst_MediaWindows.moc"
