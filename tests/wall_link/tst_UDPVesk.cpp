#include "support/TestSupport.h"
#include "wall_link/Frame.h"
#include "wall_link/UDPVesk.h"
#include "wall_link/WallLink.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

namespace {
struct Recorder
{
    QStringList errors;
    QList<int> codes;
    void attach(TUDPVesk& e)
    {
        QObject::connect(&e, &TUDPVesk::OnError, [this](int code, const QString& msg) {
            codes << code;
            errors << msg;
        });
    }
};

// Free local wall port, the wall port of a test-side listener.
Ports portsTo(const QUdpSocket& wall)
{
    Ports ports;
    ports.wallRx = testsupport::freeUdpPort();
    ports.wallTx = wall.localPort();
    return ports;
}

// Answers only when the test says so, like a name server that does not answer.
struct SilentResolver final : HostResolver
{
    QStringList names;
    QList<Answer> answers;
    void lookup(const QString& name, QObject* /*context*/, Answer answer) override
    {
        names << name;
        answers << std::move(answer);
    }
};
} // namespace

class TstUDPVesk final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sendErrors_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty target") << true << QString() << 10
                                      << QStringLiteral("UDP SendData: kein Ziel angegeben.");
        QTest::newRow("inactive") << false << QStringLiteral("127.0.0.1") << 10
                                  << QStringLiteral("UDP SendData: kein Socket gebunden.");
        QTest::newRow("unresolvable") << true << QStringLiteral("no-such-host.invalid") << 10
                                      << QStringLiteral("UDP SendData: Ziel nicht gefunden.");
        QTest::newRow("all ones") << true << QStringLiteral("255.255.255.255") << 10
                                  << QStringLiteral("UDP SendData: Ziel nicht gefunden.");
        QTest::newRow("too big") << true << QStringLiteral("127.0.0.1") << 8193
                                 << QStringLiteral("UDP SendData: Paket zu groß (8193, max.: 8192 Byte).");
    }
    void sendErrors()
    {
        QFETCH(bool, open);
        QFETCH(QString, target);
        QFETCH(int, length);
        QFETCH(QString, message);
        TUDPVesk e;
        Recorder r;
        r.attach(e);
        e.RxPort = testsupport::freeUdpPort();
        e.TxIPAddr = target;
        if (open) {
            e.OpenSocket();
            QVERIFY(e.Active());
        }
        QSignalSpy resolved(&e, &TUDPVesk::TargetResolved);
        e.resolveTarget();
        if (e.targetPending())
            QVERIFY(resolved.wait(20000));
        QCOMPARE(e.SendData(QByteArray(length, 'x')), 0);
        QCOMPARE(r.errors, QStringList{message});
        QCOMPARE(r.codes, QList<int>{0});
    }

    void openErrors()
    {
        const quint16 port = testsupport::freeUdpPort();
        TUDPVesk first;
        TUDPVesk second;
        Recorder r1;
        Recorder r2;
        r1.attach(first);
        r2.attach(second);
        first.RxPort = port;
        second.RxPort = port;
        first.setActive(true);
        QVERIFY(first.Active());
        QVERIFY(r1.errors.isEmpty());

        first.OpenSocket();
        QCOMPARE(r1.errors, QStringList{QStringLiteral("UDP: Socket not started because ist's already running")});
        QVERIFY(first.Active());

        // A taken port says so, and a send does not hide the cause.
        const QString taken = QStringLiteral("UDP: Port %1 wird von einem anderen Programm benutzt.").arg(port);
        second.setRebindInterval(20);
        QSignalSpy bound(&second, &TUDPVesk::Bound);
        second.OpenSocket();
        QCOMPARE(r2.errors, QStringList{taken});
        QVERIFY(!second.Active());
        second.TxIPAddr = QStringLiteral("127.0.0.1");
        QCOMPARE(second.SendData("x"), 0);
        QCOMPARE(r2.errors, (QStringList{taken, taken}));

        // Retries stay quiet while the cause stays the same, and bind once the port is free.
        QTest::qWait(100);
        QCOMPARE(r2.errors.size(), 2);
        QVERIFY(second.rebinding());
        first.setActive(false);
        QVERIFY(!first.Active());
        QTRY_VERIFY(second.Active());
        QCOMPARE(bound.size(), 1);
        QVERIFY(!second.rebinding());
        QCOMPARE(r2.errors.size(), 2);

        // Closing on purpose ends the retries and forgets the cause.
        first.setRebindInterval(20);
        first.OpenSocket();
        QVERIFY(first.rebinding());
        first.CloseSocket();
        QVERIFY(!first.rebinding());
        first.TxIPAddr = QStringLiteral("127.0.0.1");
        first.SendData("x");
        QCOMPARE(r1.errors.last(), QStringLiteral("UDP SendData: kein Socket gebunden."));
    }

    void oneReceivePerDatagram()
    {
        TUDPVesk e;
        e.RxPort = testsupport::freeUdpPort();
        e.OpenSocket();
        QSignalSpy spy(&e, &TUDPVesk::OnReceive);
        QUdpSocket peer;
        QVERIFY(peer.bind(QHostAddress::LocalHost, 0));
        peer.writeDatagram("one", QHostAddress::LocalHost, e.RxPort);
        peer.writeDatagram("two", QHostAddress::LocalHost, e.RxPort);
        QTRY_COMPARE(spy.size(), 2);
        QCOMPARE(spy[0][0].toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(spy[0][1].value<quint16>(), peer.localPort());
        QCOMPARE(spy[0][2].toByteArray(), QByteArray("one"));
        QCOMPARE(spy[1][2].toByteArray(), QByteArray("two"));
    }

    // What waits on the socket is taken at one wake-up and handed on as a burst too, after the datagrams'
    // own OnReceive; the burst so far goes before an error, whose report may wait for the operator.
    void burstsEndBeforeAnError()
    {
        TUDPVesk e;
        e.RxPort = testsupport::freeUdpPort();
        e.OpenSocket();
        QStringList events;
        connect(&e, &TUDPVesk::OnReceive, [&](const QString&, quint16, const QByteArray& d) { events << "r:" + d; });
        connect(&e, &TUDPVesk::OnReceiveBurst, [&](const QList<QByteArray>& d) { events << "b:" + d.join(','); });
        connect(&e, &TUDPVesk::OnError, [&] { events << QStringLiteral("error"); });
        QUdpSocket peer;
        for (const QByteArray& d : {QByteArray("one"), QByteArray(9000, 'x'), QByteArray("two"), QByteArray("three")})
            QCOMPARE(peer.writeDatagram(d, QHostAddress::LocalHost, e.RxPort), d.size());
        QTRY_COMPARE(events.size(), 6);
        QCOMPARE(events, (QStringList{"r:one", "b:one", "error", "r:two", "r:three", "b:two,three"}));
    }

    // A datagram longer than the receive buffer is dropped whole and reported, never handed on cut.
    void oversizedDatagramDropped_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("fits exactly") << 8192 << QStringList();
        QTest::newRow("one byte too long") << 8193 << QStringList{QStringLiteral("UDPOnReceive: Message too long")};
        QTest::newRow("far too long") << 60000 << QStringList{QStringLiteral("UDPOnReceive: Message too long")};
    }
    void oversizedDatagramDropped()
    {
        QFETCH(int, size);
        QFETCH(QStringList, errors);
        TUDPVesk e;
        Recorder r;
        r.attach(e);
        e.RxPort = testsupport::freeUdpPort();
        e.OpenSocket();
        QSignalSpy spy(&e, &TUDPVesk::OnReceive);
        QUdpSocket peer;
        QVERIFY(peer.bind(QHostAddress::LocalHost, 0));
        QCOMPARE(peer.writeDatagram(QByteArray(size, 'x'), QHostAddress::LocalHost, e.RxPort), qint64(size));
        peer.writeDatagram("next", QHostAddress::LocalHost, e.RxPort);
        QTRY_VERIFY(!spy.isEmpty() && spy.last()[2].toByteArray() == "next");
        QCOMPARE(spy.size(), errors.isEmpty() ? 2 : 1);
        if (errors.isEmpty())
            QCOMPARE(spy.first()[2].toByteArray().size(), size);
        QCOMPARE(r.errors, errors);
    }

    // A name is looked up once per address text, never on the caller's time: sends before the answer are
    // refused at once with an error, nothing is queued, and a stale answer does not count.
    void nameLookupNeverBlocksSends()
    {
        QUdpSocket wall;
        QVERIFY(wall.bind(QHostAddress::LocalHost, 0));
        const Ports ports = portsTo(wall);
        WallLink link(ports);
        SilentResolver resolver;
        link.setResolver(&resolver);
        link.open();
        QSignalSpy failed(&link, &WallLink::linkFailed);
        auto send = [&] { link.send(wallcmd::lifeSignQuery()); };
        const QString pending = QStringLiteral("Socketfehler: UDP SendData: Ziel wird noch gesucht.");
        const QString unknown = QStringLiteral("Socketfehler: UDP SendData: Ziel nicht gefunden.");
        auto lastFailure = [&] { return failed.isEmpty() ? QString() : failed.takeLast().at(0).toString(); };

        link.setAddress(QStringLiteral("wall.example"));
        send();
        send();
        QCOMPARE(resolver.names, QStringList{QStringLiteral("wall.example")});
        QCOMPARE(failed.size(), 2);
        QCOMPARE(lastFailure(), pending);
        link.setAddress(QStringLiteral("wall.example"));
        QCOMPARE(resolver.names.size(), 1);

        resolver.answers.at(0)(QHostAddress::LocalHost);
        failed.clear();
        send();
        QVERIFY(failed.isEmpty());
        QTRY_VERIFY(wall.hasPendingDatagrams());
        QCOMPARE(resolver.names.size(), 1);

        // The operator types on: the answer for the old text arrives late and is not taken.
        link.setAddress(QStringLiteral("wall.exampl"));
        link.setAddress(QStringLiteral("other.example"));
        resolver.answers.at(1)(QHostAddress::LocalHost);
        send();
        QCOMPARE(lastFailure(), pending);
        resolver.answers.at(2)(QHostAddress());
        send();
        QCOMPARE(lastFailure(), unknown);
        QCOMPARE(resolver.names, (QStringList{"wall.example", "wall.exampl", "other.example"}));

        // Numeric addresses need no lookup; the all-ones one is refused like an unknown name.
        link.setAddress(QStringLiteral("255.255.255.255"));
        send();
        QCOMPARE(lastFailure(), unknown);
        link.setAddress(QStringLiteral("127.0.0.1"));
        send();
        QVERIFY(failed.isEmpty());
        QCOMPARE(resolver.names.size(), 3);
    }

    void errorTable()
    {
        QCOMPARE(TUDPVesk::errorText(10054), QStringLiteral("Connection reset by peer"));
        QCOMPARE(TUDPVesk::errorText(11004), QStringLiteral("No Data"));
        QVERIFY(TUDPVesk::errorText(10090).isEmpty());
        QCOMPARE(TUDPVesk::codeForErrno(EADDRINUSE), 10048);
        QCOMPARE(TUDPVesk::codeForErrno(EHOSTUNREACH), 10065);
    }

    // The wall link frames, scrambles and sends from its receive port; replies come back unscrambled.
    void wallLinkLoopback()
    {
        QUdpSocket wall;
        QVERIFY(wall.bind(QHostAddress::LocalHost, 0));
        const Ports ports = portsTo(wall);
        WallLink link(ports);
        link.open();
        QVERIFY(link.endpoint().Active());
        QSignalSpy errors(&link.endpoint(), &TUDPVesk::OnError);

        link.send({QByteArray(), QByteArray(285, 'x'), QByteArray::fromHex("80FD"), QByteArray(284, 'y')});
        TCrypter wallCrypter;
        QList<QByteArray> received;
        QList<int> senderPorts;
        auto drain = [&] {
            while (wall.hasPendingDatagrams()) {
                const QNetworkDatagram d = wall.receiveDatagram();
                senderPorts << d.senderPort();
                received << d.data();
            }
            return received.size();
        };
        QTRY_COMPARE(drain(), 2);
        QVERIFY(errors.isEmpty());
        QCOMPARE(senderPorts, (QList<int>{ports.wallRx, ports.wallRx}));
        QCOMPARE(received[0].size(), 18);
        QCOMPARE(static_cast<quint8>(received[0][0]), quint8(0xAF));
        QCOMPARE(frame::unframe(wallCrypter, received[0])->toHex(), QByteArray("80fd"));
        QCOMPARE(received[1].size(), 300);
        QCOMPARE(received[1].mid(16), QByteArray(284, 'y'));

        QSignalSpy bodies(&link, &WallLink::bodyReceived);
        const QByteArray reply = QByteArray::fromHex("10FD2008") + "V1";
        wall.writeDatagram(frame::frameBody(wallCrypter, reply, TCrypter::randomKey()), QHostAddress::LocalHost,
                           ports.wallRx);
        wall.writeDatagram(QByteArray::fromHex("B5010203"), QHostAddress::LocalHost, ports.wallRx);
        wall.writeDatagram(QByteArray::fromHex("A0") + QByteArray(), QHostAddress::LocalHost, ports.wallRx);
        QTRY_COMPARE(bodies.size(), 2);
        QCOMPARE(bodies[0][0].toByteArray().toHex(), reply.toHex());
        QVERIFY(bodies[1][0].toByteArray().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstUDPVesk)
#include "tst_UDPVesk.moc"
