#include "feeds/LynxFeed.h"
#include "pages/PageFixture.h"
#include "shell/ErrorReport.h"
#include "support/TestSupport.h"
#include "textlist/ListPage.h"
#include "textlist/StringGrid.h"
#include "textlist/Textbox.h"
#include "wall_link/UDPVesk.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QUdpSocket>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace {

QByteArray message(const QByteArray& id, const QByteArray& list)
{
    return R"({"JIDS":")" + id + R"(","TL":)" + list + R"(,"SDIJ":")" + id + R"("})";
}

const QByteArray kTwoLines = R"({"Header":["A","B"],"Lines":{"1":["1","x","7","Müller","LV1","10,1"],)"
                             R"("2":["2","y","8","Name 2","LV2","10,2"]}})";

// Data rows of the grid, cells joined with '|', rows with '/'.
QString rows(const TStringGrid& grid)
{
    QStringList lines;
    for (int row = 1; row < grid.RowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.ColCount(); ++column)
            cells << grid.cell(column, row);
        lines << cells.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('/'));
}

// A modal box: while it is open the event loop runs, and whatever arrives meanwhile reports again.
struct ModalReport final : ErrorReport
{
    QStringList shown;
    int open = 0;
    int mostOpen = 0;
    std::function<void()> whileOpen;

protected:
    void present(Icon, const QString&, const QString& text, bool) override
    {
        shown << text;
        mostOpen = std::max(mostOpen, ++open);
        if (auto run = std::exchange(whileOpen, {}))
            run();
        --open;
    }
};

} // namespace

class TestLynxFeed : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void messagesFillThePage_data();
    void messagesFillThePage();
    void laterMessageReplacesLines();
    void badCellIsReportedAfterWhatCameBefore();
    void hostileListIsBounded();
    void errorStormShowsOneBoxAtATime();

private:
    QString lynxHeader() const { return m_window->findChild<QLineEdit*>(QStringLiteral("EdLynxHeader"))->text(); }
    TStringGrid* grid() const { return m_window->findChild<TStringGrid*>(QStringLiteral("SGLynx")); }

    // Sends each datagram over loopback and waits until the endpoint has taken it.
    void send(const QList<QByteArray>& datagrams);

    std::unique_ptr<MediaPageFixture> m_fx;
    std::unique_ptr<TUDPVesk> m_endpoint;
    RecordingReport m_report;
    std::unique_ptr<TFormTextbox> m_window;
    std::unique_ptr<TLynxFeed> m_feed;
    QString m_prefix = QStringLiteral("QTX");
    int m_received = 0;
};

void TestLynxFeed::init()
{
    m_fx = std::make_unique<MediaPageFixture>();
    m_endpoint = std::make_unique<TUDPVesk>();
    m_endpoint->RxPort = testsupport::freeUdpPort();
    m_window = std::make_unique<TFormTextbox>(m_fx->wall, m_fx->media, m_report);
    m_window->show(); // the window's reset on showing comes first, as in the program
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_feed = std::make_unique<TLynxFeed>(*m_window, m_report, [this] { return m_prefix; });
    m_feed->connectEndpoint(*m_endpoint);
    connect(m_endpoint.get(), &TUDPVesk::OnReceive, this, [this] { ++m_received; });
    m_endpoint->OpenSocket();
    QVERIFY(m_endpoint->Active());
}

void TestLynxFeed::cleanup()
{
    m_feed.reset();
    m_window.reset();
    m_endpoint.reset();
    m_fx.reset();
    m_report.entries.clear();
    m_prefix = QStringLiteral("QTX");
    m_received = 0;
}

void TestLynxFeed::send(const QList<QByteArray>& datagrams)
{
    QUdpSocket sender;
    for (const QByteArray& datagram : datagrams) {
        const int before = m_received;
        QCOMPARE(sender.writeDatagram(datagram, QHostAddress::LocalHost, m_endpoint->RxPort), datagram.size());
        QTRY_COMPARE(m_received, before + 1);
    }
}

void TestLynxFeed::messagesFillThePage_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QList<QByteArray>>("datagrams");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("rows");

    const QString untouchedHeader = QStringLiteral("Startliste");
    const QString untouchedRows = QStringLiteral("||||");
    const QString twoLines = QStringLiteral("1|7|Müller|LV1|10,1/2|8|Name 2|LV2|10,2/||||");
    const QByteArray full = message("QTX12345678", kTwoLines);

    QTest::newRow("two lines") << "QTX" << QList<QByteArray>{full} << "A; B" << twoLines;
    QTest::newRow("three datagrams") << "QTX" << QList<QByteArray>{full.left(25), full.mid(25, 60), full.mid(85)}
                                     << "A; B" << twoLines;
    QTest::newRow("encrypted") << "QTX" << QList<QByteArray>{lynx::encryptMessage(full)} << "A; B" << twoLines;
    QTest::newRow("foreign sender") << "QTX" << QList<QByteArray>{message("ABC12345678", kTwoLines)} << untouchedHeader
                                    << untouchedRows;
    QTest::newRow("empty prefix") << " " << QList<QByteArray>{message("ABC12345678", kTwoLines)} << "A; B" << twoLines;
    QTest::newRow("header only") << "QTX" << QList<QByteArray>{message("1", R"({"Header":["Lauf 3"]})")} << "Lauf 3"
                                 << untouchedRows;
    QTest::newRow("short line") << "QTX" << QList<QByteArray>{message("1", R"({"Lines":{"a":["1","x","7"]}})")}
                                << untouchedHeader << "1|7|||";
    QTest::newRow("long line widens the grid")
        << "QTX" << QList<QByteArray>{message("1", R"({"Lines":{"a":["1","x","7","N","L","R","Extra"]}})")}
        << untouchedHeader << "1|7|N|L|R|Extra";
    QTest::newRow("rows grow two at a time")
        << "QTX" << QList<QByteArray>{message("1", R"({"Lines":{"a":["1"],"b":["2"],"c":["3"]}})")} << untouchedHeader
        << "1||||/2||||/3||||";
    QTest::newRow("four bytes ignored") << "QTX" << QList<QByteArray>{"{}{}"} << untouchedHeader << untouchedRows;
    QTest::newRow("garbage ignored") << "QTX" << QList<QByteArray>{"\xff\xfe garbage", "[1,2]", full.left(40)}
                                     << untouchedHeader << untouchedRows;
}

void TestLynxFeed::messagesFillThePage()
{
    QFETCH(QString, prefix);
    QFETCH(QList<QByteArray>, datagrams);
    QFETCH(QString, header);
    QFETCH(QString, rows);

    m_prefix = prefix;
    const int page = m_window->currentPage();
    send(datagrams);
    QCOMPARE(lynxHeader(), header);
    QCOMPARE(::rows(*grid()), rows);
    QCOMPARE(m_window->currentPage(), page); // the page is not switched
    QCOMPARE(m_report.entries.size(), 0);
}

void TestLynxFeed::laterMessageReplacesLines()
{
    send({message("1", kTwoLines)});
    grid()->setCurrentCell(1, 2); // the operator's row, where "nach Vorschau" starts, stays
    send({message("2", R"({"Lines":{"a":["9","x","5"]}})")});
    QCOMPARE(grid()->Row(), 2);
    QCOMPARE(lynxHeader(), QStringLiteral("A; B"));
    QCOMPARE(rows(*grid()), QStringLiteral("9|5|||/||||/||||"));
    QVERIFY(m_feed->collector().collected().isEmpty());
}

void TestLynxFeed::badCellIsReportedAfterWhatCameBefore()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^FinishLynx: ")));
    send({message("1", R"({"Header":["T"],"Lines":{"a":["1","x","7"],"b":["2",3,"8"]}})")});
    QCOMPARE(lynxHeader(), QStringLiteral("T"));
    QCOMPARE(rows(*grid()), QStringLiteral("1|7|||/2||||/||||"));
    QCOMPARE(m_report.entries.size(), 1);
    QVERIFY(m_report.entries.first().text.startsWith(QStringLiteral("FinishLynx-Liste nur zum Teil übernommen")));
    // The feed goes on with the next message.
    send({message("2", R"({"Header":["U"]})")});
    QCOMPARE(lynxHeader(), QStringLiteral("U"));
}

// However many lines and strings a message carries, the grid holds no more rows and columns than a list can
// use, and empty cells cost nothing.
void TestLynxFeed::hostileListIsBounded()
{
    const QByteArray line = "[" + QByteArray(R"("v",)").repeated(29) + R"("v"])";
    QByteArray lines;
    for (int i = 0; i < 1500; ++i)
        lines += (i == 0 ? "" : ",") + QByteArray(R"(")") + QByteArray::number(i) + R"(":)" + line;
    m_feed->UDPJsonReceive(QString(), 0, message("1", R"({"Lines":{)" + lines + "}}"));
    const auto items = [this] {
        int count = 0;
        for (int row = 0; row < grid()->rowCount(); ++row)
            for (int column = 0; column < grid()->columnCount(); ++column)
                count += grid()->item(row, column) != nullptr;
        return count;
    };
    QCOMPARE(grid()->RowCount(), TListPage::kMaxGrowingRows + 1);
    QCOMPARE(grid()->ColCount(), TListPage::kMaxGrowingColumns);
    QCOMPARE(items(), TListPage::kMaxGrowingRows * TListPage::kMaxGrowingColumns);

    m_feed->UDPJsonReceive(QString(), 0, message("2", R"({"Lines":{"a":["9","x","5"]}})"));
    QCOMPARE(grid()->cell(1, 1), QStringLiteral("5"));
    QCOMPARE(items(), 2);
    QCOMPARE(m_report.entries.size(), 0);
}

QTEST_MAIN(TestLynxFeed)
#include "tst_LynxFeed.moc"

void TestLynxFeed::errorStormShowsOneBoxAtATime()
{
    ModalReport boxes;
    QStringList status;
    TLynxFeed feed(*m_window, boxes, [] { return QString(); });
    feed.setStatusLine([&](const QString& text) { status << text; });
    const QByteArray bad = message("1", R"({"Header":[3]})");
    // Each error is logged.
    for (int i = 0; i < 101; ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^FinishLynx: ")));
    boxes.whileOpen = [&] {
        for (int i = 0; i < 99; ++i)
            feed.UDPJsonReceive(QString(), 0, bad);
    };
    feed.UDPJsonReceive(QString(), 0, bad);
    QCOMPARE(boxes.mostOpen, 1);
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown.at(1), boxes.shown.at(0) + QStringLiteral(" (99 weitere)"));
    // Every error reaches the status line at once.
    QCOMPARE(status.size(), 100);
    QCOMPARE(status.last(), QStringLiteral("FinishLynx: ") + boxes.shown.at(0));
    // The storm is over: the next error has a box of its own again.
    feed.UDPJsonReceive(QString(), 0, bad);
    QCOMPARE(boxes.shown.size(), 3);
    QCOMPARE(boxes.shown.at(2), boxes.shown.at(0));
}
