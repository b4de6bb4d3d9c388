#include "textlist/ListLayout.h"

#include "wall_link/HexBin.h"
#include "wall_link/ZELTools.h"

#include <algorithm>

namespace listlayout {

namespace {

constexpr int kTimeWidth = 5;
constexpr int kNameWidth = 24;

QString cell(const Grid& grid, int row, int column)
{
    if (row < 0 || row >= grid.size() || column < 0 || column >= grid.at(row).size())
        return {};
    return grid.at(row).at(column);
}

} // namespace

int timetableFirst(int selected, int count)
{
    int first = std::max(selected, 0);
    if (first + kMaxLines >= count)
        first = count - kMaxLines;
    return std::max(first, 0);
}

QString timetableLine(const QString& time, const QString& name)
{
    // Everything up to the last '-' is the date.
    QString t = TZELTools::TrimText(time.mid(time.lastIndexOf(QLatin1Char('-')) + 1));
    if (t.size() < kTimeWidth)
        t = THexBin::Pad(t, kTimeWidth, false);
    return t + QLatin1Char(' ') + THexBin::Pad(name, kNameWidth, true);
}

QStringList timetableLines(const QList<TimetableEntry>& entries, int selected)
{
    QStringList lines;
    const int count = static_cast<int>(entries.size());
    const int first = timetableFirst(selected, count);
    for (int i = first; i < std::min(first + kMaxLines, count); ++i)
        lines << timetableLine(entries.at(i).time, entries.at(i).name);
    return lines;
}

int GridMaxLenPerColumn(const Grid& grid, int column)
{
    int longest = 0;
    for (int row = 1; row < grid.size(); ++row)
        longest = std::max(longest, static_cast<int>(cell(grid, row, column).size()));
    return longest;
}

QStringList listLines(const Grid& grid, const ListOptions& options)
{
    const int wPos = options.showPosition ? GridMaxLenPerColumn(grid, Position) : 0;
    const int wNr = options.showNumber ? GridMaxLenPerColumn(grid, Number) : 0;
    const int wName = GridMaxLenPerColumn(grid, Name);
    const int wLV = GridMaxLenPerColumn(grid, Club);
    const int wRes = options.withResults ? GridMaxLenPerColumn(grid, Result) : 0;
    const int wLeft = options.wallColumns - wRes;

    const int rowCount = static_cast<int>(grid.size());
    const int first = options.currentRow >= 2 ? options.currentRow : 1;
    const int last = std::min(first + kMaxLines, rowCount);

    QStringList lines;
    for (int row = first; row < last; ++row) {
        QString line;
        const auto add = [&](int column, int width, bool leftAligned) {
            if (width > 0)
                line += THexBin::Pad(cell(grid, row, column), width, leftAligned) + QLatin1Char(' ');
        };
        add(Position, wPos, true);
        add(Number, wNr, false);
        add(Name, wName, true);
        add(Club, wLV, true);
        line = THexBin::Pad(line, wLeft, true);
        if (wRes > 0) {
            if (!line.isEmpty())
                line[line.size() - 1] = QLatin1Char(' ');
            line += THexBin::Pad(cell(grid, row, Result), wRes, false);
        }
        if (line.size() > options.wallColumns)
            line.truncate(std::max(options.wallColumns, 0));
        lines << line;
    }
    return lines;
}

bool isStartListEntry(int workflowIndex)
{
    return workflowIndex < 0 || workflowIndex == 1 || workflowIndex == 5;
}

} // namespace listlayout
