#pragma once

#include "media/FtpServer.h"
#include "media/MediaModule.h"
#include "support/TestSupport.h"
#include "support/WallProbe.h"
#include "wall_link/Sleeper.h"
#include "wall_link/WallLink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The wall link and media parts as the media pages see them in the program: the link sends to a WallProbe
// on loopback,
// its uploads go to a real FTP server (pyftpdlib on a free port, a fresh folder), files are staged in a
// private folder, and open dialogs answer with `answer`.
struct MediaRig
{
    MediaRig() = default;
    Q_DISABLE_COPY_MOVE(MediaRig)

    // Once per test process, before anything is staged: the private staging folder.
    void stageHere() { qputenv("TMPDIR", QFile::encodeName(staging.path())); }

    // Empties the staging folder, starts the server and builds the link and media parts; false when the server
    // does not come up.
    bool start()
    {
        for (const QString& name : QDir(staging.path()).entryList(QDir::Files))
            QFile::remove(staging.filePath(name));
        dialogs.clear();
        answer.clear();
        server = std::make_unique<FtpServer>(QStringLiteral("TORVEK"), QStringLiteral("mirtelo.kq"));
        if (!server->start())
            return false;
        ports.wallRx = testsupport::freeUdpPort();
        ports.wallTx = probe.port();
        ports.ftp = server->port();
        link = std::make_unique<WallLink>(ports);
        link->open();
        media = std::make_unique<TMediaModule>(sleeper, ports);
        // What the wall had received when the data connection of an upload began.
        beforeUpload = {QStringLiteral("<no upload>")};
        QObject::connect(&media->Upload.Ftp, &TFtpClient::WorkBegin, &probe, [this] { beforeUpload = probe.bodies(); });
        return true;
    }
    // The windows built on the link are gone by now.
    void stop()
    {
        media.reset();
        link.reset();
        server.reset();
        probe.clear();
    }

    // A server in place of the running one whose data connections take uploads at pace; false when it does
    // not come up.
    bool restartServer(FtpPace pace)
    {
        server = std::make_unique<FtpServer>(QStringLiteral("TORVEK"), QStringLiteral("mirtelo.kq"), pace);
        if (!server->start())
            return false;
        ports.ftp = server->port();
        return true;
    }

    // Waits until the upload under way, if any, has ended and its window has heard of it.
    bool uploadEnds()
    {
        return QTest::qWaitFor([this] { return !media->Upload.busy(); }, 20000);
    }

    // What reached the wall since the last call.
    QStringList sent() { return probe.drain(*link); }

    // The dialog records its title and filter in dialogs and answers with answer.
    void answerDialogs(TOpenDialog& open)
    {
        open.chooser = [this](const TOpenDialog& d) {
            dialogs << d.Title + QLatin1Char('|') + d.Filter;
            return answer;
        };
    }

    QTemporaryDir staging;
    QTemporaryDir chosen; // where the operator's files are
    WallProbe probe;
    std::unique_ptr<FtpServer> server;
    Ports ports;
    TSleeper sleeper;
    std::unique_ptr<WallLink> link;
    std::unique_ptr<TMediaModule> media;
    QStringList beforeUpload;
    QString answer; // empty: "cancel"
    QStringList dialogs;
};

inline void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}
