#include "wall_link/IcmpPing.h"
#include "wall_link/ZELTools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Real echo requests on this machine: raw socket (root only) and the system ping program.
class tst_IcmpPing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void echo_data();
    void echo();
    void pingHostUsesFortyBytesAndEightHundredMs();
    void pingProgramThatHangsEndsAtTheTimeout();
};

void tst_IcmpPing::echo_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("answered");
    const auto methods = {SystemIcmpEcho::Method::Automatic, SystemIcmpEcho::Method::RawSocket,
                          SystemIcmpEcho::Method::PingProgram};
    for (SystemIcmpEcho::Method m : methods) {
        const QByteArray tag = QByteArray::number(int(m));
        QTest::newRow("loopback address " + tag) << int(m) << "127.0.0.1" << true;
        QTest::newRow("loopback name " + tag) << int(m) << "localhost" << true;
        QTest::newRow("unresolvable " + tag) << int(m) << "no-such-host.invalid" << false;
        QTest::newRow("empty " + tag) << int(m) << "" << false;
        QTest::newRow("option-like text " + tag) << int(m) << "-c 5" << false;
    }
}

void tst_IcmpPing::echo()
{
    QFETCH(int, method);
    QFETCH(QString, host);
    QFETCH(bool, answered);
    const auto m = SystemIcmpEcho::Method(method);
    if (m == SystemIcmpEcho::Method::RawSocket && ::geteuid() != 0)
        QSKIP("raw ICMP sockets need root here");
    if (m == SystemIcmpEcho::Method::PingProgram && QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty())
        QSKIP("no ping program");
    SystemIcmpEcho icmp(m);
    QCOMPARE(icmp.echo(host, 40, 800), answered);
}

class RecordingEcho final : public IcmpEcho
{
public:
    bool echo(const QString& host, int payloadSize, int timeoutMs) override
    {
        calls << QStringLiteral("%1 %2 %3").arg(host).arg(payloadSize).arg(timeoutMs);
        return true;
    }
    QStringList calls;
};

void tst_IcmpPing::pingHostUsesFortyBytesAndEightHundredMs()
{
    RecordingEcho icmp;
    TZELTools tools(icmp);
    QVERIFY(tools.PingHost(QStringLiteral("10.1.2.3")));
    QCOMPARE(icmp.calls, QStringList{QStringLiteral("10.1.2.3 40 800")});
}

// A ping program that never answers costs the time-out, not seconds more.
void tst_IcmpPing::pingProgramThatHangsEndsAtTheTimeout()
{
    QTemporaryDir bin;
    const QString fake = bin.filePath(QStringLiteral("ping"));
    QFile script(fake);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 30\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    SystemIcmpEcho icmp(SystemIcmpEcho::Method::PingProgram);
    QElapsedTimer clock;
    clock.start();
    const bool answered = icmp.echo(QStringLiteral("127.0.0.1"), 40, 800);
    const qint64 took = clock.elapsed();
    qputenv("PATH", path);
    QVERIFY(!answered);
    // 800 ms and the program's start; the old waits came to almost three seconds.
    QVERIFY2(took < 2000, qPrintable(QStringLiteral("%1 ms").arg(took)));
}

QTEST_GUILESS_MAIN(tst_IcmpPing)
#include "tst_IcmpPing.moc"
