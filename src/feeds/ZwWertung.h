#pragma once

#include "textlist/ListLayout.h"

#include <QStringList>

// The intermediate standings: FinishLynx results collected into one table ordered by time and ranked.
// The table is a grid as the list layout sees it (row 0 the header, data from row 1) with a sixth column
// that holds each result in milliseconds. Pure functions; the standings window hands in its cells.
namespace zwwertung {

using Grid = listlayout::Grid;

enum Column
{
    Position = listlayout::Position,
    Number = listlayout::Number,
    Name = listlayout::Name,
    Club = listlayout::Club,
    Result = listlayout::Result,
    TimeMs = 5 // hidden: the result in milliseconds
};
constexpr int kColumns = 6;
constexpr int kRows = 500; // header row included
// A row holds a result when its "Leistung" converts to more than this; any other row is free.
constexpr qint64 kResultAboveMs = 1000;
// Places the operator may print below the preview, and the preview lines they go into.
constexpr int kMinPlaces = 1;
constexpr int kMaxPlaces = 20;
constexpr int kPreviewLines = 8;

// An empty grid of kRows rows and kColumns columns (the header row empty too).
Grid emptyGrid();

// Milliseconds of a row's "Leistung" (0 for a missing cell).
qint64 resultMs(const Grid& grid, int row);

// Makes room at row: rows from there move down by one, the last row's content is lost. Only for rows
// above 0 and below the last row.
void insertEmptyLineAt(Grid& grid, int row);
// Rows below row move up by one and the last row becomes empty. Only for data rows.
void removeLineAt(Grid& grid, int row);

// First removes a row that equals the next one in "Nr.", "Name", "LV" and "Leistung" (unless these are
// all blank), then writes the places: "#n." for every row with a result, n the row number of the first
// of a run of rows with equal times, so equal times share a place (1, 2, 2, 4). Rows without a result
// get no place and do not break a run.
void recalculate(Grid& grid);

// Takes every FinishLynx row with a result into the standings above the first row that is free or
// slower, so equal times go below the ones already there, with its time in milliseconds. A row that
// finds no such place is not taken. The standings are not recalculated.
void handOver(Grid& standings, const Grid& lynx);

// The preview's lines with the best places below them: with places P below 8, the preview is filled
// up to 8 lines and its lines 8 - P to 7 are replaced by the first of placeLines (laid out as the
// list layout does). With 8 places or more the preview stays as it is.
QStringList withPlacesBelow(QStringList preview, const QStringList& placeLines, int places);

} // namespace zwwertung
