// Which upload each media page of the virtual wall shows.
#include "WallMediaSource.h"
#include "wall_link/WallCommands.h"
#include "wall_view/WallModel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kBase(QDate(2026, 5, 1), QTime(12, 0, 0));

// A file whose modification time is kBase plus the given seconds.
void place(const QString& dir, const QString& name, int ageSeconds, const QByteArray& content = "x")
{
    QFile f(dir + QLatin1Char('/') + name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.flush(); // else closing writes the data, and the time with it
    QVERIFY(f.setFileTime(kBase.addSecs(ageSeconds), QFileDevice::FileModificationTime));
}

void placePicture(const QString& dir, const QString& name, QRgb colour)
{
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(dir + QLatin1Char('/') + name));
}

QString nameOf(const std::optional<MediaFile>& file)
{
    return file ? file->path.section(QLatin1Char('/'), -1) : QString();
}

qint64 at(int seconds)
{
    return kBase.addSecs(seconds).toMSecsSinceEpoch();
}

} // namespace

class tst_WallMediaSource final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureAndVideoFiles()
    {
        QTemporaryDir dir;
        QVERIFY(mediafolder::picture(dir.path()) == std::nullopt);
        QVERIFY(mediafolder::video(dir.path()) == std::nullopt);
        place(dir.path(), QStringLiteral("BrisalClient.mp4"), 10);
        place(dir.path(), QStringLiteral("BrisalClient.webm"), 20);
        place(dir.path(), QStringLiteral("BrisalClient.jpg"), 30);
        place(dir.path(), QStringLiteral("Other.avi"), 40);
        QCOMPARE(nameOf(mediafolder::picture(dir.path())), QStringLiteral("BrisalClient.jpg"));
        QVERIFY(mediafolder::picture(dir.path())->still);
        // The newest video upload, never the picture even though it is newer.
        QCOMPARE(nameOf(mediafolder::video(dir.path())), QStringLiteral("BrisalClient.webm"));
        QVERIFY(!mediafolder::video(dir.path())->still);
        QVERIFY(mediafolder::picture(QString()) == std::nullopt);
    }

    void setsAreaShowsTheNewestUploadUntilCleared_data()
    {
        QTest::addColumn<int>("pictureAge");
        QTest::addColumn<int>("videoAge");
        QTest::addColumn<int>("clearedAt");
        QTest::addColumn<QString>("shown");
        QTest::newRow("never cleared, picture newer") << 20 << 10 << -1 << "BrisalClient.jpg";
        QTest::newRow("never cleared, video newer") << 10 << 20 << -1 << "BrisalClient.avi";
        QTest::newRow("cleared after both") << 10 << 20 << 30 << "";
        QTest::newRow("uploaded after the clear") << 40 << 20 << 30 << "BrisalClient.jpg";
    }
    void setsAreaShowsTheNewestUploadUntilCleared()
    {
        QFETCH(int, pictureAge);
        QFETCH(int, videoAge);
        QFETCH(int, clearedAt);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        place(dir.path(), QStringLiteral("BrisalClient.jpg"), pictureAge);
        place(dir.path(), QStringLiteral("BrisalClient.avi"), videoAge);
        QCOMPARE(nameOf(mediafolder::setsArea(dir.path(), clearedAt < 0 ? 0 : at(clearedAt))), shown);
    }

    void standInsForLiveAndCamera()
    {
        QTemporaryDir dir;
        place(dir.path(), QStringLiteral("live.avi"), 10);
        place(dir.path(), QStringLiteral("live.mp4"), 20);
        placePicture(dir.path(), QStringLiteral("camera.png"), 0xFF00FF);
        QCOMPARE(nameOf(mediafolder::newest(dir.path(), QStringLiteral("live"))), QStringLiteral("live.mp4"));
        QVERIFY(mediafolder::newest(dir.path(), QStringLiteral("camera"))->still);
    }

    void shotsForThePageShown()
    {
        QTemporaryDir dir;
        placePicture(dir.path(), QStringLiteral("BrisalClient.jpg"), 0x00FF00);
        placePicture(dir.path(), QStringLiteral("camera.png"), 0xFF00FF);
        WallModel model;
        WallMediaSource source(model, dir.path());

        model.apply(wallcmd::pictureShow().first(), at(0));
        source.update();
        QVERIFY(!source.current().picture.image.isNull());
        QVERIFY(qAbs(qGreen(source.current().picture.image.pixel(5, 5)) - 255) < 8); // JPEG is close, not exact

        for (const QByteArray& body : wallcmd::cameraShow())
            model.apply(body, at(0));
        source.update();
        QCOMPARE(source.current().camera.image.pixel(5, 5) & 0xFFFFFF, QRgb{0xFF00FF});

        for (const QByteArray& body : wallcmd::liveVideoShow())
            model.apply(body, at(0));
        source.update();
        QVERIFY(source.current().live.image.isNull());
        QVERIFY(source.current().live.note.contains(QLatin1String("live.*")));
    }

    void withoutAFolderEveryPageSaysSo()
    {
        WallModel model;
        WallMediaSource source(model, QString());
        model.apply(wallcmd::pictureShow().first(), 0);
        source.update();
        QVERIFY(source.current().picture.image.isNull());
        QVERIFY(source.current().picture.note.contains(QLatin1String("--media")));
    }
};

QTEST_MAIN(tst_WallMediaSource)
#include "tst_WallMediaSource.moc"
