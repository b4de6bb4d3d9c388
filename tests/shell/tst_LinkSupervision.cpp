#include "AnsweringWall.h"
#include "support/TestSupport.h"
#include "wall_link/WallLink.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// The wall link: the reply interpreter, the life-sign queries, the details
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
    void sendErrorsAreReported();

private:
    AnsweringWall* m_wall = nullptr;
    std::unique_ptr<WallLink> m_link;
    std::unique_ptr<AnsweringWall> m_ownWall;
};

void tst_LinkSupervision::init()
{
    m_link.reset();
    m_ownWall = std::make_unique<AnsweringWall>();
    m_wall = m_ownWall.get();
    Ports ports;
    ports.wallRx = testsupport::freeUdpPort();
    ports.wallTx = m_wall->port();
    m_link = std::make_unique<WallLink>(ports);
    m_link->open();
    QVERIFY(m_link->endpoint().Active());
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
    m_wall->answering = false;
    m_link->queryLifeSign();
    m_link->interpretReply(body);
    QCOMPARE(m_link->state(), green ? LinkState::Up : LinkState::Waiting);
    QCOMPARE(m_link->textSize().columns, columns);
    QCOMPARE(m_link->textSize().rows, rows);
}

void tst_LinkSupervision::lifeSignQueryTurnsLampGreen()
{
    m_wall->columns = 40;
    m_wall->rows = 10;
    QCOMPARE(m_link->state(), LinkState::Unknown);
    QSignalSpy lights(m_link.get(), &WallLink::stateChanged);
    m_link->startSupervision();
    QCOMPARE(m_link->state(), LinkState::Waiting); // at once, before any reply
    QTRY_COMPARE(m_link->state(), LinkState::Up);
    QCOMPARE(m_wall->bodies(), QStringList{QStringLiteral("80 FD")});
    QCOMPARE(m_link->textSize().columns, 40);
    QCOMPARE(m_link->textSize().rows, 10);
    QCOMPARE(lights.size(), 2);
    QCOMPARE(lights.at(0).at(0).value<LinkState>(), LinkState::Waiting);
    QCOMPARE(lights.at(1).at(0).value<LinkState>(), LinkState::Up);
}

void tst_LinkSupervision::silentWallKeepsLampRedAndQueriesEveryTwoSeconds()
{
    m_wall->answering = false;
    m_link->startSupervision();
    QTRY_COMPARE_WITH_TIMEOUT(m_wall->count(QStringLiteral("80 FD")), 3, 8000);
    QCOMPARE(m_link->state(), LinkState::Waiting);
    // A second click does not start a second timer: the queries keep their pace.
    QCOMPARE(m_link->supervisionInterval(), 2000);
    QVERIFY(m_link->supervising());
}

void tst_LinkSupervision::detailsShowOnceWithTheNextReply()
{
    m_wall->version = QStringLiteral("Wand 3.1 Ä");
    QSignalSpy details(m_link.get(), &WallLink::serverDetailsReceived);
    m_link->requestDetails();
    QVERIFY(m_link->detailsRequested());
    QTRY_COMPARE(details.size(), 1);
    QCOMPARE(details.at(0).at(0).toString(), QStringLiteral("Wand 3.1 Ä"));
    QCOMPARE(m_wall->bodies(), QStringList{QStringLiteral("80 FE")});
    QVERIFY(!m_link->detailsRequested());
    // A further status reply is only a life sign.
    m_link->queryLifeSign();
    QTRY_COMPARE(m_link->state(), LinkState::Up);
    QTRY_COMPARE(m_wall->bodies().size(), 2);
    QCOMPARE(details.size(), 1);
}

void tst_LinkSupervision::detailsWaitForALateReply()
{
    m_wall->answering = false;
    QSignalSpy details(m_link.get(), &WallLink::serverDetailsReceived);
    m_link->requestDetails();
    QTRY_COMPARE(m_wall->bodies().size(), 1);
    QVERIFY(m_link->detailsRequested());
    QCOMPARE(details.size(), 0);
    // The server comes back; the reply to an ordinary life-sign query brings the details.
    m_wall->answering = true;
    m_link->queryLifeSign();
    QTRY_COMPARE(details.size(), 1);
    QCOMPARE(details.at(0).at(0).toString(), QStringLiteral("V1.2"));
}

void tst_LinkSupervision::sendErrorsAreReported()
{
    QSignalSpy failed(m_link.get(), &WallLink::linkFailed);
    // Wall link closed: the next query cannot leave.
    m_link->close();
    m_link->queryLifeSign();
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("Socketfehler: UDP SendData: kein Socket gebunden."));
}

QTEST_MAIN(tst_LinkSupervision)
#include "tst_LinkSupervision.moc"
