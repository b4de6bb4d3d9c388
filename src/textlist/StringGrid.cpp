#include "textlist/StringGrid.h"

#include <QHeaderView>

#include <algorithm>

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent)
{
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setRowCount(2);
}

void TStringGrid::setRowCount(int rows)
{
    QTableWidget::setRowCount(std::max(rows, 1) - 1);
}

void TStringGrid::setColCount(int columns)
{
    setColumnCount(std::max(columns, 0));
}

void TStringGrid::setColumns(std::span<const Column> columns)
{
    setColCount(static_cast<int>(columns.size()));
    for (int column = 0; column < columnCount(); ++column) {
        const Column& c = columns[static_cast<std::size_t>(column)];
        setCell(column, 0, QString::fromLatin1(c.header));
        setColumnWidth(column, c.width);
        setColumnHidden(column, c.width == 0);
    }
}

QString TStringGrid::cell(int column, int row) const
{
    if (column < 0 || column >= columnCount())
        return {};
    const QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(column) : item(row - 1, column);
    return it ? it->text() : QString();
}

void TStringGrid::setCell(int column, int row, const QString& text)
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= RowCount())
        return;
    if (row == 0) {
        setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        return;
    }
    writeDataCell(row - 1, column, text);
}

void TStringGrid::writeDataCell(int dataRow, int column, const QString& text)
{
    // An empty cell holds no item (it reads empty), so that a large list once shown costs nothing later.
    if (text.isEmpty())
        delete takeItem(dataRow, column);
    else if (QTableWidgetItem* it = item(dataRow, column))
        it->setText(text); // the same text again changes nothing
    else
        setItem(dataRow, column, new QTableWidgetItem(text));
}

void TStringGrid::clearCells()
{
    // clearContents() resets the model, which forgets the focused cell ("nach Vorschau" starts there) and the
    // selection: both are put back.
    const int row = currentRow();
    const int column = currentColumn();
    const QList<QTableWidgetSelectionRange> selected = selectedRanges();
    clearContents();
    if (row >= 0 && column >= 0)
        setCurrentCell(row, column, QItemSelectionModel::NoUpdate);
    for (const QTableWidgetSelectionRange& range : selected)
        setRangeSelected(range, true);
}

int TStringGrid::Row() const
{
    return currentRow() < 0 ? 1 : currentRow() + 1;
}

listlayout::Grid TStringGrid::cells() const
{
    listlayout::Grid grid;
    for (int row = 0; row < RowCount(); ++row) {
        QStringList line;
        for (int column = 0; column < columnCount(); ++column)
            line << cell(column, row);
        grid << line;
    }
    return grid;
}

void TStringGrid::setCells(const listlayout::Grid& grid)
{
    const QStringList none;
    const QString empty;
    const int dataRows = rowCount();
    const int columns = columnCount();
    for (int row = 0; row < dataRows; ++row) {
        const QStringList& line = row + 1 < grid.size() ? grid.at(row + 1) : none;
        for (int column = 0; column < columns; ++column)
            writeDataCell(row, column, column < line.size() ? line.at(column) : empty);
    }
}
