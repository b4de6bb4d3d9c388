#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The scrambler's secret: a permutation of 0..255 shared with the wall server. A built-in default
// serves the virtual wall; an installation override file carries the real wall server's table.
using PermutationTable = std::array<quint8, 256>;

const PermutationTable& builtInPermutationTable();

bool isPermutation(const PermutationTable& table);

struct TableParseResult
{
    std::optional<PermutationTable> table;
    QString error; // the reason, in German, empty on success
};

// Accepts exactly 256 raw bytes, or text of 512 hexadecimal digits with white space anywhere.
TableParseResult parsePermutationTable(const QByteArray& fileBytes);

struct TableChoice
{
    PermutationTable table = builtInPermutationTable();
    QString source;       // file the table came from, empty for the built-in one
    QStringList messages; // one line per refused file, naming it
};

// Reads one table file; on failure the built-in table stays and the message names the file.
TableChoice loadPermutationTableFile(const QString& path);

// Override lookup for an installed program: "<programName>.table" next to the executable, then in the
// per-user settings folder (beside the settings file). The first file found decides; a refused file
// leaves the built-in table.
QStringList permutationTableCandidates(const QString& programName, const QString& executableDir,
                                       const QString& settingsDir);
TableChoice choosePermutationTable(const QStringList& candidates);

// The per-user settings folder of organisation "ZEL" (where QSettings keeps "<program>.conf").
QString userSettingsDir();
