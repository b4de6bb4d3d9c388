#include "feeds/LynxMessage.h"

#include <QTest>

using lynx::ListPart;
using lynx::Message;
using lynx::TLynxCollector;

namespace {

// One line per accepted message: "H:a|b" for a header, "L:a,b/c,d" for lines, "E:..." for an error.
QString dump(const std::optional<Message>& message)
{
    if (!message)
        return QStringLiteral("-");
    QStringList parts;
    for (const ListPart& part : message->parts) {
        if (part.kind == ListPart::Kind::Header) {
            parts << QStringLiteral("H:") + part.header.join(QLatin1Char('|'));
        } else {
            QStringList lines;
            for (const QStringList& line : part.lines)
                lines << line.join(QLatin1Char(','));
            parts << QStringLiteral("L:") + lines.join(QLatin1Char('/'));
        }
    }
    if (!message->error.isEmpty())
        parts << QStringLiteral("E");
    return parts.join(QLatin1Char(' '));
}

QByteArray message(const QByteArray& id, const QByteArray& list, const QByteArray& closingId)
{
    return R"({"JIDS":")" + id + R"(","TL":)" + list + R"(,"SDIJ":")" + closingId + R"("})";
}

const QByteArray kList = R"({"Header":["A","B"],"Lines":{"1":["1","x","7","Name 1","LV1","10,1"],)"
                         R"("2":["2","y","8","Name 2","LV2","10,2"]}})";
const QByteArray kFull = message("QTX12345678", kList, "QTX12345678");
const QString kShown = QStringLiteral("H:A|B L:1,x,7,Name 1,LV1,10,1/2,y,8,Name 2,LV2,10,2");

} // namespace

class TestLynxMessage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void datagrams_data();
    void datagrams();
    void collectedTextIsBounded();
    void listIsBounded_data();
    void listIsBounded();
    void textIsParsedOnlyWhenItCanBeComplete_data();
    void textIsParsedOnlyWhenItCanBeComplete();
};

void TestLynxMessage::datagrams_data()
{
    QTest::addColumn<QList<QByteArray>>("datagrams");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("results"); // dump() after each datagram
    QTest::addColumn<bool>("collectedEmpty");

    const QString qtx = QStringLiteral(" qtx ");
    QTest::newRow("plain message") << QList<QByteArray>{kFull} << qtx << QStringList{kShown} << true;
    QTest::newRow("split in three") << QList<QByteArray>{kFull.left(30), kFull.mid(30, 40), kFull.mid(70)} << qtx
                                    << QStringList{"-", "-", kShown} << true;
    QTest::newRow("split inside a two-byte character") << QList<QByteArray>{R"({"JIDS":"x","TL":{"Header":["Gr)"
                                                                            "\xc3",
                                                                            "\xbc"
                                                                            R"(ße"]},"SDIJ":"x"})"}
                                                       << qtx << QStringList{"-", QStringLiteral("H:Grüße")} << true;
    QTest::newRow("foreign sender") << QList<QByteArray>{message("ABC12345678", kList, "ABC12345678")} << qtx
                                    << QStringList{"-"} << true;
    QTest::newRow("prefix in small letters on the wire")
        << QList<QByteArray>{message("qtx12345678", kList, "qtx12345678")} << qtx << QStringList{kShown} << true;
    QTest::newRow("no prefix takes any sender")
        << QList<QByteArray>{message("ABC12345678", kList, "ABC12345678")} << QString() << QStringList{kShown} << true;
    QTest::newRow("short id takes any prefix")
        << QList<QByteArray>{message("12345678", kList, "12345678")} << qtx << QStringList{kShown} << true;
    QTest::newRow("closing id differs, next read alone")
        << QList<QByteArray>{message("QTX1", kList, "QTX2"), kFull} << qtx << QStringList{"-", kShown} << true;
    QTest::newRow("closing id missing: accepted unchecked")
        << QList<QByteArray>{R"({"JIDS":"ABC12345678","TL":{"Header":["T"]}})", kFull} << qtx
        << QStringList{"H:T", kShown} << true;
    QTest::newRow("closing id empty") << QList<QByteArray>{message("QTX1", kList, ""), kFull} << qtx
                                      << QStringList{"-", kShown} << true;
    QTest::newRow("id missing") << QList<QByteArray>{R"({"TL":{"Header":["T"]},"SDIJ":"x"})", kFull} << qtx
                                << QStringList{"-", kShown} << true;
    QTest::newRow("id not a string") << QList<QByteArray>{R"({"JIDS":5,"SDIJ":5})", kFull} << qtx
                                     << QStringList{"-", kShown} << true;
    QTest::newRow("top level array") << QList<QByteArray>{R"([1,2,3])", kFull} << qtx << QStringList{"-", kShown}
                                     << true;
    QTest::newRow("four bytes ignored") << QList<QByteArray>{kFull.left(10), "}}}}", kFull.mid(10)} << qtx
                                        << QStringList{"-", "-", kShown} << true;
    QTest::newRow("trailing text ignored")
        << QList<QByteArray>{kFull + "garbage {"} << qtx << QStringList{kShown} << true;
    QTest::newRow("byte-order mark skipped")
        << QList<QByteArray>{"\xEF\xBB\xBF" + kFull} << qtx << QStringList{kShown} << true;
    QTest::newRow("syntax error dropped, next read alone")
        << QList<QByteArray>{R"({"JIDS" 1 })", kFull} << qtx << QStringList{"-", kShown} << true;
    QTest::newRow("invalid UTF-8 dropped") << QList<QByteArray>{R"({"JIDS":"x","TL":{"Header":["\xff\xfe"]}})", kFull}
                                           << qtx << QStringList{"-", kShown} << true;
    QTest::newRow("piece of a lost message dropped, the one after next read")
        << QList<QByteArray>{kFull.left(50), kFull, kFull} << qtx << QStringList{"-", "-", kShown} << true;
    QTest::newRow("incomplete kept") << QList<QByteArray>{kFull.left(50)} << qtx << QStringList{"-"} << false;
    QTest::newRow("member order kept") << QList<QByteArray>{message(
                                              "x", R"({"Lines":{"b":["2"],"a":["1"]},"Other":1,"Header":["Z"]})", "x")}
                                       << qtx << QStringList{"L:2/1 H:Z"} << true;
    QTest::newRow("header only") << QList<QByteArray>{message("x", R"({"Header":["Only"]})", "x")} << qtx
                                 << QStringList{"H:Only"} << true;
    QTest::newRow("empty list") << QList<QByteArray>{message("x", "{}", "x")} << qtx << QStringList{""} << true;
    QTest::newRow("unsupported shapes skipped")
        << QList<QByteArray>{message("x", R"({"Header":"T","Lines":[["1"]]})", "x")} << qtx << QStringList{""} << true;
    QTest::newRow("line that is not an array stays empty")
        << QList<QByteArray>{message("x", R"({"Lines":{"a":"1","b":["2"]}})", "x")} << qtx << QStringList{"L:/2"}
        << true;
    QTest::newRow("non-string header element stops with error")
        << QList<QByteArray>{message("x", R"({"Header":["A",1,"C"],"Lines":{"a":["1"]}})", "x")} << qtx
        << QStringList{"H:A E"} << true;
    QTest::newRow("non-string cell stops with error")
        << QList<QByteArray>{message("x", R"({"Lines":{"a":["1"],"b":["2",null,"3"]},"Header":["H"]})", "x")} << qtx
        << QStringList{"L:1/2 E"} << true;
    QTest::newRow("characters outside the code page")
        << QList<QByteArray>{message("x", R"({"Header":["Łódź €"]})", "x")} << qtx
        << QStringList{QStringLiteral("H:?ód? €")} << true;

    QTest::newRow("encrypted") << QList<QByteArray>{lynx::encryptMessage(kFull)} << qtx << QStringList{kShown} << true;
    const QByteArray crypt = lynx::encryptMessage(kFull);
    QTest::newRow("encrypted, split") << QList<QByteArray>{crypt.left(100), crypt.mid(100)} << qtx
                                      << QStringList{"-", kShown} << true;
    QTest::newRow("encrypted foreign sender")
        << QList<QByteArray>{lynx::encryptMessage(message("ABC12345678", kList, "ABC12345678"))} << qtx
        << QStringList{"-"} << true;
    QTest::newRow("encrypted with trailing zero bytes")
        << QList<QByteArray>{lynx::encryptMessage(kFull + QByteArray(3, '\0') + "junk")} << qtx << QStringList{kShown}
        << true;
    QTest::newRow("encrypted garbage dropped")
        << QList<QByteArray>{R"({"JSCrypt":"abcdefghijklmnop"})", kFull} << qtx << QStringList{"-", kShown} << true;
    QTest::newRow("encrypted, empty plain text")
        << QList<QByteArray>{R"({"JSCrypt":"x"})"} << qtx << QStringList{"-"} << true;
    QTest::newRow("crypt member not a string, read plain")
        << QList<QByteArray>{R"({"JSCrypt":1,"JIDS":"x","TL":{"Header":["P"]},"SDIJ":"x"})"} << qtx
        << QStringList{"H:P"} << true;
    const QByteArray longCrypt = lynx::encryptMessage(kFull + QByteArray(10001 - kFull.size(), ' '));
    QTest::newRow("crypt member too long, read plain")
        << QList<QByteArray>{longCrypt.left(longCrypt.size() - 1) + R"(,"JIDS":"x","TL":{"Header":["P"]},"SDIJ":"x"})"}
        << qtx << QStringList{"H:P"} << true;
}

void TestLynxMessage::datagrams()
{
    QFETCH(QList<QByteArray>, datagrams);
    QFETCH(QString, prefix);
    QFETCH(QStringList, results);
    QFETCH(bool, collectedEmpty);

    TLynxCollector collector;
    QStringList seen;
    for (const QByteArray& datagram : datagrams)
        seen << dump(collector.receive(datagram, prefix));
    QCOMPARE(seen, results);
    QCOMPARE(collector.collected().isEmpty(), collectedEmpty);
}

void TestLynxMessage::collectedTextIsBounded()
{
    TLynxCollector collector;
    const QByteArray open = R"({"JIDS":"x","TL":{"Header":[")";
    QVERIFY(!collector.receive(open, {}));
    const QByteArray filler(8000, 'a');
    for (int n = 0; n < 100; ++n) {
        QVERIFY(!collector.receive(filler, {}));
        QVERIFY(collector.collected().size() <= lynx::kMaxCollected);
    }
    // A fresh message after the overflow is read on its own.
    QVERIFY(!collector.receive(QByteArray(lynx::kMaxCollected + 1, ' '), {}));
    QCOMPARE(dump(collector.receive(kFull, {})), kShown);
}

// A message yields no more lines and strings per line than a list can use, however many it holds.
void TestLynxMessage::listIsBounded_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("strings"); // in the first line
    QTest::addColumn<int>("keptLines");
    QTest::addColumn<int>("keptStrings");
    QTest::newRow("a real list") << 40 << 6 << 40 << 6;
    QTest::newRow("at the bounds") << lynx::kMaxLines << lynx::kMaxLineStrings << lynx::kMaxLines
                                   << lynx::kMaxLineStrings;
    QTest::newRow("one beyond") << lynx::kMaxLines + 1 << lynx::kMaxLineStrings + 1 << lynx::kMaxLines
                                << lynx::kMaxLineStrings;
    // About 200 KB of JSON that asked for 300 million grid cells.
    QTest::newRow("hostile") << 10000 << 30000 << lynx::kMaxLines << lynx::kMaxLineStrings;
}

void TestLynxMessage::listIsBounded()
{
    QFETCH(int, lines);
    QFETCH(int, strings);
    QFETCH(int, keptLines);
    QFETCH(int, keptStrings);
    QByteArray first = "[";
    for (int k = 0; k < strings; ++k)
        first += k == 0 ? "\"\"" : ",\"\"";
    QByteArray list = R"({"Lines":{"0":)" + first + "]";
    for (int r = 1; r < lines; ++r)
        list += ",\"" + QByteArray::number(r) + "\":[]";
    list += "}}";
    TLynxCollector collector;
    const auto accepted = collector.receive(message("x", list, "x"), {});
    QVERIFY(accepted && accepted->parts.size() == 1);
    QCOMPARE(accepted->parts[0].lines.size(), keptLines);
    QCOMPARE(accepted->parts[0].lines[0].size(), keptStrings);
}

// Every datagram of a message that has not come whole yet must not cost the whole text again.
void TestLynxMessage::textIsParsedOnlyWhenItCanBeComplete_data()
{
    QTest::addColumn<int>("datagramSize");
    QTest::newRow("5 bytes") << 5;
    QTest::newRow("100 bytes") << 100;
    QTest::newRow("1400 bytes") << 1400;
}

void TestLynxMessage::textIsParsedOnlyWhenItCanBeComplete()
{
    QFETCH(int, datagramSize);
    QByteArray lines = R"({"Header":["A"],"Lines":{)";
    for (int r = 0; r < 2000; ++r)
        lines += (r ? ",\"" : "\"") + QByteArray::number(r) + R"(":["1","x","7","Name {","LV]","10,1"])";
    lines += "}}";
    const QByteArray text = message("QTX12345678", lines, "QTX12345678");
    QList<QByteArray> datagrams;
    for (qsizetype at = 0; at < text.size(); at += datagramSize)
        datagrams << text.mid(at, datagramSize);
    if (datagrams.last().size() <= 4) // would be ignored
        datagrams[datagrams.size() - 2] += datagrams.takeLast();
    TLynxCollector collector;
    for (const QByteArray& datagram : datagrams) {
        const auto accepted = collector.receive(datagram, QStringLiteral("QTX"));
        QCOMPARE(bool(accepted), &datagram == &datagrams.last());
        if (accepted)
            QCOMPARE(accepted->parts[1].lines.size(), lynx::kMaxLines);
    }
    QVERIFY2(collector.parsedBytes() <= 3 * text.size(),
             qPrintable(QStringLiteral("%1 bytes parsed for %2").arg(collector.parsedBytes()).arg(text.size())));
}

QTEST_GUILESS_MAIN(TestLynxMessage)
#include "tst_LynxMessage.moc"
