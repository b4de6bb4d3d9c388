#include "MjpegAvi.h"
#include "media/QtMediaPlayer.h"
#include "media/VideoPreview.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

#include <memory>

// The local preview on the real player (GStreamer backend, no audio output), offscreen.
class TstVideoPreview final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const QString& name : {QStringLiteral("a.avi"), QStringLiteral("b.avi")}) {
            QFile f(m_dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(mjpegavi::make(QSize(160, 120), 50, 10));
        }
    }
    void init()
    {
        m_player = std::make_unique<TQtMediaPlayer>();
        m_preview = std::make_unique<TVideoPreview>(*m_player);
        m_surface = std::make_unique<QWidget>();
        m_surface->resize(200, 150);
        m_surface->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_surface.get()));
    }
    void cleanup()
    {
        m_preview.reset();
        m_player.reset();
        m_surface.reset();
    }

    void stopWithNothingLoaded()
    {
        m_preview->StopVideo();
        m_preview->StopVideo();
        QVERIFY(!m_player->MediaStreamPlayed());
        QVERIFY(!m_player->videoWidget());
        m_preview->PlayVideo(m_surface.get()); // nothing to play: returns at once
        QVERIFY(!m_player->MediaStreamPlayed());
    }

    void playsIntoTheSurfaceAndStops()
    {
        m_preview->LoadVideo(m_dir.filePath(QStringLiteral("a.avi")), m_surface.get());
        QVideoWidget* output = m_player->videoWidget();
        QVERIFY(output);
        QCOMPARE(output->parentWidget(), m_surface.get());
        QSignalSpy frames(output->videoSink(), &QVideoSink::videoFrameChanged);
        m_preview->PlayVideo(m_surface.get());
        QCOMPARE(output->geometry(), QRect(0, 0, 200, 150));
        QTRY_VERIFY(m_player->MediaStreamPlayed());
        QTRY_VERIFY(!frames.isEmpty());
        QCOMPARE(frames.last().first().value<QVideoFrame>().size(), QSize(160, 120));

        m_preview->StopVideo();
        QVERIFY(!m_player->MediaStreamPlayed());
        QVERIFY(m_player->source().isEmpty()); // the file is let go
    }

    void secondVideoReplacesFirst()
    {
        m_preview->LoadVideo(m_dir.filePath(QStringLiteral("a.avi")), m_surface.get());
        m_preview->PlayVideo(m_surface.get());
        QTRY_VERIFY(m_player->MediaStreamPlayed());
        QWidget other;
        other.resize(120, 90);
        m_preview->LoadVideo(m_dir.filePath(QStringLiteral("b.avi")), &other);
        QVERIFY(!m_player->MediaStreamPlayed());
        QCOMPARE(m_player->source().toLocalFile(), m_dir.filePath(QStringLiteral("b.avi")));
        QCOMPARE(m_player->videoWidget()->parentWidget(), &other);
        m_preview->PlayVideo(&other);
        QTRY_VERIFY(m_player->MediaStreamPlayed());
        m_preview->StopVideo();
    }

    // What the player cannot read leaves the panel black and raises nothing.
    void unreadableFilesAreQuiet_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("not a video") << QStringLiteral("garbage.avi");
        QTest::newRow("missing") << QStringLiteral("missing.mp4");
        QTest::newRow("300 characters, cut to 255") << QString(300, QLatin1Char('x'));
    }
    void unreadableFilesAreQuiet()
    {
        QFETCH(QString, path);
        QFile garbage(m_dir.filePath(QStringLiteral("garbage.avi")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(5000, 'g'));
        garbage.close();
        const QString full = path.size() > 255 ? QStringLiteral("/") + path : m_dir.filePath(path);
        m_preview->LoadVideo(full, m_surface.get());
        QCOMPARE(m_player->source().toLocalFile(), full.left(255));
        m_preview->PlayVideo(m_surface.get());
        QTRY_VERIFY(!m_player->MediaStreamAvailable());
        m_preview->StopVideo();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TQtMediaPlayer> m_player;
    std::unique_ptr<TVideoPreview> m_preview;
    std::unique_ptr<QWidget> m_surface;
};

QTEST_MAIN(TstVideoPreview)
#include "tst_VideoPreview.moc"
