#include "feeds/ZwWertung.h"

#include <QTest>

using zwwertung::Grid;

namespace {

// A grid of an empty header row and the given rows, each written as its cells joined by '|'
// (Pos.|Nr.|Name|LV|Leistung|Zeit ms; missing cells are empty).
Grid grid(const QStringList& rows)
{
    Grid g{QStringList(zwwertung::kColumns)};
    for (const QString& row : rows) {
        QStringList cells = row.split(QLatin1Char('|'));
        cells.resize(zwwertung::kColumns);
        g.append(cells);
    }
    return g;
}

QStringList rows(const Grid& g)
{
    QStringList out;
    for (int r = 1; r < g.size(); ++r)
        out << g.at(r).join(QLatin1Char('|'));
    return out;
}

} // namespace

class TstZwWertung final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recalculate_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("ties share a place: 1, 2, 2, 4")
            << QStringList{"|1|A|||", "|2|B||1:02,5|", "|3|C||1:02,5|", "|4|D||1:03,0|"}
            << QStringList{"|1|A|||", "#2.|2|B||1:02,5|", "#2.|3|C||1:02,5|", "#4.|4|D||1:03,0|"};
        QTest::newRow("ties after a first place")
            << QStringList{"x|1|A||1:01,0|", "|2|B||1:02,5|", "|2|C||1:02,5|", "|4|D||1:03,0|"}
            << QStringList{"#1.|1|A||1:01,0|", "#2.|2|B||1:02,5|", "#2.|2|C||1:02,5|", "#4.|4|D||1:03,0|"};
        QTest::newRow("neighbouring repeat removed, places without gap")
            << QStringList{"#1.|7|A|X|10,5|10500", "#9.|7|A|X|10,5|99", "|8|B|Y|11,0|", "|8|B|Y|11,0|", "|9|C||12,0|"}
            << QStringList{"#1.|7|A|X|10,5|99", "#2.|8|B|Y|11,0|", "#3.|9|C||12,0|", "|||||", "|||||"};
        QTest::newRow("three in a row shrink to one")
            << QStringList{"|1|A||9,9|", "|1|A||9,9|", "|1|A||9,9|"} << QStringList{"#1.|1|A||9,9|", "|||||", "|||||"};
        QTest::newRow("blank rows kept, only neighbours compared")
            << QStringList{"|||||", "|||||", "| \t||||", "| \t||||", "|1|A||5,0|", "|2|B||6,0|", "|1|A||5,0|"}
            << QStringList{"|||||", "|||||", "| \t||||", "| \t||||", "#5.|1|A||5,0|", "#6.|2|B||6,0|", "#6.|1|A||5,0|"};
        QTest::newRow("at and around 1000 ms")
            << QStringList{"|1|||1,0|", "|2|||0,999|", "|3|||1,001|", "|4|||1000|", "|5|||1001|"}
            << QStringList{"|1|||1,0|", "|2|||0,999|", "#3.|3|||1,001|", "|4|||1000|", "#3.|5|||1001|"};
        QTest::newRow("900 ms between results")
            << QStringList{"|1|||2,0|", "|2|||0,9|", "|3|||3,0|", "|4|||2,5|"}
            << QStringList{"#1.|1|||2,0|", "|2|||0,9|", "#3.|3|||3,0|", "#3.|4|||2,5|"};
    }
    void recalculate()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        Grid g = grid(before);
        zwwertung::recalculate(g);
        QCOMPARE(rows(g), after);
    }

    void handOver_data()
    {
        QTest::addColumn<QStringList>("standings");
        QTest::addColumn<QStringList>("lynx");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("between faster and slower, short result skipped")
            << QStringList{"|1|A||1:01,0|61000", "|3|C||1:03,0|63000", "|||||", "|||||"}
            << QStringList{"5|2|B|LV|1:02,5", "6|9|Z||0,9", "|||"}
            << QStringList{"|1|A||1:01,0|61000", "5|2|B|LV|1:02,5|62500", "|3|C||1:03,0|63000", "|||||"};
        QTest::newRow("equal time goes below, first free row taken")
            << QStringList{"|1|A||10,0|", "||||0,5|", "|||||"} << QStringList{"|2|B||10,0", "|3|C||9,0"}
            << QStringList{"|3|C||9,0|9000", "|1|A||10,0|", "|2|B||10,0|10000"};
        QTest::newRow("1000 ms is no free row")
            << QStringList{"|1|A||1,0|", "|||||", "|||||"} << QStringList{"|2|B||2,0"}
            << QStringList{"|1|A||1,0|", "|2|B||2,0|2000", "|||||"};
        QTest::newRow("no free row, only faster times: not taken")
            << QStringList{"|1|A||5,0|", "|2|B||6,0|"} << QStringList{"|3|C||7,0"}
            << QStringList{"|1|A||5,0|", "|2|B||6,0|"};
        QTest::newRow("place in the last row: written over it")
            << QStringList{"|1|A||5,0|", "|2|B||8,0|"} << QStringList{"|3|C||7,0"}
            << QStringList{"|1|A||5,0|", "|3|C||7,0|7000"};
        QTest::newRow("short lynx row") << QStringList{"|||||"} << QStringList{"1|2"} << QStringList{"|||||"};
    }
    void handOver()
    {
        QFETCH(QStringList, standings);
        QFETCH(QStringList, lynx);
        QFETCH(QStringList, after);
        Grid g = grid(standings);
        Grid l{{"Pos.", "Nr.", "Name", "LV", "Leistung"}};
        for (const QString& row : lynx)
            l.append(row.split(QLatin1Char('|')));
        zwwertung::handOver(g, l);
        QCOMPARE(rows(g), after);
    }

    void insertAndRemove_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("insert at 1") << true << 1 << QStringList{"|||||", "1", "2"};
        QTest::newRow("insert at 2") << true << 2 << QStringList{"1", "|||||", "2"};
        QTest::newRow("insert at the last row") << true << 3 << QStringList{"1", "2", "3"};
        QTest::newRow("insert at 0") << true << 0 << QStringList{"1", "2", "3"};
        QTest::newRow("remove 1") << false << 1 << QStringList{"2", "3", "|||||"};
        QTest::newRow("remove the last row") << false << 3 << QStringList{"1", "2", "|||||"};
        QTest::newRow("remove 0") << false << 0 << QStringList{"1", "2", "3"};
        QTest::newRow("remove below the grid") << false << 4 << QStringList{"1", "2", "3"};
    }
    void insertAndRemove()
    {
        QFETCH(bool, insert);
        QFETCH(int, row);
        QFETCH(QStringList, after);
        Grid g{{"h"}, {"1"}, {"2"}, {"3"}};
        insert ? zwwertung::insertEmptyLineAt(g, row) : zwwertung::removeLineAt(g, row);
        QCOMPARE(g.first(), QStringList{"h"});
        QCOMPARE(rows(g), after);
    }

    void placesBelow_data()
    {
        QTest::addColumn<QStringList>("preview");
        QTest::addColumn<int>("places");
        QTest::addColumn<QStringList>("after");
        const QStringList eight{"0", "1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("3 places") << eight << 3 << QStringList{"0", "1", "2", "3", "4", "A", "B", "C"};
        QTest::newRow("1 place") << eight << 1 << QStringList{"0", "1", "2", "3", "4", "5", "6", "A"};
        QTest::newRow("7 places, fewer rows") << eight << 7 << QStringList{"0", "A", "B", "C", "D", "", "", ""};
        QTest::newRow("8 places: unchanged") << eight << 8 << eight;
        QTest::newRow("20 places: unchanged") << QStringList{"x"} << 20 << QStringList{"x"};
        QTest::newRow("2 lines grow to 8")
            << QStringList{"0", "1"} << 3 << QStringList{"0", "1", "", "", "", "A", "B", "C"};
        QTest::newRow("lines beyond 8 stay")
            << eight + QStringList{"8"} << 2 << QStringList{"0", "1", "2", "3", "4", "5", "A", "B", "8"};
    }
    void placesBelow()
    {
        QFETCH(QStringList, preview);
        QFETCH(int, places);
        QFETCH(QStringList, after);
        QCOMPARE(zwwertung::withPlacesBelow(preview, {"A", "B", "C", "D"}, places), after);
    }
};

QTEST_MAIN(TstZwWertung)
#include "tst_ZwWertung.moc"
