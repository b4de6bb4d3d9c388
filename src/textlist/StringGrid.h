#pragma once

#include "textlist/ListLayout.h"

#include <QTableWidget>

#include <span>

// An editable text grid addressed as the feeds and the list layout see it: row 0 is the fixed header
// row (shown as the column headers), data rows from 1; row and column counts include the header row.
class TStringGrid final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStringGrid)
public:
    explicit TStringGrid(QWidget* parent = nullptr);

    struct Column
    {
        const char* header;
        int width; // pixels; 0 hides the column
    };
    // As many columns as given, with these headers and widths; the cells stay.
    void setColumns(std::span<const Column> columns);

    int RowCount() const { return rowCount() + 1; }
    void setRowCount(int rows); // at least the header row stays
    int ColCount() const { return columnCount(); }
    void setColCount(int columns);

    // Empty outside the grid; writing outside the grid changes nothing.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Empties every data cell; the header row, the counts and the focused cell stay.
    void clearCells();

    // The row of the focused cell; the first data row when no cell has the focus.
    int Row() const;

    listlayout::Grid cells() const;
    // Writes the data rows of grid into the data rows; missing cells become empty, what lies outside
    // this grid is left out. The header row stays.
    void setCells(const listlayout::Grid& grid);

private:
    // A cell below the header row (dataRow 0 is grid row 1), inside the grid.
    void writeDataCell(int dataRow, int column, const QString& text);
};
