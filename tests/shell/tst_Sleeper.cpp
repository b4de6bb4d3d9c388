#include "wall_link/Sleeper.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

class tst_Sleeper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void waitsAtLeastTheTimeAsked();
    void eventsRunDuringTheWait();
    void nestedWaitEndsBoth();
};

void tst_Sleeper::waitsAtLeastTheTimeAsked()
{
    TSleeper sleeper;
    QCOMPARE(sleeper.Interval(), 60);
    QList<int> started;
    connect(&sleeper, &TSleeper::sleeping, this, [&](int ms) { started << ms; });
    QVERIFY(sleeper.Sleep(200) >= 200);
    QCOMPARE(sleeper.Interval(), 200);
    QCOMPARE(started, QList<int>{200});
}

void tst_Sleeper::eventsRunDuringTheWait()
{
    // A timer tick and a received datagram are both handled while the wait lasts.
    TSleeper sleeper;
    bool ticked = false;
    QTimer::singleShot(0, this, [&] { ticked = true; });
    QUdpSocket receiver;
    QVERIFY(receiver.bind(QHostAddress::LocalHost, 0));
    QByteArray got;
    connect(&receiver, &QUdpSocket::readyRead, this, [&] { got = receiver.receiveDatagram().data(); });
    QUdpSocket sender;
    sender.writeDatagram("hello", QHostAddress::LocalHost, receiver.localPort());
    sleeper.Sleep(200);
    QVERIFY(ticked);
    QCOMPARE(got, QByteArray("hello"));
}

void tst_Sleeper::nestedWaitEndsBoth()
{
    // A handler that runs during a wait may wait itself; the one timer's firing ends both waits.
    TSleeper sleeper;
    qint64 inner = -1;
    QTimer::singleShot(0, this, [&] { inner = sleeper.Sleep(50); });
    const qint64 outer = sleeper.Sleep(100);
    QVERIFY(inner >= 50);
    QVERIFY(outer >= inner);
}

QTEST_GUILESS_MAIN(tst_Sleeper)
#include "tst_Sleeper.moc"
