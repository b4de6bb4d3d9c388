#include "media/Image.h"
#include "media/MediaRig.h"
#include "pages/PageFixture.h"
#include "shell/ErrorReport.h"
#include "textlist/Textbox.h"

#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

namespace {
const QStringList kVideo{QStringLiteral("D0 F6"), QStringLiteral("D0 06")};
} // namespace

// The "Bild" and "Video" pages of the text list window against a wall probe and a real FTP server,
// staging into a private temporary folder. The window's own open dialog answers through its chooser.
class TstTextboxMedia final : public QObject
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
        m_report = std::make_unique<RecordingReport>();
        m_w = std::make_unique<TFormTextbox>(*m_rig.link, *m_rig.media, *m_report);
        m_rig.answerDialogs(m_w->openDialog());
        m_w->setStopVideo([this] { ++m_stops; });
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        m_stops = 0;
    }
    void cleanup()
    {
        m_w.reset();
        m_rig.stop();
    }

    // Start.jpeg is looked for as Start.jpg; the picture goes up, and only then the picture page.
    void pictureShownAfterUpload()
    {
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(m_rig.chosen.filePath(QStringLiteral("Start.jpg")), "JPG"));
        m_w->ShowTab(TFormTextbox::BildZeigen);
        QVERIFY(!showPicture()->isEnabled());
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Start.jpeg"));
        click(*m_w, "SBLoadPicture");
        QCOMPARE(m_rig.dialogs, QStringList{QStringLiteral("Bild öffnen ...|Bilder *.jpg|*.jpg")});
        QCOMPARE(child<TImage>(*m_w, "ImShowPicture")->picture().size(), QSize(80, 60));
        QVERIFY(showPicture()->isEnabled());

        QSignalSpy bar(child<QProgressBar>(*m_w, "PBar"), &QProgressBar::valueChanged);
        click(*m_w, "SBShowPicture");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(m_rig.beforeUpload, QStringList());
        QCOMPARE(sent(), QStringList{QStringLiteral("D0 05")});
        QImage uploaded;
        QVERIFY(uploaded.loadFromData(m_rig.server->content(QStringLiteral("BrisalClient.jpg")), "JPG"));
        QCOMPARE(uploaded.size(), QSize(80, 60));
        QVERIFY(!bar.isEmpty());
        QTRY_COMPARE(bar.last().first().toInt(), 0);
        QVERIFY(showPicture()->isEnabled());
        QVERIFY(m_report->entries.isEmpty());

        // Back on the page after another one: enabled while the page holds the picture, which it keeps
        // when the chosen file is gone.
        m_w->ShowTab(TFormTextbox::CosaZeitplan);
        m_w->ShowTab(TFormTextbox::BildZeigen);
        QVERIFY(showPicture()->isEnabled());
        QVERIFY(QFile::remove(m_rig.chosen.filePath(QStringLiteral("Start.jpg"))));
        m_w->ShowTab(TFormTextbox::CosaZeitplan);
        m_w->ShowTab(TFormTextbox::BildZeigen);
        QVERIFY(showPicture()->isEnabled());
        click(*m_w, "SBShowPicture");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(sent(), QStringList{QStringLiteral("D0 05")});
    }

    // "Anzeigen" follows whether the dialog's name names an existing file.
    void pictureButtonState_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("reports");
        QTest::newRow("cancelled") << QString() << false << 0;
        QTest::newRow("no such .jpg") << QStringLiteral("Fehlt.jpeg") << false << 0;
        QTest::newRow("unreadable picture keeps the state") << QStringLiteral("Kaputt.jpg") << true << 1;
    }
    void pictureButtonState()
    {
        QFETCH(QString, answer);
        QFETCH(bool, enabled);
        QFETCH(int, reports);
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(m_rig.chosen.filePath(QStringLiteral("Gut.jpg")), "JPG"));
        writeFile(m_rig.chosen.filePath(QStringLiteral("Kaputt.jpg")), "no jpeg");
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Gut.jpg"));
        click(*m_w, "SBLoadPicture");
        QVERIFY(showPicture()->isEnabled());
        m_rig.answer = answer.isEmpty() ? QString() : m_rig.chosen.filePath(answer);
        click(*m_w, "SBLoadPicture");
        QCOMPARE(showPicture()->isEnabled(), enabled);
        QCOMPARE(child<TImage>(*m_w, "ImShowPicture")->picture().size(), QSize(8, 8)); // the image stays as it was
        QCOMPARE(m_report->entries.size(), reports);
    }

    void pictureUploadFailure()
    {
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(m_rig.chosen.filePath(QStringLiteral("Gut.jpg")), "JPG"));
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Gut.jpg"));
        click(*m_w, "SBLoadPicture");
        m_rig.server.reset();
        click(*m_w, "SBShowPicture");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(m_report->entries.size(), 1);
        QCOMPARE(sent(), QStringList());
        QVERIFY(showPicture()->isEnabled());
    }

    // Clip.avi is staged as BrisalClient.avi; "Anzeigen" selects the video page, then uploads.
    void videoShownBeforeUpload()
    {
        const QByteArray clip(200000, 'v');
        writeFile(m_rig.chosen.filePath(QStringLiteral("Clip.avi")), clip);
        m_w->ShowTab(TFormTextbox::VideoZeigen);
        QVERIFY(!showVideo()->isEnabled());
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Clip.avi"));
        click(*m_w, "SBOpenVideo");
        QCOMPARE(m_rig.dialogs, QStringList{QStringLiteral("Video öffnen ...|Videos *.*|*.*")});
        QCOMPARE(m_w->videoCopyPath(), m_rig.staging.filePath(QStringLiteral("BrisalClient.avi")));
        QVERIFY(showVideo()->isEnabled());

        QSignalSpy bar(child<QProgressBar>(*m_w, "PBarVideo"), &QProgressBar::valueChanged);
        const int stops = m_stops;
        click(*m_w, "SBShowVideo");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(m_stops, stops + 1);
        QCOMPARE(m_rig.beforeUpload, kVideo);
        QCOMPARE(sent(), kVideo);
        QCOMPARE(m_rig.server->content(QStringLiteral("BrisalClient.avi")), clip);
        QVERIFY(bar.contains(QVariantList{200000}));
        QVERIFY(showVideo()->isEnabled());
        QVERIFY(m_report->entries.isEmpty());

        // A failed upload still leaves the button enabled: the copy is there to try again.
        m_rig.server.reset();
        click(*m_w, "SBShowVideo");
        QVERIFY(m_rig.uploadEnds());
        QCOMPARE(sent(), kVideo);
        QCOMPARE(m_report->entries.size(), 1);
        QVERIFY(showVideo()->isEnabled());
    }

    // While an upload runs both pages' "Abbrechen" are on and their wall buttons wait; "Abbrechen" ends it
    // with the operator's reason, both bars are empty again and the buttons are back.
    void cancelledUpload()
    {
        QVERIFY(m_rig.restartServer({0, 1})); // stops reading after its first piece
        QFile clip(m_rig.chosen.filePath(QStringLiteral("Clip.avi")));
        QVERIFY(clip.open(QIODevice::WriteOnly) && clip.resize(8 * 1024 * 1024));
        m_rig.answer = clip.fileName();
        m_w->ShowTab(TFormTextbox::VideoZeigen);
        click(*m_w, "SBOpenVideo");
        const QList<QToolButton*> cancels{child<QToolButton>(*m_w, "SBCancelPicture"),
                                          child<QToolButton>(*m_w, "SBCancelVideo")};
        auto* live = child<QToolButton>(*m_w, "SBLive");
        auto* bar = child<QProgressBar>(*m_w, "PBarVideo");

        click(*m_w, "SBShowVideo");
        QVERIFY(cancels[0]->isEnabled() && cancels[1]->isEnabled());
        QVERIFY(!live->isEnabled() && !showVideo()->isEnabled());
        QTRY_VERIFY(bar->value() > 0);
        click(*m_w, "SBCancelVideo");
        QVERIFY(m_rig.uploadEnds());

        QCOMPARE(m_report->texts(), QStringList{TFtpClient::cancelledReason(QStringLiteral("BrisalClient.avi"),
                                                                            QStringLiteral("127.0.0.1"))});
        QCOMPARE(sent(), kVideo);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(child<QProgressBar>(*m_w, "PBar")->value(), 0);
        QVERIFY(!cancels[0]->isEnabled() && !cancels[1]->isEnabled());
        QVERIFY(live->isEnabled() && showVideo()->isEnabled());
    }

    void videoWithoutCopy()
    {
        showVideo()->setEnabled(true);
        click(*m_w, "SBShowVideo");
        QCOMPARE(sent(), QStringList());
        QCOMPARE(m_stops, 1);
        QVERIFY(!showVideo()->isEnabled());
        QVERIFY(m_report->entries.isEmpty());
    }

    // A cancelled dialog leaves the button as it was; a failed copy is reported and leaves it disabled.
    void videoButtonState_data()
    {
        QTest::addColumn<bool>("enabledBefore");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("reports");
        QTest::newRow("cancel, was enabled") << true << QString() << true << 0;
        QTest::newRow("cancel, was disabled") << false << QString() << false << 0;
        QTest::newRow("copy fails") << true << QStringLiteral("Fehlt.avi") << false << 1;
    }
    void videoButtonState()
    {
        QFETCH(bool, enabledBefore);
        QFETCH(QString, answer);
        QFETCH(bool, enabled);
        QFETCH(int, reports);
        showVideo()->setEnabled(enabledBefore);
        m_rig.answer = answer.isEmpty() ? QString() : m_rig.chosen.filePath(answer);
        click(*m_w, "SBOpenVideo");
        QCOMPARE(showVideo()->isEnabled(), enabled);
        QCOMPARE(m_report->entries.size(), reports);
        QCOMPARE(sent(), QStringList());
    }

    // Bringing the video page forward enables "Anzeigen" exactly when the staged copy exists.
    void videoPageShown()
    {
        writeFile(m_rig.chosen.filePath(QStringLiteral("Clip.mp4")), "mp4");
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Clip.mp4"));
        click(*m_w, "SBOpenVideo");
        const QString copy = m_w->videoCopyPath();
        QCOMPARE(copy, m_rig.staging.filePath(QStringLiteral("BrisalClient.mp4")));
        QVERIFY(QFile::remove(copy));
        m_w->ShowTab(TFormTextbox::CosaZeitplan);
        m_w->ShowTab(TFormTextbox::VideoZeigen);
        QVERIFY(!showVideo()->isEnabled());
        writeFile(copy, "mp4");
        m_w->ShowTab(TFormTextbox::CosaZeitplan);
        m_w->ShowTab(TFormTextbox::VideoZeigen);
        QVERIFY(showVideo()->isEnabled());
    }

    // "Anzeigen" is on only for what a page itself holds: not for a video the dialog last chose, not for a
    // copy that a failed staging would have left from before.
    void staleMediaStayOff()
    {
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(m_rig.staging.filePath(QStringLiteral("BrisalClient.jpg"))));
        writeFile(m_rig.chosen.filePath(QStringLiteral("Clip.avi")), "avi");
        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Clip.avi"));
        click(*m_w, "SBOpenVideo");
        QVERIFY(showVideo()->isEnabled());
        m_w->ShowTab(TFormTextbox::BildZeigen);
        QVERIFY(!showPicture()->isEnabled());

        m_rig.answer = m_rig.chosen.filePath(QStringLiteral("Fehlt.avi"));
        click(*m_w, "SBOpenVideo");
        QCOMPARE(m_report->entries.size(), 1);
        m_w->ShowTab(TFormTextbox::VideoZeigen);
        QVERIFY(!showVideo()->isEnabled());
        QVERIFY(!QFile::exists(m_rig.staging.filePath(QStringLiteral("BrisalClient.avi"))));
    }

private:
    QToolButton* showPicture() { return child<QToolButton>(*m_w, "SBShowPicture"); }
    QToolButton* showVideo() { return child<QToolButton>(*m_w, "SBShowVideo"); }
    QStringList sent() { return m_rig.sent(); }

    MediaRig m_rig;
    std::unique_ptr<RecordingReport> m_report;
    std::unique_ptr<TFormTextbox> m_w;
    int m_stops = 0;
};

QTEST_MAIN(TstTextboxMedia)
#include "tst_TextboxMedia.moc"
