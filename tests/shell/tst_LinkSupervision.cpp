#include "AnsweringWall.h"
#include "app/DModule.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// The data module's side of the link: the reply interpreter, the life-sign queries, the details
// request and the error event, against a test wall over real UDP on loopback.
class tst_LinkSupervision : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void replies_data();
    void replies();
    void lifeSignQueryTurnsLampGreen();
    void silentWallKeepsLampRedAndQueriesEveryTwoSeconds();
    void detailsShowOnceWithTheNextReply();
    void detailsWaitForALateReply();
    void feedAndWallErrorsReachTheStatusLine();

private:
    AnsweringWall* m_wall = nullptr;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<AnsweringWall> m_ownWall;
};

void tst_LinkSupervision::init()
{
    m_dm.reset();
    m_ownWall = std::make_unique<AnsweringWall>();
    m_wall = m_ownWall.get();
    Ports ports;
    ports.wallRx = testsupport::freeUdpPort();
    ports.wallTx = m_wall->port();
    ports.json = testsupport::freeUdpPort();
    m_dm = std::make_unique<TDM>(ports);
    m_dm->setWallAddressSource([] { return QStringLiteral("127.0.0.1"); });
    m_dm->UDPVesk.OpenSocket();
    QVERIFY(m_dm->UDPVesk.Active());
}

void tst_LinkSupervision::replies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("green");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("status with version") << QByteArray::fromHex("10FD280A56312E32") << true << 40 << 10;
    QTest::newRow("status without version") << QByteArray::fromHex("10FD2008") << true << 32 << 8;
    QTest::newRow("zero size") << QByteArray::fromHex("10FD0000") << true << 0 << 0;
    QTest::newRow("largest size") << QByteArray::fromHex("10FDFFFF") << true << 255 << 255;
    QTest::newRow("too short for a size keeps it") << QByteArray::fromHex("10FD28") << true << 32 << 8;
    QTest::newRow("bare status record") << QByteArray::fromHex("10FD") << true << 32 << 8;
    QTest::newRow("other text record") << QByteArray::fromHex("10FE280A") << false << 32 << 8;
    QTest::newRow("colour record") << QByteArray::fromHex("C0110000FFFF") << false << 32 << 8;
    QTest::newRow("status not first") << QByteArray::fromHex("D00010FD280A") << false << 32 << 8;
    QTest::newRow("single byte") << QByteArray::fromHex("10") << false << 32 << 8;
    QTest::newRow("empty") << QByteArray() << false << 32 << 8;
}

void tst_LinkSupervision::replies()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, green);
    QFETCH(int, columns);
    QFETCH(int, rows);
    m_dm->setLinkLight(TLedBtnColor::LedRed);
    m_dm->interpretReply(body);
    QCOMPARE(m_dm->linkLight(), green ? TLedBtnColor::LedGreen : TLedBtnColor::LedRed);
    QCOMPARE(m_dm->wallColumns(), columns);
    QCOMPARE(m_dm->wallRows(), rows);
}

void tst_LinkSupervision::lifeSignQueryTurnsLampGreen()
{
    m_wall->columns = 40;
    m_wall->rows = 10;
    QCOMPARE(m_dm->linkLight(), TLedBtnColor::LedGray);
    QSignalSpy lights(m_dm.get(), &TDM::linkLightChanged);
    m_dm->GLPingClick();
    QCOMPARE(m_dm->linkLight(), TLedBtnColor::LedRed); // at once, before any reply
    QTRY_COMPARE(m_dm->linkLight(), TLedBtnColor::LedGreen);
    QCOMPARE(m_wall->bodies(), QStringList{QStringLiteral("80 FD")});
    QCOMPARE(m_dm->wallColumns(), 40);
    QCOMPARE(m_dm->wallRows(), 10);
    QCOMPARE(lights.size(), 2);
    QCOMPARE(lights.at(0).at(0).value<TLedBtnColor>(), TLedBtnColor::LedRed);
    QCOMPARE(lights.at(1).at(0).value<TLedBtnColor>(), TLedBtnColor::LedGreen);
}

void tst_LinkSupervision::silentWallKeepsLampRedAndQueriesEveryTwoSeconds()
{
    m_wall->answering = false;
    m_dm->GLPingClick();
    QTRY_COMPARE_WITH_TIMEOUT(m_wall->count(QStringLiteral("80 FD")), 3, 8000);
    QCOMPARE(m_dm->linkLight(), TLedBtnColor::LedRed);
    // A second click does not start a second timer: the queries keep their pace.
    QCOMPARE(m_dm->TimerPing.interval(), 2000);
    QVERIFY(m_dm->TimerPing.isActive());
}

void tst_LinkSupervision::detailsShowOnceWithTheNextReply()
{
    m_wall->version = QStringLiteral("Wand 3.1 Ä");
    QSignalSpy details(m_dm.get(), &TDM::serverDetailsReceived);
    m_dm->berServer1Click();
    QVERIFY(m_dm->detailsRequested());
    QTRY_COMPARE(details.size(), 1);
    QCOMPARE(details.at(0).at(0).toString(), QStringLiteral("Wand 3.1 Ä"));
    QCOMPARE(m_wall->bodies(), QStringList{QStringLiteral("80 FE")});
    QVERIFY(!m_dm->detailsRequested());
    // A further status reply is only a life sign.
    m_dm->TimerPingTimer();
    QTRY_COMPARE(m_dm->linkLight(), TLedBtnColor::LedGreen);
    QTRY_COMPARE(m_wall->bodies().size(), 2);
    QCOMPARE(details.size(), 1);
}

void tst_LinkSupervision::detailsWaitForALateReply()
{
    m_wall->answering = false;
    QSignalSpy details(m_dm.get(), &TDM::serverDetailsReceived);
    m_dm->berServer1Click();
    QTRY_COMPARE(m_wall->bodies().size(), 1);
    QVERIFY(m_dm->detailsRequested());
    QCOMPARE(details.size(), 0);
    // The server comes back; the reply to an ordinary life-sign query brings the details.
    m_wall->answering = true;
    m_dm->TimerPingTimer();
    QTRY_COMPARE(details.size(), 1);
    QCOMPARE(details.at(0).at(0).toString(), QStringLiteral("V1.2"));
}

void tst_LinkSupervision::feedAndWallErrorsReachTheStatusLine()
{
    QSignalSpy failed(m_dm.get(), &TDM::linkFailed);
    // FinishLynx endpoint on a port someone else holds.
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::AnyIPv4, m_dm->ports().json));
    m_dm->UDPJson.OpenSocket();
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.at(0).at(0).toString(),
             QStringLiteral("Socketfehler: UDP: Socket schon anderweitig gebunden oder nicht unterstützt."));
    // Wall link closed: the next query cannot leave.
    m_dm->UDPVesk.CloseSocket();
    m_dm->TimerPingTimer();
    QCOMPARE(failed.size(), 2);
    QCOMPARE(failed.at(1).at(0).toString(), QStringLiteral("Socketfehler: UDP SendData: kein Socket gebunden."));
    // The COSA endpoint keeps its own error box and does not touch the status line.
    QUdpSocket cosaHolder;
    QVERIFY(cosaHolder.bind(QHostAddress::AnyIPv4, 0));
    m_dm->UDPCosa.RxPort = cosaHolder.localPort();
    m_dm->UDPCosa.OpenSocket();
    QCOMPARE(failed.size(), 2);
}

QTEST_MAIN(tst_LinkSupervision)
#include "tst_LinkSupervision.moc"
