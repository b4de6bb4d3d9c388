#include "pages/PageFixture.h"
#include "shell/ErrorReport.h"
#include "textlist/StringGrid.h"
#include "textlist/Textbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

QString hexText(const QString& text)
{
    return testsupport::hex(text.toLatin1());
}

// The line body of row n: 10 43 n, then the line.
QString lineBody(int n, const QString& text)
{
    QString body = QStringLiteral("10 43 %1").arg(n, 2, 16, QLatin1Char('0')).toUpper();
    if (!text.isEmpty())
        body += QLatin1Char(' ') + hexText(text);
    return body;
}

} // namespace

class TstTextbox final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fx = std::make_unique<MediaPageFixture>();
        m_w = std::make_unique<TFormTextbox>(m_fx->wall, m_fx->media, m_report);
        m_w->setStopVideo([this] {
            ++m_stops;
            throw std::runtime_error("no preview");
        });
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QCOMPARE(m_fx->sent(), QStringList()); // showing sends nothing
    }
    void cleanup()
    {
        m_w.reset();
        m_fx.reset();
        m_stops = 0;
    }

    void defaults()
    {
        QCOMPARE(m_w->windowTitle(), QStringLiteral("Textliste"));
        QCOMPARE(m_w->minimumSize(), QSize(938, 396));
        QCOMPARE(edit("EdKopfzeile")->text(), QStringLiteral("Leichtathletiksportfest am ") +
                                                  QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(m_w->lines(),
                 (QStringList{{}, {}, {}, "      Herzlich willkommen", "       im Sportzentrum", {}, {}, {}}));
        QVERIFY(child<QRadioButton>(*m_w, "RBPermanentAus")->isChecked());
        QCOMPARE(label("Label1")->text(), QStringLiteral("12345678901234567890123456789012"));
        QCOMPARE(label("Label3")->text(), QStringLiteral("1 2 3 4 5 6 7 8 "));
        QVERIFY(pages()->tabBar()->isHidden());
        QStringList workflow;
        for (int i = 0; i < workflowList()->topLevelItemCount(); ++i)
            workflow << workflowList()->topLevelItem(i)->text(0);
        QCOMPARE(workflow, (QStringList{"COSA Zeitplan", "COSA Startliste", "COSA Ergebnisse", "Bild zeigen",
                                        "Video zeigen", "Lynx Startliste", "Lynx Ergebnisse", "MJPEG LiveCam"}));
        QCOMPARE(listGrid("SGLIF")->cells().first(), (QStringList{"Pos.", "Nr.", "Name", "LV", "Leistung"}));
    }

    void sendDefaults()
    {
        edit("EdKopfzeile")->setText(QStringLiteral("Test"));
        click(*m_w, "SBSend");
        const QStringList sent = m_fx->sent();
        QCOMPARE(sent.size(), 10);
        QCOMPARE(sent.at(0), QStringLiteral("D0 0B"));
        QCOMPARE(sent.at(1), QStringLiteral("C1 40 00 C0 41 00 00 00 FF C0 42 00 C0 C0 C0 C0 43 00 FF FF FF 10 41 ") +
                                 hexText(QStringLiteral("Test")));
        QCOMPARE(sent.at(2), QStringLiteral("10 43 01"));
        QCOMPARE(sent.at(5), lineBody(4, QStringLiteral("      Herzlich willkommen")));
        QCOMPARE(sent.at(9), QStringLiteral("10 43 08"));
    }

    void sendLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("bodies");
        const QString longLine(40, QLatin1Char('x'));
        QTest::newRow("three lines, rest as one space")
            << QStringList{"a", "", "Größe"} << QStringList{"10 43 01 61", "10 43 02",    "10 43 03 47 72 F6 DF 65",
                                                            "10 43 04 20", "10 43 05 20", "10 43 06 20",
                                                            "10 43 07 20", "10 43 08 20"};
        QStringList ten;
        for (int i = 1; i <= 10; ++i)
            ten << QString::number(i);
        QStringList tenBodies;
        for (int i = 1; i <= 8; ++i)
            tenBodies << lineBody(i, QString::number(i));
        QTest::newRow("ten lines: 9 and 10 stay") << ten << tenBodies;
        QTest::newRow("long line not cut")
            << QStringList{longLine} << QStringList{lineBody(1, longLine), "10 43 02 20", "10 43 03 20", "10 43 04 20",
                                                    "10 43 05 20",         "10 43 06 20", "10 43 07 20", "10 43 08 20"};
        QTest::newRow("empty editor") << QStringList{}
                                      << QStringList{"10 43 01 20", "10 43 02 20", "10 43 03 20", "10 43 04 20",
                                                     "10 43 05 20", "10 43 06 20", "10 43 07 20", "10 43 08 20"};
    }
    void sendLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, bodies);
        m_w->setLines(lines);
        QCOMPARE(m_w->lines(), lines);
        click(*m_w, "SBSend");
        QCOMPARE(m_fx->sent().mid(2), bodies);
    }

    void typedTextCountsLikeAMemo()
    {
        editor()->clear();
        QTest::keyClicks(editor(), QStringLiteral("ab"));
        QCOMPARE(m_w->lines(), QStringList{"ab"});
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(m_w->lines(), QStringList{"ab"});
        QTest::keyClicks(editor(), QStringLiteral("c"));
        QCOMPARE(m_w->lines(), (QStringList{"ab", "c"}));
    }

    void rowsAndColumnsFromTheWall()
    {
        m_w->hide();
        m_fx->wall.size = {12, 12};
        m_w->show();
        QCOMPARE(label("Label1")->text(), QStringLiteral("123456789012"));
        QCOMPARE(label("Label3")->text(), QStringLiteral("1 2 3 4 5 6 7 8 9 0 1 2 "));
        click(*m_w, "SBSend");
        const QStringList sent = m_fx->sent();
        QCOMPARE(sent.size(), 14);
        QCOMPARE(sent.last(), QStringLiteral("10 43 0C 20"));

        m_fx->wall.size = {32, 0};
        click(*m_w, "SBSend");
        QCOMPARE(m_fx->sent().size(), 2);
    }

    void headerLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("bodies");
        QTest::newRow("261 characters: 284-byte body goes out") << 261 << 10;
        QTest::newRow("262 characters: second body dropped") << 262 << 9;
    }
    void headerLength()
    {
        QFETCH(int, length);
        QFETCH(int, bodies);
        edit("EdKopfzeile")->setMaxLength(1000);
        edit("EdKopfzeile")->setText(QString(length, QLatin1Char('h')));
        click(*m_w, "SBSend");
        const QStringList sent = m_fx->sent();
        QCOMPARE(sent.size(), bodies);
        QCOMPARE(sent.at(1).startsWith(QStringLiteral("C1 40")), bodies == 10);
    }

    void timeBarModeAndColours_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("mode");
        QTest::newRow("automatisch") << "RBAuto"
                                     << "02";
        QTest::newRow("permanent ein") << "RBPermanentEin"
                                       << "01";
        QTest::newRow("permanent aus") << "RBPermanentAus"
                                       << "00";
    }
    void timeBarModeAndColours()
    {
        QFETCH(QString, radio);
        QFETCH(QString, mode);
        m_w->findChild<QRadioButton*>(radio)->click();
        chooseColour("PnFarbeHeader", QColor(0x12, 0x34, 0x56), true);
        chooseColour("PnTextLinienfarbe", QColor(1, 2, 3), true);
        chooseColour("PnFarbeBox", QColor(9, 9, 9), false); // cancelled: stays white
        QCOMPARE(label("Label2")->palette().color(QPalette::WindowText), QColor(0x12, 0x34, 0x56));
        QCOMPARE(child<QWidget>(*m_w, "PnTextLinie")->palette().color(QPalette::Window), QColor(1, 2, 3));
        QCOMPARE(label("Label3")->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(m_fx->sent(), QStringList()); // choosing sends nothing
        edit("EdKopfzeile")->clear();
        click(*m_w, "SBSend");
        QCOMPARE(m_fx->sent().at(1),
                 QStringLiteral("C1 40 %1 C0 41 00 56 34 12 C0 42 00 03 02 01 C0 43 00 FF FF FF 10 41").arg(mode));
    }

    void eraseSendsBlankOnly()
    {
        click(*m_w, "SBErase");
        QCOMPARE(m_fx->sent(), QStringList{"D0 00"});
        QCOMPARE(m_w->lines().size(), 8);
    }

    void showTab_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("page");
        const QStringList pages{"TSZeitplan", "TSStartlist", "TSStartlist", "TSBild",     "TSVideo",
                                "TSLynx",     "TSLynx",      "TSZeitplan",  "TSZeitplan", "TSZeitplan"};
        const QList<int> indexes{0, 1, 2, 3, 4, 5, 6, 7, 9, -1};
        for (int i = 0; i < indexes.size(); ++i)
            QTest::addRow("%d", indexes.at(i)) << indexes.at(i) << pages.at(i);
    }
    void showTab()
    {
        QFETCH(int, index);
        QFETCH(QString, page);
        const int stops = m_stops;
        m_w->ShowTab(index);
        QCOMPARE(pages()->currentWidget()->objectName(), page);
        QCOMPARE(m_stops, stops + 1); // the preview is stopped; its error is swallowed
        const auto* toPreview = pages()->currentWidget()->findChild<QPushButton*>();
        QCOMPARE(toPreview != nullptr && toPreview->isDefault(),
                 page != QStringLiteral("TSBild") && page != QStringLiteral("TSVideo"));
    }

    void workflowTree()
    {
        QTreeWidget* tree = workflowList();
        const auto clickEntry = [tree](int index) {
            const QRect r = tree->visualItemRect(tree->topLevelItem(index));
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        };
        clickEntry(5);
        QCOMPARE(pages()->currentWidget()->objectName(), QStringLiteral("TSLynx"));
        QCOMPARE(m_w->workflowIndex(), 5);
        QCOMPARE(m_fx->sent(), QStringList());
        clickEntry(7);
        QCOMPARE(pages()->currentWidget()->objectName(), QStringLiteral("TSZeitplan"));
        QCOMPARE(m_fx->sent(), (QStringList{"D0 F6", "D0 0D"}));
    }

    void editorKeys()
    {
        QApplication::clipboard()->setText(QStringLiteral("keep"));
        m_w->setLines({QStringLiteral("abc")});
        editor()->setFocus();
        QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier); // nothing selected
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("keep"));
        QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(editor()->textCursor().selectedText(), QStringLiteral("abc\u2029"));
        QCOMPARE(m_w->lines(), QStringList{"abc"});
        QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("abc\n"));
        editor()->moveCursor(QTextCursor::Start);
        QApplication::clipboard()->setText(QStringLiteral(">"));
        QTest::keyClick(editor(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(m_w->lines(), QStringList{">abc"});
    }

    void timetableToPreview_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("lines");
        QTest::newRow("index 14 of 20") << 20 << 14 << 12 << 8;
        QTest::newRow("none selected") << 20 << -1 << 0 << 8;
        QTest::newRow("five entries") << 5 << -1 << 0 << 5;
        QTest::newRow("empty") << 0 << -1 << 0 << 0;
    }
    void timetableToPreview()
    {
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(int, first);
        QFETCH(int, lines);
        for (int i = 0; i < count; ++i)
            m_w->addTimetableEntry(QStringLiteral("2024-06-01-%1:00").arg(i), QStringLiteral("Lauf"));
        if (count > 0)
            QCOMPARE(timetable()->topLevelItem(count - 1)->text(0), QString::number(count));
        if (selected >= 0)
            timetable()->topLevelItem(selected)->setSelected(true);
        edit("EdZPKopf")->setText(QStringLiteral("Plan"));
        click(*m_w, "BitBtn1");
        QCOMPARE(edit("EdKopfzeile")->text(), QStringLiteral("Plan"));
        const QStringList out = m_w->lines();
        QCOMPARE(out.size(), lines);
        if (lines > 0)
            QCOMPARE(out.first(), QStringLiteral("%1:00 Lauf").arg(first, 2) + QString(20, QLatin1Char(' ')));
    }

    void listToPreview_data()
    {
        QTest::addColumn<int>("workflow");
        QTest::addColumn<bool>("lynx");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("COSA start list") << 1 << false
                                         << QStringList{"1 123 Anna Beispiel ABC         ",
                                                        "2   7 Bo            XY          "};
        QTest::newRow("COSA results") << 2 << false
                                      << QStringList{"1 123 Anna Beispiel ABC    10,25",
                                                     "2   7 Bo            XY       9,8"};
        QTest::newRow("Lynx start list") << 5 << true
                                         << QStringList{"1 123 Anna Beispiel ABC         ",
                                                        "2   7 Bo            XY          "};
        QTest::newRow("Lynx results") << 6 << true
                                      << QStringList{"1 123 Anna Beispiel ABC    10,25",
                                                     "2   7 Bo            XY       9,8"};
    }
    void listToPreview()
    {
        QFETCH(int, workflow);
        QFETCH(bool, lynx);
        QFETCH(QStringList, lines);
        TStringGrid* grid = listGrid(lynx ? "SGLynx" : "SGLIF");
        grid->setRowCount(3);
        const QList<QStringList> rows{{"1", "123", "Anna Beispiel", "ABC", "10,25"}, {"2", "7", "Bo", "XY", "9,8"}};
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < 5; ++c)
                grid->setCell(c, r + 1, rows.at(r).at(c));
        }
        workflowList()->setCurrentItem(workflowList()->topLevelItem(workflow));
        edit(lynx ? "EdLynxHeader" : "EdPnHeader")->setText(QStringLiteral("Kopf"));
        click(*m_w, lynx ? "BBLynxStartResultsList" : "BBShowStartResultsList");
        QCOMPARE(edit("EdKopfzeile")->text(), QStringLiteral("Kopf"));
        QCOMPARE(m_w->lines(), lines);
        QCOMPARE(editor()->textCursor().position(), 0);

        // Unchecking "Pos." drops the column and its space. Showing again resets the COSA grid to one data
        // row; the FinishLynx grid keeps its rows, which may have arrived while the window was hidden.
        child<QCheckBox>(*m_w, lynx ? "CBShowPositionLynx" : "CBShowPosition")->setChecked(false);
        click(*m_w, lynx ? "BBLynxStartResultsList" : "BBShowStartResultsList");
        QVERIFY(m_w->lines().first().startsWith(QStringLiteral("123 Anna")));
        grid->setColCount(7);
        grid->setCell(4, 0, QStringLiteral("x"));
        m_w->hide();
        m_w->show();
        QCOMPARE(grid->RowCount(), lynx ? 3 : 2);
        QCOMPARE(grid->cell(2, 1), QStringLiteral("Anna Beispiel"));
        QCOMPARE(grid->cell(2, 2), lynx ? QStringLiteral("Bo") : QString());
        QCOMPARE(grid->cells().first(), (QStringList{"Pos.", "Nr.", "Name", "LV", "Leistung"}));
    }

    void clearGrid()
    {
        listGrid("SGLIF")->setRowCount(4);
        listGrid("SGLIF")->setCell(2, 3, QStringLiteral("x"));
        label("LifSBarPanel1")->setText(QStringLiteral("y"));
        m_w->showList(QStringLiteral("Medaillen"), {}); // a list without rows empties the grid
        QCOMPARE(listGrid("SGLIF")->RowCount(), 4);
        QCOMPARE(listGrid("SGLIF")->cell(2, 3), QString());
        QCOMPARE(listGrid("SGLIF")->cell(2, 0), QStringLiteral("Name"));
        QCOMPARE(label("LifSBarPanel1")->text(), QString());
        QCOMPARE(edit("EdPnHeader")->text(), QStringLiteral("Medaillen"));
    }

    // Documentation picture: written only when BRISAL_SCREENSHOT_DIR names a folder.
    void screenshot()
    {
        const QString dir = qEnvironmentVariable("BRISAL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("BRISAL_SCREENSHOT_DIR not set");
        listGrid("SGLIF")->setRowCount(4);
        const QList<QStringList> rows{{"1", "123", "Anna Beispiel", "ABC", "10,25"},
                                      {"2", "7", "Bo Berg", "XY", "9,8"},
                                      {"3", "45", "Clara Muster", "LVN", "9,71"}};
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < 5; ++c)
                listGrid("SGLIF")->setCell(c, r + 1, rows.at(r).at(c));
        }
        edit("EdPnHeader")->setText(QStringLiteral("100 m Frauen Finale"));
        workflowList()->setCurrentItem(workflowList()->topLevelItem(2));
        click(*m_w, "BBShowStartResultsList");
        QVERIFY(m_w->grab().save(dir + QStringLiteral("/page-textbox.png")));
        // What the wall cuts, greyed as the operator types: beyond 32 columns and beyond 8 rows.
        edit("EdKopfzeile")->setText(QStringLiteral("Internationales Leichtathletiksportfest"));
        m_w->setLines({{},
                       QStringLiteral("  Nächster Start: 100 m Hürden der Frauen"),
                       {},
                       {},
                       {},
                       {},
                       {},
                       QStringLiteral("  Siegerehrung 15:30"),
                       QStringLiteral("  Danke für Ihren Besuch")});
        QVERIFY(m_w->grab().save(dir + QStringLiteral("/page-textbox-cut.png")));
    }

private:
    QLineEdit* edit(const char* name) { return child<QLineEdit>(*m_w, name); }
    QLabel* label(const char* name) { return child<QLabel>(*m_w, name); }
    TStringGrid* listGrid(const char* name) { return child<TStringGrid>(*m_w, name); }
    QPlainTextEdit* editor() { return child<QPlainTextEdit>(*m_w, "MTextbox"); }
    QTabWidget* pages() { return child<QTabWidget>(*m_w, "PCMain"); }
    QTreeWidget* workflowList() { return child<QTreeWidget>(*m_w, "TVWorkflow"); }
    QTreeWidget* timetable() { return child<QTreeWidget>(*m_w, "LVZeitplan"); }

    void chooseColour(const char* swatch, const QColor& colour, bool accept)
    {
        QTimer::singleShot(0, m_w.get(), [this, colour, accept] {
            child<QColorDialog>(*m_w, "ColorDialog")->setCurrentColor(colour);
            accept ? child<QColorDialog>(*m_w, "ColorDialog")->accept()
                   : child<QColorDialog>(*m_w, "ColorDialog")->reject();
        });
        click(*m_w, swatch);
    }

    std::unique_ptr<MediaPageFixture> m_fx;
    RecordingReport m_report;
    std::unique_ptr<TFormTextbox> m_w;
    int m_stops = 0;
};

QTEST_MAIN(TstTextbox)
#include "tst_Textbox.moc"
