#pragma once

#include "app/DModule.h"
#include "media/FtpServer.h"
#include "support/TestSupport.h"
#include "support/WallProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A data module as the media pages see it in the program: its wall link sends to a WallProbe on loopback,
// its uploads go to a real FTP server (pyftpdlib on a free port, a fresh folder), files are staged in a
// private folder, and open dialogs answer with `answer`.
struct MediaRig
{
    MediaRig() = default;
    Q_DISABLE_COPY_MOVE(MediaRig)

    // Once per test process, before anything is staged: the private staging folder.
    void stageHere() { qputenv("TMPDIR", QFile::encodeName(staging.path())); }

    // Empties the staging folder, starts the server and builds the data module; false when the server
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
        Ports ports;
        ports.wallRx = testsupport::freeUdpPort();
        ports.wallTx = probe.port();
        ports.ftp = server->port();
        dm = std::make_unique<TDM>(ports);
        dm->UDPVesk.RxPort = ports.wallRx;
        dm->UDPVesk.OpenSocket();
        dm->setWallAddressSource([] { return QStringLiteral("127.0.0.1"); });
        // What the wall had received when the data connection of an upload began.
        beforeUpload = {QStringLiteral("<no upload>")};
        QObject::connect(&dm->Media.Upload.IdFTP1, &TFtpClient::WorkBegin, &probe,
                         [this] { beforeUpload = probe.bodies(); });
        return true;
    }
    // The windows built on dm are gone by now.
    void stop()
    {
        dm.reset();
        server.reset();
        probe.clear();
    }

    // What reached the wall since the last call.
    QStringList sent() { return probe.drain(*dm); }

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
    std::unique_ptr<TDM> dm;
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
