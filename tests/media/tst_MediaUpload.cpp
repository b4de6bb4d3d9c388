#include "FtpServer.h"
#include "media/MediaUpload.h"
#include "shell/OperatorError.h"
#include "wall_link/Ports.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include <sys/resource.h>

namespace {
const QString kUser = QStringLiteral("TORVEK");
const QString kPassword = QStringLiteral("mirtelo.kq");

QByteArray randomBytes(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (char& c : data)
        c = static_cast<char>(QRandomGenerator::global()->bounded(256));
    return data;
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage testPicture(QColor colour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The end of one upload as its caller hears it.
struct Outcome
{
    TMediaUpload::Done done()
    {
        return [this](const QString& e) {
            ++ends;
            error = e;
        };
    }
    bool waitForEnd(int ms = 20000)
    {
        return QTest::qWaitFor([this] { return ends > 0; }, ms);
    }

    int ends = 0;
    QString error;
};

const QString kHost = QStringLiteral("127.0.0.1");
} // namespace

// The upload against a real FTP server on loopback, staging into a private temporary folder.
class TstMediaUpload final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_staging.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_staging.path()));
        QCOMPARE(TMediaUpload::stagingDirectory(), m_staging.path() + QLatin1Char('/'));
        if (!FtpServer::available())
            QSKIP("pyftpdlib is not installed");
    }
    void init()
    {
        m_server = std::make_unique<FtpServer>(kUser, kPassword);
        QVERIFY(m_server->start());
        m_ports.ftp = m_server->port();
        m_upload = std::make_unique<TMediaUpload>(m_ports);
        for (const QString& name : QDir(m_staging.path()).entryList(QDir::Files))
            QFile::remove(m_staging.filePath(name));
    }
    void cleanup()
    {
        m_upload.reset();
        m_server.reset();
    }

    void videoLandsByteExactWithProgress_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("500000 bytes") << QStringLiteral("BrisalClient.mp4") << 500000;
        QTest::newRow("no extension check") << QStringLiteral("BrisalClient.avi") << 1000;
        QTest::newRow("no extension at all") << QStringLiteral("BrisalClient") << 17;
        QTest::newRow("empty file") << QStringLiteral("BrisalClient.webm") << 0;
        QTest::newRow("3 MiB") << QStringLiteral("BrisalClient.mpg") << 3 * 1024 * 1024;
    }
    void videoLandsByteExactWithProgress()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const QByteArray data = randomBytes(size);
        const QString local = m_staging.filePath(name);
        writeFile(local, data);
        QSignalSpy begin(&m_upload->Ftp, &TFtpClient::WorkBegin);
        QSignalSpy work(&m_upload->Ftp, &TFtpClient::Work);
        QSignalSpy end(&m_upload->Ftp, &TFtpClient::WorkEnd);

        Outcome out;
        m_upload->SendVideoTo(kHost, local, nullptr, out.done());
        QVERIFY(out.waitForEnd());

        QCOMPARE(out.error, QString());
        QCOMPARE(m_server->content(name), data);
        QCOMPARE(m_upload->pendingUploadPath(), local);
        QCOMPARE(begin.size(), 1);
        QCOMPARE(begin.first().first().toLongLong(), qint64(size));
        QCOMPARE(end.size(), 1);
        if (size > 0) {
            QVERIFY(!work.isEmpty());
            QCOMPARE(work.last().first().toLongLong(), qint64(size));
            for (int i = 1; i < work.size(); ++i)
                QVERIFY(work[i].first().toLongLong() > work[i - 1].first().toLongLong());
        }
    }

    void secondUploadReplacesFile()
    {
        const QString local = m_staging.filePath(QStringLiteral("BrisalClient.mp4"));
        writeFile(local, randomBytes(4000));
        QCOMPARE(videoUpload(local), QString());
        const QByteArray shorter = randomBytes(100);
        writeFile(local, shorter);
        QCOMPARE(videoUpload(local), QString());
        QCOMPARE(m_server->content(QStringLiteral("BrisalClient.mp4")), shorter);
    }

    void pictureIsStagedAsJpegAndUploaded()
    {
        const QString staged = m_staging.filePath(TMediaUpload::kPictureName);
        QCOMPARE(pictureUpload(testPicture(Qt::red)), QString());
        const QByteArray first = readFile(staged);
        QVERIFY(first.startsWith("\xFF\xD8\xFF")); // a JPEG
        QCOMPARE(m_server->content(TMediaUpload::kPictureName), first);
        QImage back;
        QVERIFY(back.loadFromData(first, "JPG"));
        QCOMPARE(back.size(), QSize(64, 48));

        // A second call overwrites both copies.
        QCOMPARE(pictureUpload(testPicture(Qt::blue)), QString());
        const QByteArray second = readFile(staged);
        QVERIFY(second != first);
        QCOMPARE(m_server->content(TMediaUpload::kPictureName), second);

        // Without a picture nothing goes up, not even the file an earlier call staged.
        QFile::remove(m_server->path(TMediaUpload::kPictureName));
        QVERIFY(!pictureUpload(QImage()).isEmpty());
        QVERIFY(!QFile::exists(staged));
        QVERIFY(!QFile::exists(m_server->path(TMediaUpload::kPictureName)));
    }

    // A picture that came as a JPEG file goes up as that file; any other is encoded at quality 95.
    void pictureEncoding()
    {
        const QImage picture = testPicture(Qt::magenta);
        QByteArray encoded;
        QBuffer out(&encoded);
        QVERIFY(out.open(QIODevice::WriteOnly) && picture.save(&out, "JPG", 95));
        QCOMPARE(pictureUpload(picture), QString());
        QCOMPARE(m_server->content(TMediaUpload::kPictureName), encoded);

        const QByteArray file = QByteArray::fromHex("FFD8FFFE0004") + "as chosen";
        QCOMPARE(pictureUpload(picture, TMediaUpload::kPictureName, file), QString());
        QCOMPARE(m_server->content(TMediaUpload::kPictureName), file);
    }

    void pictureWithoutStagedFileFails()
    {
        QVERIFY(!pictureUpload(QImage()).isEmpty());
        QVERIFY(!QFile::exists(m_server->path(TMediaUpload::kPictureName)));
    }

    void otherPictureNamesDoNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow(".jpeg") << QStringLiteral("BrisalClient.jpeg");
        QTest::newRow(".png") << QStringLiteral("BrisalClient.png");
        QTest::newRow("none") << QStringLiteral("BrisalClient");
    }
    void otherPictureNamesDoNothing()
    {
        QFETCH(QString, name);
        QSignalSpy begin(&m_upload->Ftp, &TFtpClient::WorkBegin);
        Outcome out;
        m_upload->SendStreamTo(kHost, testPicture(Qt::green), name, {}, nullptr, out.done());
        QCOMPARE(out.ends, 1); // at once
        QCOMPARE(out.error, QString());
        QVERIFY(!m_upload->busy());
        QVERIFY(!QFile::exists(m_staging.filePath(name)));
        QVERIFY(!QFile::exists(m_server->path(name)));
        QCOMPARE(begin.size(), 0);
    }

    void upperCaseJpgIsAPicture()
    {
        QCOMPARE(pictureUpload(testPicture(Qt::green), QStringLiteral("Bild.JPG")), QString());
        QVERIFY(m_server->content(QStringLiteral("Bild.JPG")).startsWith("\xFF\xD8\xFF"));
    }

    // Each failure reaches the caller with a German reason saying what to do, and nothing is stored.
    void failuresEndWithAReason_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("serverRunning");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("says");
        QTest::newRow("wrong password") << QStringLiteral("falsch") << true << true
                                        << QStringLiteral("fehlgeschlagen. Der FTP-Server des Wandrechners hat die "
                                                          "Anmeldung abgelehnt. Bitte das FTP-Konto");
        QTest::newRow("no server") << kPassword << false << true
                                   << QStringLiteral("fehlgeschlagen. Der Wandrechner nimmt keine FTP-Verbindung an.");
        QTest::newRow("missing file") << kPassword << true << false
                                      << QStringLiteral("BrisalClient.avi\" kann nicht gelesen werden (");
    }
    void failuresEndWithAReason()
    {
        QFETCH(QString, password);
        QFETCH(bool, serverRunning);
        QFETCH(bool, fileExists);
        QFETCH(QString, says);
        const QString local = m_staging.filePath(QStringLiteral("BrisalClient.avi"));
        if (fileExists)
            writeFile(local, randomBytes(2048));
        if (!serverRunning)
            m_ports.ftp = FtpServer::freeTcpPort();
        m_upload->Ftp.Password = password;
        QSignalSpy end(&m_upload->Ftp, &TFtpClient::WorkEnd);

        const QString reason = videoUpload(local);
        QVERIFY2(reason.contains(says), qPrintable(reason));
        QVERIFY(!QFile::exists(m_server->path(QStringLiteral("BrisalClient.avi"))));
        QCOMPARE(end.size(), 0);
    }

    // A transfer that breaks off after it began ends without the end of progress: no bar shows full. The
    // server reads slowly, so the file is still being read when it is cut short on this side.
    void transferCutShortEndsWithoutWorkEnd()
    {
        restartServer({4 * 1024 * 1024, 0});
        const QString local = largeFile(QStringLiteral("BrisalClient.avi"));
        QSignalSpy end(&m_upload->Ftp, &TFtpClient::WorkEnd);
        connect(&m_upload->Ftp, &TFtpClient::WorkBegin, this, [&] { QVERIFY(QFile::resize(local, 1000)); });
        const QString reason = videoUpload(local);
        QVERIFY2(reason.contains(QStringLiteral("kann nicht gelesen werden (sie ist beim Hochladen kürzer geworden)")),
                 qPrintable(reason));
        QCOMPARE(end.size(), 0);
    }

    // Every wait ends at its limit with a German reason (short limits here): a wall computer that takes the
    // connection and then says nothing, and one that stops taking the file. What arrived of it is deleted.
    void boundedEndings_data()
    {
        QTest::addColumn<bool>("stall");
        QTest::addColumn<QString>("says");
        QTest::newRow("silent server") << false << QStringLiteral("Der Wandrechner antwortet nicht mehr");
        QTest::newRow("stalled transfer") << true << QStringLiteral("Die Übertragung steht seit 1 s still");
    }
    void boundedEndings()
    {
        QFETCH(bool, stall);
        QFETCH(QString, says);
        QTcpServer silent;
        if (stall) {
            restartServer({0, kStallAfter});
        } else {
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            m_ports.ftp = silent.serverPort();
        }
        m_upload->Ftp.ConnectTimeoutMs = 1000;
        m_upload->Ftp.ResponseTimeoutMs = 1000;
        m_upload->Ftp.StallTimeoutMs = 1000;
        Outcome out;
        m_upload->SendVideoTo(kHost, largeFile(QStringLiteral("BrisalClient.avi")), nullptr, out.done());
        QVERIFY(out.waitForEnd(TMediaUpload::kWaitBeforeUploadMs + 1000 + kSlackMs));
        QVERIFY2(out.error.contains(says), qPrintable(out.error));
        if (stall)
            QTRY_VERIFY(!QFile::exists(m_server->path(QStringLiteral("BrisalClient.avi"))));
    }

    // "Abbrechen" ends an upload in its wait or in its transfer with the operator's reason; no bar shows
    // full, and nothing of the file stays on the server.
    void cancelEndsWithTheOperatorsReason_data()
    {
        QTest::addColumn<bool>("inTransfer");
        QTest::newRow("in the wait") << false;
        QTest::newRow("in the transfer") << true;
    }
    void cancelEndsWithTheOperatorsReason()
    {
        QFETCH(bool, inTransfer);
        restartServer({0, kStallAfter});
        QSignalSpy end(&m_upload->Ftp, &TFtpClient::WorkEnd);
        QSignalSpy started(m_upload.get(), &TMediaUpload::uploadStarted);
        connect(&m_upload->Ftp, &TFtpClient::WorkBegin, m_upload.get(), &TMediaUpload::cancel);
        Outcome out;
        m_upload->SendVideoTo(kHost, largeFile(QStringLiteral("BrisalClient.avi")), nullptr, out.done());
        QVERIFY(m_upload->busy());
        if (!inTransfer)
            m_upload->cancel();
        QVERIFY(out.waitForEnd());
        QCOMPARE(out.error, TFtpClient::cancelledReason(QStringLiteral("BrisalClient.avi"), kHost));
        QCOMPARE(started.size(), inTransfer ? 1 : 0);
        QCOMPARE(end.size(), 0);
        QVERIFY(!m_upload->busy());
        QTRY_VERIFY(!QFile::exists(m_server->path(QStringLiteral("BrisalClient.avi"))));
    }

    // The event loop goes on while a slow upload runs: a 20 ms timer keeps firing at well over 10 Hz, and a
    // second upload asked for meanwhile is turned away at once without harming the first.
    void eventLoopRunsDuringUpload()
    {
        restartServer({512 * 1024, 0});
        const QByteArray data = randomBytes(1024 * 1024);
        const QString local = m_staging.filePath(QStringLiteral("BrisalClient.mp4"));
        writeFile(local, data);
        int ticks = 0;
        QTimer timer;
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        Outcome second;
        connect(&m_upload->Ftp, &TFtpClient::WorkBegin, this,
                [&] { m_upload->SendVideoTo(kHost, local, nullptr, second.done()); });
        QElapsedTimer clock;
        clock.start();
        timer.start();
        QCOMPARE(videoUpload(local), QString());
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(ticks * 1000 >= 10 * elapsed, qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(ticks).arg(elapsed)));
        QCOMPARE(m_server->content(QStringLiteral("BrisalClient.mp4")), data);
        QCOMPARE(second.ends, 1);
        QVERIFY2(second.error.contains(QStringLiteral("Bitte warten")), qPrintable(second.error));
    }

    void copyStreamedFile()
    {
        const QByteArray data = randomBytes(70000);
        const QString source = m_staging.filePath(QStringLiteral("Clip.avi"));
        writeFile(source, data);
        const QString copy = TMediaUpload::videoCopyPath(source);
        QCOMPARE(copy, m_staging.filePath(QStringLiteral("BrisalClient.avi")));
        writeFile(copy, randomBytes(90000)); // a longer older copy is replaced, not overwritten in place
        TMediaUpload::CopyStreamedFile(source, copy);
        QCOMPARE(readFile(copy), data);

        TMediaUpload::CopyStreamedFile(source, source); // onto itself: unchanged
        QCOMPARE(readFile(source), data);

        QVERIFY_THROWS_EXCEPTION(OperatorError,
                                 TMediaUpload::CopyStreamedFile(m_staging.filePath(QStringLiteral("missing")), copy));
        QCOMPARE(readFile(copy), data);
        QVERIFY_THROWS_EXCEPTION(OperatorError,
                                 TMediaUpload::CopyStreamedFile(source, source + QStringLiteral("/below-a-file")));
    }

    // A failed staging leaves no older copy behind that could be shown instead.
    void stagingReplacesTheOlderCopy()
    {
        const QString source = m_staging.filePath(QStringLiteral("Clip.avi"));
        writeFile(source, "new");
        const QString copy = TMediaUpload::videoCopyPath(source);
        writeFile(copy, "older");
        QVERIFY_THROWS_EXCEPTION(OperatorError,
                                 TMediaUpload::stage(m_staging.filePath(QStringLiteral("missing.avi")), copy));
        QVERIFY(!QFile::exists(copy));
        TMediaUpload::stage(source, copy);
        QCOMPARE(readFile(copy), QByteArray("new"));
        TMediaUpload::stage(copy, copy); // the staged file itself: unchanged
        QCOMPARE(readFile(copy), QByteArray("new"));
    }

    // Staging a large video costs one buffer, not the file: the process's peak memory stays flat.
    void copyStreamedFileKeepsMemoryFlat()
    {
        constexpr qint64 kSize = 128 * 1024 * 1024;
        const QString source = m_staging.filePath(QStringLiteral("Gross.mp4"));
        QFile sparse(source);
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(kSize));
        sparse.close();
        const QString copy = TMediaUpload::videoCopyPath(source);
        const long before = peakKiB();
        TMediaUpload::CopyStreamedFile(source, copy);
        const long grown = peakKiB() - before;
        QCOMPARE(QFileInfo(copy).size(), kSize);
        QVERIFY2(grown < kSize / 1024 / 4, qPrintable(QStringLiteral("peak grew by %1 KiB").arg(grown)));
        QFile::remove(source);
        QFile::remove(copy);
    }

private:
    static constexpr qint64 kStallAfter = 1024 * 1024;
    static constexpr int kSlackMs = 3000; // process start, connecting, the clean-up of a busy machine

    QString videoUpload(const QString& local)
    {
        Outcome out;
        m_upload->SendVideoTo(kHost, local, nullptr, out.done());
        return out.waitForEnd() ? out.error : QStringLiteral("<no end>");
    }
    QString pictureUpload(const QImage& image, const QString& name = TMediaUpload::kPictureName,
                          const QByteArray& file = {})
    {
        Outcome out;
        m_upload->SendStreamTo(kHost, image, name, file, nullptr, out.done());
        return out.waitForEnd() ? out.error : QStringLiteral("<no end>");
    }
    // A file larger than what the sockets between client and server hold, so a server that stops reading
    // stops the transfer (sparse: no disk space).
    QString largeFile(const QString& name)
    {
        const QString path = m_staging.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(32 * 1024 * 1024))
            qWarning("cannot make %s", qPrintable(path));
        return path;
    }
    void restartServer(FtpPace pace)
    {
        m_server = std::make_unique<FtpServer>(kUser, kPassword, pace);
        QVERIFY(m_server->start());
        m_ports.ftp = m_server->port();
    }

    static long peakKiB()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

    QTemporaryDir m_staging;
    Ports m_ports;
    std::unique_ptr<FtpServer> m_server;
    std::unique_ptr<TMediaUpload> m_upload;
};

QTEST_GUILESS_MAIN(TstMediaUpload)
#include "tst_MediaUpload.moc"
