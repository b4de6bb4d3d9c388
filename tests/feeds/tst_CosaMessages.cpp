#include "feeds/CosaMessages.h"

#include <QTest>

using namespace cosa;

class TstCosaMessages final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void receiver_data()
    {
        QTest::addColumn<QList<QByteArray>>("datagrams");
        QTest::addColumn<QList<QByteArray>>("payloads");
        using L = QList<QByteArray>;
        QTest::newRow("one") << L{"CDC;BLNK;CDC"} << L{"BLNK;"};
        QTest::newRow("three datagrams") << L{"CD", "C;FREE;1;Hal", "lo;CDC"} << L{"FREE;1;Hallo;"};
        QTest::newRow("end marker split") << L{"CDC;HOME;C", "DC"} << L{"HOME;"};
        QTest::newRow("two in one") << L{"CDC;BLNK;CDCCDC;HOME;CDC"} << L{"BLNK;", "HOME;"};
        QTest::newRow("junk before") << L{"xx\x01\xff;CD", "C; PICT;a ;CDCtail"} << L{"PICT;a;"};
        QTest::newRow("blanks and tabs trimmed") << L{"CDC; \tFREE;0\t ;CDC"} << L{"FREE;0;"};
        QTest::newRow("empty payload dropped") << L{"CDC;;CDC", "CDC; \t;CDC"} << L{};
        QTest::newRow("marker overlap") << L{"CDC;CDC"} << L{"CDC;"};
        QTest::newRow("start inside message kept") << L{"CDC;A;CDC;B;CDC"} << L{"A;"};
        QTest::newRow("no end yet") << L{"CDC;BLNK;CD"} << L{};
        QTest::newRow("junk only") << L{QByteArray(5000, 'x'), "CDC"} << L{};
    }
    void receiver()
    {
        QFETCH(QList<QByteArray>, datagrams);
        QFETCH(QList<QByteArray>, payloads);
        CosaReceiver r;
        QList<QByteArray> got;
        for (const QByteArray& d : datagrams)
            got += r.feed(d);
        QCOMPARE(got, payloads);
        QVERIFY(r.buffer().size() <= CosaReceiver::kMaxMessageBytes);
    }

    void overlongMessageIsDroppedAndNextOneHandled()
    {
        CosaReceiver r;
        QVERIFY(r.feed("CDC;FREE;1;").isEmpty());
        const QByteArray filler(4096, 'a');
        for (int i = 0; i < 40; ++i) {
            QVERIFY(r.feed(filler).isEmpty());
            QVERIFY(r.buffer().size() <= CosaReceiver::kMaxMessageBytes);
        }
        // The end of the dropped message is junk now; the next frame is whole.
        QCOMPARE(r.feed(";CDCCDC;BLNK;CDC"), QList<QByteArray>{"BLNK;"});
    }

    // What a payload does to the list grid, read from its head alone, as parsing it whole decides.
    void listEffectAsParsed_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<ListEffect>("effect");
        QTest::newRow("free") << QByteArray("FREE;1;a;") << ListEffect::None;
        QTest::newRow("start list with rows") << QByteArray(" strt ;T;U;1;1;2;N;L;") << ListEffect::Whole;
        QTest::newRow("result list without rows") << QByteArray("RSLT;T;;0;") << ListEffect::Part;
        QTest::newRow("count without fields") << QByteArray("RSLT;T;;5;") << ListEffect::Whole;
        QTest::newRow("medal list, third count") << QByteArray("MEDL;T;;0;-1;1;A;X;1;") << ListEffect::Whole;
        QTest::newRow("medal list without rows") << QByteArray("MEDL;T;;0;0;0;") << ListEffect::Part;
        QTest::newRow("not UTF-8 after the head") << QByteArray("RSLT;T;;1;1;M\xfcller;L;1;") << ListEffect::None;
        QTest::newRow("head only") << QByteArray("MEDL;T") << ListEffect::Part;
    }
    void listEffectAsParsed()
    {
        QFETCH(QByteArray, payload);
        QFETCH(ListEffect, effect);
        QCOMPARE(listEffect(payload), effect);
        const Message m = parseMessage(payload);
        const bool list = m.kind == Kind::StartList || m.kind == Kind::ResultList || m.kind == Kind::MedalList;
        QCOMPARE(effect, !list ? ListEffect::None : m.rows.isEmpty() ? ListEffect::Part : ListEffect::Whole);
    }

    void utf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("abc;") << QStringLiteral("abc;");
        QTest::newRow("umlauts") << QByteArray("M\xc3\xbcller \xc3\x9f") << QStringLiteral("Müller ß");
        QTest::newRow("euro three bytes") << QByteArray("\xe2\x82\xac") << QStringLiteral("€");
        QTest::newRow("not in code page") << QByteArray("a\xe2\x86\x92z") << QStringLiteral("a?z");
        QTest::newRow("latin1 byte") << QByteArray("M\xfcller") << QString();
        QTest::newRow("truncated") << QByteArray("ab\xc3") << QString();
        QTest::newRow("bad continuation") << QByteArray("\xe2\x28\xa1") << QString();
        QTest::newRow("overlong") << QByteArray("\xc0\xaf") << QString();
        QTest::newRow("overlong three") << QByteArray("\xe0\x80\xaf") << QString();
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << QString();
        QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x98\x80") << QString();
    }
    void utf8()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeUtf8(bytes), text);
    }

    void fields()
    {
        FieldReader f(QStringLiteral("free ;\t 12 ;x1;;abc"));
        QCOMPARE(f.next(true), QStringLiteral("FREE"));
        QCOMPARE(f.nextCount(), 12);
        QCOMPARE(f.nextCount(), 0);
        QCOMPARE(f.next(), QString());
        QCOMPARE(f.next(true), QStringLiteral("ABC"));
        QVERIFY(f.atEnd());
        QCOMPARE(f.next(), QString());
        QCOMPARE(f.nextCount(), 0);
        FieldReader umlaut(QStringLiteral("äb;"));
        QCOMPARE(umlaut.next(true), QStringLiteral("äB"));
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("showPage");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("gridRows");
        QTest::addColumn<QList<QStringList>>("rows");
        using R = QList<QStringList>;
        const auto k = [](Kind kind) { return static_cast<int>(kind); };
        QTest::newRow("blnk") << QByteArray("BLNK;") << k(Kind::Blank) << false << QStringList() << QString() << 0
                              << R{};
        QTest::newRow("home small") << QByteArray(" home ;") << k(Kind::Blank) << false << QStringList() << QString()
                                    << 0 << R{};
        QTest::newRow("unknown") << QByteArray("XYZ;1;") << k(Kind::Ignored) << false << QStringList() << QString() << 0
                                 << R{};
        QTest::newRow("malformed utf8") << QByteArray("BLNK;\xff;") << k(Kind::Ignored) << false << QStringList()
                                        << QString() << 0 << R{};
        QTest::newRow("free") << QByteArray("FREE;3;Hallo;Welt;!;") << k(Kind::Free) << true
                              << QStringList{"Hallo", "Welt", "!"} << QString() << 0 << R{};
        QTest::newRow("free twelve") << QByteArray("FREE;12;1;2;3;4;5;6;7;8;9;10;11;12;") << k(Kind::Free) << true
                                     << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"} << QString() << 0
                                     << R{};
        QTest::newRow("free missing lines")
            << QByteArray("FREE;2;a;") << k(Kind::Free) << true << QStringList{"a", ""} << QString() << 0 << R{};
        QTest::newRow("free huge count") << QByteArray("FREE;2147483647;a;") << k(Kind::Free) << true
                                         << QStringList{"a", "", "", "", "", "", "", "", ""} << QString() << 0 << R{};
        QTest::newRow("free zero") << QByteArray("FREE;0;a;") << k(Kind::Free) << false << QStringList() << QString()
                                   << 0 << R{};
        QTest::newRow("free not a count")
            << QByteArray("FREE;zwei;a;") << k(Kind::Free) << false << QStringList() << QString() << 0 << R{};
        QTest::newRow("strt") << QByteArray("STRT;Vorlauf;Lauf 1;1;3;12;Muster;LV1;") << k(Kind::StartList) << true
                              << QStringList() << QStringLiteral("Vorlauf; Lauf 1") << 1
                              << R{{"3", "12", "Muster", "LV1", ""}};
        QTest::newRow("strt zero") << QByteArray("STRT;Vorlauf;Lauf 1;0;") << k(Kind::StartList) << false
                                   << QStringList() << QStringLiteral("Vorlauf; Lauf 1") << 0 << R{};
        QTest::newRow("strt title 1 empty")
            << QByteArray("STRT;;Lauf 1;0;") << k(Kind::StartList) << false << QStringList() << QString() << 0 << R{};
        QTest::newRow("strt missing fields")
            << QByteArray("strt;T;;2;1;7;") << k(Kind::StartList) << true << QStringList() << QStringLiteral("T") << 2
            << R{{"1", "7", "", "", ""}, {"", "", "", "", ""}};
        QTest::newRow("strt huge count") << QByteArray("STRT;T;;99999999;") << k(Kind::StartList) << true
                                         << QStringList() << QStringLiteral("T") << kMaxEntries
                                         << R(kMaxEntries, QStringList{"", "", "", "", ""});
        QTest::newRow("rslt") << QByteArray("RSLT;100 m;Finale;2;1;Muster\x01;LV1;10,1;2;Beispiel;LV2;10,2;")
                              << k(Kind::ResultList) << true << QStringList() << QStringLiteral("100 m; Finale") << 2
                              << R{{"1", "", "Muster", "LV1", "10,1"}, {"2", "", "Beispiel", "LV2", "10,2"}};
        QTest::newRow("medl") << QByteArray("MEDL;100 m;;1;0;2;A;X;10,1;B;Y;10,3;C;Z;10,4;") << k(Kind::MedalList)
                              << true << QStringList() << QStringLiteral("100 m") << 3
                              << R{{"G", "", "A", "X", "10,1"},
                                   {"B", "", "B", "Y", "10,3"},
                                   {"B", "", "C", "Z", "10,4"}};
        QTest::newRow("medl negative") << QByteArray("MEDL;T;;2;-5;0;A;X;1;B;Y;2;") << k(Kind::MedalList) << true
                                       << QStringList() << QStringLiteral("T") << 2
                                       << R{{"G", "", "A", "X", "1"}, {"G", "", "B", "Y", "2"}};
        QTest::newRow("medl all zero") << QByteArray("MEDL;T;U;0;0;0;") << k(Kind::MedalList) << true << QStringList()
                                       << QStringLiteral("T; U") << 0 << R{};
    }
    void parse()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, kind);
        QFETCH(bool, showPage);
        QFETCH(QStringList, lines);
        QFETCH(QString, header);
        QFETCH(int, gridRows);
        QFETCH(QList<QStringList>, rows);
        const Message m = parseMessage(payload);
        QCOMPARE(static_cast<int>(m.kind), kind);
        QCOMPARE(m.showPage, showPage);
        QCOMPARE(m.lines, lines);
        QCOMPARE(m.header, header);
        QCOMPARE(m.gridRows, gridRows);
        QCOMPARE(m.rows, rows);
    }

    void schedule_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QList<ScheduleEntry>>("entries");
        using E = QList<ScheduleEntry>;
        QTest::newRow("two") << QByteArray("SCED;2;10:00;100 m;10:30;200 m;")
                             << E{{"10:00", "100 m"}, {"10:30", "200 m"}};
        QTest::newRow("empty time consumes one") << QByteArray("SCED;2;;100 m;10:30;") << E{{"100 m", "10:30"}};
        QTest::newRow("huge count") << QByteArray("SCED;2000000000;9:00;x;") << E{{"9:00", "x"}};
        QTest::newRow("zero") << QByteArray("SCED;0;9:00;x;") << E{};
    }
    void schedule()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QList<ScheduleEntry>, entries);
        const Message m = parseMessage(payload);
        QCOMPARE(m.kind, Kind::Schedule);
        QCOMPARE(m.schedule, entries);
    }

    // Reading a field costs that field, not the rest of the payload: a million fields take moments.
    void manyFields()
    {
        constexpr int kFields = 1000000;
        QString payload;
        for (int i = 0; i < kFields; ++i)
            payload += QStringLiteral(" x ;");
        FieldReader f(payload);
        int fields = 0;
        while (!f.atEnd()) {
            QCOMPARE(f.next(), QStringLiteral("x"));
            ++fields;
        }
        QCOMPARE(fields, kFields);
    }

    // A count is believed as far as the fields present reach, so a long real list keeps every row and a
    // huge count costs no more rows than the message carries (or the usual 1000 empty ones).
    void rowsFollowTheFields_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("gridRows");
        QTest::addColumn<QStringList>("lastRow");
        const auto rows = [](int n, const QByteArray& fields) {
            QByteArray out;
            for (int i = 1; i <= n; ++i)
                out += QByteArray::number(i) + fields;
            return out;
        };
        QTest::newRow("start list of 1500")
            << "STRT;T;;1500;" + rows(1500, ";7;Name;LV;") << 1500 << QStringList{"1500", "7", "Name", "LV", ""};
        QTest::newRow("huge count, 2500 results") << "RSLT;T;;2000000000;" + rows(2500, ";Name;LV;10,1;") << 2500
                                                  << QStringList{"2500", "", "Name", "LV", "10,1"};
        QTest::newRow("result row cut short")
            << "RSLT;T;;2000000000;" + rows(1200, ";N;L;1;") + "x;" << 1201 << QStringList{"x", "", "", "", ""};
        QTest::newRow("medals beyond 1000 each")
            << "MEDL;T;;1200;0;1100;" + rows(2300, ";LV;1;") << 2300 << QStringList{"B", "", "2300", "LV", "1"};
        QTest::newRow("empty fields count too")
            << "STRT;T;;2000000000;" + QByteArray(4 * 3000, ';') << 3000 << QStringList{"", "", "", "", ""};
    }
    void rowsFollowTheFields()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, gridRows);
        QFETCH(QStringList, lastRow);
        const Message m = parseMessage(payload);
        QCOMPARE(m.gridRows, gridRows);
        QCOMPARE(m.rows.size(), gridRows);
        QCOMPARE(m.rows.last(), lastRow);
    }

    void pictureAndVideoName()
    {
        QCOMPARE(parseMessage("PICT; C:\\Bilder\\Sieger.bmp ;").fileName, QStringLiteral("C:\\Bilder\\Sieger.bmp"));
        QCOMPARE(parseMessage("video;/tmp/a b.mp4;").kind, Kind::Video);
        QCOMPARE(parseMessage("PICT;").fileName, QString());
    }
};

QTEST_GUILESS_MAIN(TstCosaMessages)
#include "tst_CosaMessages.moc"
