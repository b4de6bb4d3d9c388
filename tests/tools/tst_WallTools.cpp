// wallctl driving a real wallsim over loopback, both as separate processes on free ports.
#include "support/TestSupport.h"
#include "support/WallsimProcess.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class tst_WallTools final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<WallsimProcess> m_wallsim;
    quint16 m_port = 0;

    // wallctl gets a settings folder of its own, so neither the wall address nor a table override of
    // the machine's user leaks in (wallsim has its own through WallsimProcess).
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        return env;
    }

    static QString tool(const char* name)
    {
        return QDir(testsupport::binaryDir()).filePath(QStringLiteral("tools/%1/%1").arg(QLatin1String(name)));
    }

    bool startWallsim(const QStringList& extra = {})
    {
        m_port = testsupport::freeUdpPort();
        m_wallsim = std::make_unique<WallsimProcess>(m_dir.path());
        return m_wallsim->start(m_port, extra);
    }

    QProcess& wallsim() { return m_wallsim->process(); }

    Run wallctl(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(tool("wallctl"), QStringList{QStringLiteral("--port"), QString::number(m_port)} << args);
        p.waitForFinished(30000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QStringList logLines() const { return m_wallsim->logLines(); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFile::exists(tool("wallsim")), qPrintable(tool("wallsim")));
        QVERIFY2(QFile::exists(tool("wallctl")), qPrintable(tool("wallctl")));
    }

    void cleanup()
    {
        m_wallsim.reset();
        QFile::remove(m_dir.filePath(QStringLiteral("config/ZEL/BrisalClient.conf")));
    }

    // A host name is looked up before the first body leaves.
    void soccerBodiesArriveExactly_data()
    {
        QTest::addColumn<QString>("wall");
        QTest::newRow("address") << QStringLiteral("127.0.0.1");
        QTest::newRow("host name") << QStringLiteral("localhost");
    }
    void soccerBodiesArriveExactly()
    {
        QFETCH(QString, wall);
        QVERIFY(startWallsim());
        const Run run = wallctl({QStringLiteral("--wall"), wall, QStringLiteral("soccer"), QStringLiteral("Heim"),
                                 QStringLiteral("G\u00e4ste"), QStringLiteral("2"), QStringLiteral("0")});
        QCOMPARE(run.exitCode, 0);
        QTRY_COMPARE(logLines().size(), 4);
        QCOMPARE(logLines(),
                 (QStringList{"D0 02 C0 21 00 FF FF 00 10 21 48 65 69 6D", "C0 22 00 FF FF 00 10 22 47 E4 73 74 65",
                              "C0 23 00 FF FF FF 10 23 32", "C0 24 00 FF FF FF 10 24 30"}));
    }

    void textListSendsOneBodyPerRow()
    {
        QVERIFY(startWallsim());
        const Run run =
            wallctl({QStringLiteral("text"), QStringLiteral("--rows"), QStringLiteral("3"), QStringLiteral("A")});
        QCOMPARE(run.exitCode, 0);
        QTRY_COMPARE(logLines().size(), 5);
        QCOMPARE(logLines().mid(2), (QStringList{"10 43 01 41", "10 43 02 20", "10 43 03 20"}));
    }

    void pingAndDetailsPrintTheStatusReply_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("logged");
        QTest::newRow("ping") << "ping"
                              << "80 FD";
        QTest::newRow("details") << "details"
                                 << "80 FE";
    }
    void pingAndDetailsPrintTheStatusReply()
    {
        QFETCH(QString, command);
        QFETCH(QString, logged);
        QVERIFY(startWallsim({QStringLiteral("--columns"), QStringLiteral("40"), QStringLiteral("--rows"),
                              QStringLiteral("10"), QStringLiteral("--version"), QStringLiteral("Wand V1.2 \u00e4")}));
        const Run run = wallctl({command, QStringLiteral("--timeout"), QStringLiteral("10000")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("columns=40 rows=10 version=Wand V1.2 \u00e4\n"));
        QCOMPARE(logLines(), QStringList{logged});
    }

    void silentWallMeansTimeout()
    {
        QVERIFY(startWallsim({QStringLiteral("--silent")}));
        const Run run = wallctl({QStringLiteral("ping"), QStringLiteral("--timeout"), QStringLiteral("300")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QLatin1String("no status reply")), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QTRY_COMPARE(logLines(), QStringList{"80 FD"}); // it was heard, just not answered
    }

    void badInputSendsNothing()
    {
        QVERIFY(startWallsim());
        const Run bad = wallctl({QStringLiteral("send"), QStringLiteral("D0 02"), QStringLiteral("D0 0X")});
        QCOMPARE(bad.exitCode, 2);
        QVERIFY2(bad.err.contains(QLatin1String("bad hex digit")), qPrintable(bad.err));
        QCOMPARE(wallctl({QStringLiteral("erase")}).exitCode, 0);
        QTRY_COMPARE(logLines().size(), 2);
        QCOMPARE(logLines(), (QStringList{"D0 00", "10 12"}));
    }

    void closeServerEndsWallsim()
    {
        QVERIFY(startWallsim());
        QCOMPARE(wallctl({QStringLiteral("close-server")}).exitCode, 0);
        QVERIFY(wallsim().waitForFinished(10000));
        QCOMPARE(wallsim().exitStatus(), QProcess::NormalExit);
        QCOMPARE(wallsim().exitCode(), 0);
        QCOMPARE(logLines(), QStringList{"EE EE 43 6C 6F 73 65 53 65 72 76 65 72"});
    }

    void shutdownServerOnlyReports()
    {
        QVERIFY(startWallsim());
        QCOMPARE(wallctl({QStringLiteral("shutdown-server")}).exitCode, 0);
        QTRY_VERIFY(wallsim().peek(4096).contains("shutdown"));
        QCOMPARE(wallsim().state(), QProcess::Running);
        const Run ping = wallctl({QStringLiteral("ping"), QStringLiteral("--timeout"), QStringLiteral("10000")});
        QCOMPARE(ping.exitCode, 0);
    }

    void wallAddressComesFromTheClientSettings()
    {
        // 127.0.0.2 is loopback too; the tool finds it only through the stored address.
        const QString zel = m_dir.filePath(QStringLiteral("config/ZEL"));
        QVERIFY(QDir().mkpath(zel));
        QFile conf(zel + QStringLiteral("/BrisalClient.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[Main]\nIPServer=127.0.0.2\n");
        conf.close();
        QVERIFY(startWallsim({QStringLiteral("--bind"), QStringLiteral("127.0.0.2")}));
        const Run run = wallctl({QStringLiteral("ping"), QStringLiteral("--timeout"), QStringLiteral("10000")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QLatin1String("columns=32 rows=8 version=wallsim")));
    }

    void sharedTableFile()
    {
        // The reversed order 255..0 as hexadecimal text: a valid table that is not the built-in one.
        QByteArray text;
        for (int i = 255; i >= 0; --i)
            text += QByteArray::number(i, 16).rightJustified(2, '0') + (i % 16 == 0 ? "\n" : " ");
        const QString table = m_dir.filePath(QStringLiteral("reversed.table"));
        QFile f(table);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        QVERIFY(startWallsim({QStringLiteral("--table"), table}));
        QVERIFY(wallsim().peek(4096).contains("reversed.table"));
        const Run run = wallctl({QStringLiteral("--table"), table, QStringLiteral("soccer"), QStringLiteral("Heim"),
                                 QStringLiteral("Gast"), QStringLiteral("1"), QStringLiteral("0")});
        QCOMPARE(run.exitCode, 0);
        QTRY_COMPARE(logLines().size(), 4);
        QCOMPARE(logLines().first(), QStringLiteral("D0 02 C0 21 00 FF FF 00 10 21 48 65 69 6D"));
    }

    void refusedTableKeepsTheBuiltIn()
    {
        const QString bad = m_dir.filePath(QStringLiteral("bad.table"));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(256, '\x07'));
        f.close();
        QVERIFY(startWallsim({QStringLiteral("--table"), bad}));
        QByteArray err;
        QTRY_VERIFY((err += wallsim().readAllStandardError()).contains("abgelehnt"));
        QVERIFY2(err.contains("bad.table"), err.constData());
        QCOMPARE(wallctl({QStringLiteral("ping"), QStringLiteral("--timeout"), QStringLiteral("10000")}).exitCode, 0);
    }

    void screenshotAfterEveryBodyAndOnSignal()
    {
        const QString shot = m_dir.filePath(QStringLiteral("wall.png"));
        QVERIFY(
            startWallsim({QStringLiteral("--screenshot"), shot, QStringLiteral("--size"), QStringLiteral("384x192")}));
        QCOMPARE(wallctl({QStringLiteral("soccer"), QStringLiteral("Heim"), QStringLiteral("Gast"), QStringLiteral("1"),
                          QStringLiteral("0")})
                     .exitCode,
                 0);
        QTRY_COMPARE(logLines().size(), 4); // the picture is written before the body is logged
        QImage image(shot);
        QCOMPARE(image.size(), QSize(384, 192));
        int cyan = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                cyan += (image.pixel(x, y) & 0xFFFFFF) == 0x00FFFF ? 1 : 0;
        QVERIFY(cyan > 100);

        QVERIFY(QFile::remove(shot));
        QCOMPARE(::kill(static_cast<pid_t>(wallsim().processId()), SIGUSR1), 0);
        QTRY_VERIFY(QFile::exists(shot));
        QCOMPARE(QImage(shot).size(), QSize(384, 192));
    }

    void wallsimRefusesBadOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("port") << QStringList{"--port", "0"} << "--port";
        QTest::newRow("bind") << QStringList{"--bind", "wall.example"} << "--bind";
        QTest::newRow("columns") << QStringList{"--columns", "256"} << "--columns";
        QTest::newRow("rows") << QStringList{"--rows", "x"} << "--rows";
        QTest::newRow("size") << QStringList{"--size", "768*384"} << "--size";
        QTest::newRow("tiny size") << QStringList{"--size", "10x10"} << "--size";
        QTest::newRow("version too long") << QStringList{"--version", QString(281, QLatin1Char('v'))} << "--version";
        QTest::newRow("position") << QStringList{"--position", "left"} << "--position";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "bogus";
        QTest::newRow("stray argument") << QStringList{"soccer"} << "unexpected argument";
    }
    void wallsimRefusesBadOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(tool("wallsim"), QStringList{QStringLiteral("--headless")} << args);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(message), qPrintable(err));
        QVERIFY(!p.readAllStandardOutput().contains("listening"));
    }

    void portInUseIsReported()
    {
        QVERIFY(startWallsim());
        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(tool("wallsim"),
                     {QStringLiteral("--headless"), QStringLiteral("--port"), QString::number(m_port)});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(second.readAllStandardError().contains("cannot bind"));
    }
};

QTEST_GUILESS_MAIN(tst_WallTools)
#include "tst_WallTools.moc"
