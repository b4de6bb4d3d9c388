#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How the timetable and the start, result and medal lists become fixed-width lines of the text box
// preview. Pure functions; the windows hand in their cells.
namespace listlayout {

// Lines per list laid out into the preview, whatever the wall's row count.
constexpr int kMaxLines = 8;

struct TimetableEntry
{
    QString time; // as the feed delivers it, e.g. "2024-06-01-10:30"
    QString name; // competition
};

// Index of the first entry laid out: the selected one (or 0 when selected is negative), moved back near
// the end of the list so that eight entries still show.
int timetableFirst(int selected, int count);
// Time without its date part, right-aligned in at least five characters, a space, the name padded or cut
// to 24 characters. Not cut to the wall's width.
QString timetableLine(const QString& time, const QString& name);
QStringList timetableLines(const QList<TimetableEntry>& entries, int selected);

// A grid as the list pages hold it: row 0 is the header, data from row 1; columns Pos., Nr., Name, LV,
// Leistung. Rows may be shorter than five cells; missing cells count as empty.
using Grid = QList<QStringList>;
enum Column
{
    Position = 0,
    Number = 1,
    Name = 2,
    Club = 3,
    Result = 4
};

// Length of the longest cell of column over the data rows; 0 when all are empty.
int GridMaxLenPerColumn(const Grid& grid, int column);

struct ListOptions
{
    bool showPosition = true;
    bool showNumber = true;
    bool withResults = false; // start lists have no result column
    int wallColumns = 32;
    int currentRow = 1; // the grid's focused row; rows from here on are laid out when it is 2 or more
};
QStringList listLines(const Grid& grid, const ListOptions& options);

// Whether the workflow entry (-1: none selected) stands for a start list, which is laid out without
// results: none, "COSA Startliste" and "Lynx Startliste".
bool isStartListEntry(int workflowIndex);

} // namespace listlayout
