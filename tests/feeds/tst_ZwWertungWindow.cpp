#include "feeds/ZwWertungWindow.h"
#include "pages/PageFixture.h"
#include "shell/ErrorReport.h"
#include "textlist/StringGrid.h"
#include "textlist/Textbox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

// Standings rows as Pos.|Nr.|Name|LV|Leistung|Zeit ms.
QStringList rows(const TStringGrid& grid, int count)
{
    QStringList out;
    for (int r = 1; r <= count; ++r) {
        QStringList cells;
        for (int c = 0; c < 6; ++c)
            cells << grid.cell(c, r);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

QList<QStringList> lynxRows(const QStringList& lines)
{
    QList<QStringList> out;
    for (const QString& line : lines)
        out << line.split(QLatin1Char('|'));
    return out;
}

QString wallLine(const QString& text)
{
    return text.leftJustified(32);
}

} // namespace

// The standings window beside the text list window whose FinishLynx page hands results over and whose
// preview receives the standings.
class TstZwWertungWindow final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fx = std::make_unique<MediaPageFixture>();
        m_textbox = std::make_unique<TFormTextbox>(m_fx->wall, m_fx->media, m_report);
        m_w = new TFormWertung(*m_textbox);
        m_textbox->show();
        m_textbox->ShowTab(TFormTextbox::LynxErgebnisse);
        QVERIFY(QTest::qWaitForWindowExposed(m_textbox.get()));
    }
    void cleanup()
    {
        m_textbox.reset();
        m_fx.reset();
    }

    void handOver_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("standings");
        QTest::newRow("second heat merged by time, short result skipped")
            << QStringList{"1|3|Cleo|C|1:03,0", "2|1|Anna|A|1:01,0"}
            << QStringList{"1|2|Bert|B|1:02,5", "2|9|Zoe|Z|0,9", "3|4|Dora|D|1:03,0"}
            << QStringList{"#1.|1|Anna|A|1:01,0|61000", "#2.|2|Bert|B|1:02,5|62500", "#3.|3|Cleo|C|1:03,0|63000",
                           "#3.|4|Dora|D|1:03,0|63000", "|||||"};
        QTest::newRow("the same heat twice: taken once")
            << QStringList{"1|1|Anna|A|10,5", "2|2|Bert|B|11,0"} << QStringList{"1|1|Anna|A|10,5", "2|2|Bert|B|11,0"}
            << QStringList{"#1.|1|Anna|A|10,5|10500", "#2.|2|Bert|B|11,0|11000", "|||||"};
    }
    void handOver()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, standings);
        QVERIFY(!m_w->isVisible());
        for (const QStringList& list : {first, second}) {
            m_textbox->showLynxRows(lynxRows(list));
            click(*m_textbox, "SBSendToZwWertung");
        }
        QVERIFY(m_w->isVisible());
        QVERIFY(!m_w->isModal());
        QCOMPARE(grid()->RowCount(), 500);
        QVERIFY(grid()->isColumnHidden(5));
        QCOMPARE(rows(*grid(), static_cast<int>(standings.size())), standings);

        // Edits count when the standings are shown again; "Liste löschen" empties them.
        grid()->setCell(4, 1, QStringLiteral("0,5"));
        m_w->hide();
        click(*m_textbox, "SBShowZwWertung");
        QVERIFY(m_w->isVisible());
        QCOMPARE(grid()->cell(0, 1), QString());
        QCOMPARE(grid()->cell(0, 2), QStringLiteral("#2."));
        click(*m_w, "SBClearList");
        QCOMPARE(rows(*grid(), 2), (QStringList{"|||||", "|||||"}));
        QCOMPARE(grid()->RowCount(), 500);
        QCOMPARE(grid()->cell(4, 0), QStringLiteral("Leistung"));
    }

    void toPreview()
    {
        handOverThree();
        click(*m_w, "BBLynxStartResultsList");
        QCOMPARE(child<QLineEdit>(*m_textbox, "EdKopfzeile")->text(), QStringLiteral("Zwischenstand"));
        QCOMPARE(m_textbox->lines().mid(0, 4),
                 (QStringList{wallLine("#1. Anna A"), wallLine("#2. Bert B"), wallLine("#2. Cleo C"), wallLine({})}));
        QCOMPARE(m_textbox->lines().size(), 8);
    }

    void printPlaces_data()
    {
        QTest::addColumn<int>("places");
        QTest::addColumn<int>("shown"); // what the up-down control holds
        QTest::addColumn<QStringList>("preview");
        const QStringList before{"L0", "L1", "L2", "L3", "L4", "L5", "L6", "L7"};
        QTest::newRow("1") << 1 << 1 << QStringList{"L0", "L1", "L2", "L3", "L4", "L5", "L6", wallLine("#1. Anna A")};
        QTest::newRow("3") << 3 << 3 << QStringList{"L0",
                                                    "L1",
                                                    "L2",
                                                    "L3",
                                                    "L4",
                                                    wallLine("#1. Anna A"),
                                                    wallLine("#2. Bert B"),
                                                    wallLine("#2. Cleo C")};
        QTest::newRow("7") << 7 << 7
                           << QStringList{
                                  "L0",         wallLine("#1. Anna A"), wallLine("#2. Bert B"), wallLine("#2. Cleo C"),
                                  wallLine({}), wallLine({}),           wallLine({}),           wallLine({})};
        QTest::newRow("0 is 1") << 0 << 1
                                << QStringList{"L0", "L1", "L2", "L3", "L4", "L5", "L6", wallLine("#1. Anna A")};
        QTest::newRow("8: unchanged") << 8 << 8 << before;
        QTest::newRow("25 is 20: unchanged") << 25 << 20 << before;
    }
    void printPlaces()
    {
        QFETCH(int, places);
        QFETCH(int, shown);
        QFETCH(QStringList, preview);
        handOverThree();
        auto* header = child<QLineEdit>(*m_textbox, "EdKopfzeile");
        header->setText(QStringLiteral("Kopf"));
        m_textbox->setLines({"L0", "L1", "L2", "L3", "L4", "L5", "L6", "L7"});
        child<QPlainTextEdit>(*m_textbox, "MTextbox")->moveCursor(QTextCursor::End);
        child<QSpinBox>(*m_w, "UDMWWertungBisPlatz")->setValue(places);
        QCOMPARE(child<QLineEdit>(*m_w, "EdMWWertungBisPlatz")->text(), QString::number(shown));
        click(*m_w, "SBPrintMWList");
        QCOMPARE(m_textbox->lines(), preview);
        QCOMPARE(header->text(), QStringLiteral("Kopf"));
        QCOMPARE(child<QPlainTextEdit>(*m_textbox, "MTextbox")->textCursor().position(), 0);
    }

    void printGrowsAShortPreview()
    {
        handOverThree();
        m_textbox->setLines({"a", "b"});
        click(*m_w, "SBPrintMWList");
        QCOMPARE(m_textbox->lines(),
                 (QStringList{
                     "a", "b", {}, {}, {}, wallLine("#1. Anna A"), wallLine("#2. Bert B"), wallLine("#2. Cleo C")}));
    }

    // Documentation picture: written only when BRISAL_SCREENSHOT_DIR names a folder.
    void screenshot()
    {
        const QString dir = qEnvironmentVariable("BRISAL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("BRISAL_SCREENSHOT_DIR not set");
        m_textbox->showLynxRows(
            lynxRows({"1|12|Anna Beispiel|ABC|12,31", "2|7|Bo Berg|XY|12,05", "3|45|Clara Muster|LVN|12,40",
                      "4|3|Dora Lang|SÜD|12,05", "5|21|Eva Schön|NRW|12,88"}));
        click(*m_textbox, "SBSendToZwWertung");
        QVERIFY(QTest::qWaitForWindowExposed(m_w));
        QVERIFY(m_w->grab().save(dir + QStringLiteral("/page-wertung.png")));
    }

private:
    TStringGrid* grid() { return child<TStringGrid>(*m_w, "SGLynx"); }
    void handOverThree()
    {
        m_textbox->showLynxRows(lynxRows({"1|1|Anna|A|10,5", "2|2|Bert|B|11,0", "3|3|Cleo|C|11,0"}));
        click(*m_textbox, "SBSendToZwWertung");
        QVERIFY(m_w->isVisible());
    }

    std::unique_ptr<MediaPageFixture> m_fx;
    RecordingReport m_report;
    std::unique_ptr<TFormTextbox> m_textbox;
    TFormWertung* m_w = nullptr; // owned by the text list window
};

QTEST_MAIN(TstZwWertungWindow)
#include "tst_ZwWertungWindow.moc"
