#include "textlist/ListLayout.h"

#include <QTest>

using listlayout::Grid;
using listlayout::ListOptions;

namespace {

QList<listlayout::TimetableEntry> timetable(int count)
{
    QList<listlayout::TimetableEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.append({QStringLiteral("10:%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("W%1").arg(i)});
    return entries;
}

const Grid kStartList{{"Pos.", "Nr.", "Name", "LV", "Leistung"},
                      {"1", "123", "Anna Beispiel", "ABC", "10,25"},
                      {"2", "7", "Bo", "XY", "9,8"}};

Grid numberedRows(int rows)
{
    Grid grid{{"Pos.", "Nr.", "Name", "LV", "Leistung"}};
    for (int r = 1; r < rows; ++r)
        grid.append({QString::number(r), {}, QStringLiteral("N"), {}, {}});
    return grid;
}

} // namespace

class TstListLayout final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timetableWindow_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("lines");
        QTest::newRow("20, index 14: moved back to 12") << 20 << 14 << 12 << 8;
        QTest::newRow("20, index 2") << 20 << 2 << 2 << 8;
        QTest::newRow("20, none selected") << 20 << -1 << 0 << 8;
        QTest::newRow("20, last") << 20 << 19 << 12 << 8;
        QTest::newRow("9, index 1: first+8 not smaller than count") << 9 << 1 << 1 << 8;
        QTest::newRow("5 entries") << 5 << 3 << 0 << 5;
        QTest::newRow("empty") << 0 << -1 << 0 << 0;
    }
    void timetableWindow()
    {
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(int, first);
        QFETCH(int, lines);
        QCOMPARE(listlayout::timetableFirst(selected, count), first);
        const QStringList out = listlayout::timetableLines(timetable(count), selected);
        QCOMPARE(out.size(), lines);
        if (lines > 0)
            QCOMPARE(out.first(),
                     listlayout::timetableLine(timetable(count).at(first).time, timetable(count).at(first).name));
    }

    void timetableLine_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line");
        QTest::newRow("date cut off") << "2024-06-01-10:30"
                                      << "100m"
                                      << "10:30 100m                    ";
        QTest::newRow("short time right-aligned") << "9:00"
                                                  << "Hoch"
                                                  << " 9:00 Hoch                    ";
        QTest::newRow("leading spaces, trailing tab") << "   9:00\t"
                                                      << "Hoch"
                                                      << " 9:00 Hoch                    ";
        QTest::newRow("long time kept") << "14:30:00"
                                        << "Weit"
                                        << "14:30:00 Weit                    ";
        QTest::newRow("name cut to 24") << "10:00"
                                        << "Speerwurf der Frauen Finale A"
                                        << "10:00 Speerwurf der Frauen Fin";
        QTest::newRow("ten-letter name: 30 characters") << "10:00"
                                                        << "Stabhoch U"
                                                        << "10:00 Stabhoch U              ";
        QTest::newRow("empty time") << ""
                                    << ""
                                    << "                              ";
        QTest::newRow("time ending in dash") << "2024-"
                                             << "X"
                                             << "      X                       ";
    }
    void timetableLine()
    {
        QFETCH(QString, time);
        QFETCH(QString, name);
        QFETCH(QString, line);
        QCOMPARE(listlayout::timetableLine(time, name), line);
    }

    void gridMaxLen_data()
    {
        QTest::addColumn<Grid>("grid");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("width");
        QTest::newRow("header does not count") << kStartList << 4 << 5;
        QTest::newRow("name") << kStartList << 2 << 13;
        QTest::newRow("header only") << Grid{{"Leistung"}} << 0 << 0;
        QTest::newRow("missing column") << kStartList << 7 << 0;
        QTest::newRow("short rows") << Grid{{"a", "b"}, {"x"}, {"x", "yyy"}} << 1 << 3;
        QTest::newRow("empty grid") << Grid{} << 0 << 0;
    }
    void gridMaxLen()
    {
        QFETCH(Grid, grid);
        QFETCH(int, column);
        QFETCH(int, width);
        QCOMPARE(listlayout::GridMaxLenPerColumn(grid, column), width);
    }

    void listLines_data()
    {
        QTest::addColumn<Grid>("grid");
        QTest::addColumn<bool>("position");
        QTest::addColumn<bool>("number");
        QTest::addColumn<bool>("results");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("start list") << kStartList << true << true << false << 32 << 1
                                    << QStringList{"1 123 Anna Beispiel ABC         ",
                                                   "2   7 Bo            XY          "};
        QTest::newRow("result list") << kStartList << true << true << true << 32 << 0
                                     << QStringList{"1 123 Anna Beispiel ABC    10,25",
                                                    "2   7 Bo            XY       9,8"};
        QTest::newRow("without position")
            << kStartList << false << true << false << 32 << 1
            << QStringList{"123 Anna Beispiel ABC           ", "  7 Bo            XY            "};
        QTest::newRow("without number") << kStartList << true << false << false << 20 << 1
                                        << QStringList{"1 Anna Beispiel ABC ", "2 Bo            XY  "};
        QTest::newRow("empty name column disappears") << Grid{{"h"}, {"1", "5", "", "A"}, {"2", "6", "", "B"}} << true
                                                      << true << false << 8 << 1 << QStringList{"1 5 A   ", "2 6 B   "};
        QTest::newRow("cut to the wall's width")
            << kStartList << true << true << false << 10 << 1 << QStringList{"1 123 Anna", "2   7 Bo  "};
        QTest::newRow("result wider than the wall")
            << Grid{{"h"}, {"1", "", "Al", "", "123456"}} << true << false << true << 4 << 1 << QStringList{"1 Al"};
        QTest::newRow("only results") << Grid{{"h"}, {"", "", "", "", "9,1"}} << true << true << true << 5 << 1
                                      << QStringList{"  9,1"};
        QTest::newRow("no data rows") << Grid{{"Pos."}} << true << true << true << 32 << 1 << QStringList{};
        QTest::newRow("current row 5 of 7: two lines")
            << numberedRows(7) << true << false << false << 4 << 5 << QStringList{"5 N ", "6 N "};
        QTest::newRow("at most eight lines")
            << numberedRows(12) << true << false << false << 5 << 2
            << QStringList{"2  N ", "3  N ", "4  N ", "5  N ", "6  N ", "7  N ", "8  N ", "9  N "};
        QTest::newRow("no columns at all") << Grid{{"h"}, {}} << true << true << false << 3 << 1 << QStringList{"   "};
    }
    void listLines()
    {
        QFETCH(Grid, grid);
        QFETCH(bool, position);
        QFETCH(bool, number);
        QFETCH(bool, results);
        QFETCH(int, columns);
        QFETCH(int, currentRow);
        QFETCH(QStringList, lines);
        ListOptions options;
        options.showPosition = position;
        options.showNumber = number;
        options.withResults = results;
        options.wallColumns = columns;
        options.currentRow = currentRow;
        QCOMPARE(listlayout::listLines(grid, options), lines);
    }

    void startListEntries()
    {
        QList<int> startLists;
        for (int i = -1; i <= 8; ++i) {
            if (listlayout::isStartListEntry(i))
                startLists << i;
        }
        QCOMPARE(startLists, (QList<int>{-1, 1, 5}));
    }
};

QTEST_APPLESS_MAIN(TstListLayout)
#include "tst_ListLayout.moc"
