#include "feeds/ZwWertung.h"

#include "wall_link/ZELTools.h"

namespace zwwertung {

namespace {

QString cell(const Grid& grid, int row, int column)
{
    if (row < 0 || row >= grid.size() || column < 0 || column >= grid.at(row).size())
        return {};
    return grid.at(row).at(column);
}

QStringList emptyRow()
{
    return QStringList(kColumns);
}

// Blank means nothing but spaces and control characters.
bool isBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > u' ')
            return false;
    }
    return true;
}

bool repeatsNext(const Grid& grid, int row)
{
    bool blank = true;
    for (int column = Number; column <= Result; ++column) {
        const QString text = cell(grid, row, column);
        if (text != cell(grid, row + 1, column))
            return false;
        blank = blank && isBlank(text);
    }
    return !blank;
}

} // namespace

Grid emptyGrid()
{
    return Grid(kRows, emptyRow());
}

qint64 resultMs(const Grid& grid, int row)
{
    return TZELTools::TimeToMs(cell(grid, row, Result));
}

void insertEmptyLineAt(Grid& grid, int row)
{
    if (row <= 0 || row >= grid.size() - 1)
        return;
    grid.removeLast();
    grid.insert(row, emptyRow());
}

void removeLineAt(Grid& grid, int row)
{
    if (row <= 0 || row >= grid.size())
        return;
    grid.removeAt(row);
    grid.append(emptyRow());
}

void recalculate(Grid& grid)
{
    int row = 1;
    while (row + 1 < grid.size()) {
        if (repeatsNext(grid, row))
            removeLineAt(grid, row);
        else
            ++row;
    }

    int place = 0;
    qint64 previous = 1;
    for (row = 1; row < grid.size(); ++row) {
        QStringList& line = grid[row];
        if (line.size() < kColumns)
            line.resize(kColumns);
        line[Position].clear();
        const qint64 ms = resultMs(grid, row);
        if (ms <= kResultAboveMs)
            continue;
        if (ms > previous)
            place = row;
        previous = ms;
        line[Position] = QStringLiteral("#%1.").arg(place);
    }
}

void handOver(Grid& standings, const Grid& lynx)
{
    for (int i = 1; i < lynx.size(); ++i) {
        const qint64 ms = resultMs(lynx, i);
        if (ms <= kResultAboveMs)
            continue;
        int r = 1;
        while (r < standings.size()) {
            const qint64 there = resultMs(standings, r);
            if (there < kResultAboveMs || there > ms)
                break;
            ++r;
        }
        if (r >= standings.size())
            continue;
        insertEmptyLineAt(standings, r);
        QStringList& line = standings[r];
        line.resize(kColumns);
        for (int column = Position; column <= Result; ++column)
            line[column] = cell(lynx, i, column);
        line[TimeMs] = QString::number(ms);
    }
}

QStringList withPlacesBelow(QStringList preview, const QStringList& placeLines, int places)
{
    const int first = kPreviewLines - places;
    if (first < 1 || first > kPreviewLines - 1)
        return preview;
    while (preview.size() < kPreviewLines)
        preview.append(QString());
    for (int line = first; line < kPreviewLines; ++line) {
        const int from = line - first;
        preview[line] = from < placeLines.size() ? placeLines.at(from) : QString();
    }
    return preview;
}

} // namespace zwwertung
