#pragma once

#include "textlist/ListLayout.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TStringGrid;

// A list page of the text list window: the header edit with "nach Vorschau", the "Anzeige mit ..." boxes
// and the grid of Pos., Nr., Name, LV, Leistung that a feed fills and the operator may edit. The window
// has two: the COSA start and result list and the FinishLynx list, which differ only in their names, the
// COSA page's status bar and the FinishLynx page's standings buttons.
class TListPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TListPage)
public:
    struct Names
    {
        QString page;
        QString grid;
        QString header;
        QString headerText; // the header edit's first text
        QString toPreview;
        QString optionsLabel;
        QString showPosition;
        QString showNumber;
        bool statusBar = false;        // LifSBar with two panels
        bool standingsButtons = false; // SBSendToZwWertung, SBShowZwWertung
    };
    // The pages of the window.
    static Names cosaNames();
    static Names lynxNames();

    // Data rows and columns a list can create by growing (showGrowingRows): a FinishLynx list needs its
    // five columns, a few more still show an odd line as it came; more rows no wall list lays out.
    static constexpr int kMaxGrowingRows = 1000;
    static constexpr int kMaxGrowingColumns = 10;

    explicit TListPage(const Names& names, QWidget* parent = nullptr);

    // Five columns with their headers and widths, and one data row.
    void reset();
    // Five columns with their headers and widths; the rows and their cells stay.
    void resetColumns();
    void setHeader(const QString& header);
    // Writes rows (cells in column order) into the data rows from row 1, after emptying every data cell
    // and the status bar. The grid then holds exactly these rows; without rows it keeps its row count.
    void showRows(const QList<QStringList>& rows);
    // The same, but the grid keeps its rows and grows two beyond the last line when they do not fit, and
    // widens to the longest line, both up to the limits above; what lies beyond them is dropped.
    void showGrowingRows(const QList<QStringList>& rows);
    // Whether "nach Vorschau" is the window's default button (Enter).
    void setPreviewDefault(bool isDefault);

Q_SIGNALS:
    // "nach Vorschau": the header text, the grid and the options of the boxes and the focused row.
    void previewRequested(const QString& header, const listlayout::Grid& cells, const listlayout::ListOptions& options);
    // The standings buttons: the grid's results handed over to the standings, the standings asked for.
    void standingsHandOver(const listlayout::Grid& cells);
    void standingsRequested();

private:
    // rows (cells in column order) into the data rows from row 1, every other data cell emptied, and the
    // status bar emptied; the header row and the counts stay.
    void writeRows(const QList<QStringList>& rows);

    TStringGrid* m_grid;
    QLineEdit* m_header;
    QPushButton* m_toPreview;
    QCheckBox* m_showPosition;
    QCheckBox* m_showNumber;
    QList<QLabel*> m_statusPanels;
};
