#include "ToolTable.h"

#include <QCoreApplication>
#include <QDir>

TableChoice chooseToolTable(const QString& programName, const QString& tableOption)
{
    if (!tableOption.isEmpty())
        return loadPermutationTableFile(tableOption);
    QStringList candidates =
        permutationTableCandidates(programName, QCoreApplication::applicationDirPath(), userSettingsDir());
    candidates << QDir(userSettingsDir()).filePath(QStringLiteral("BrisalClient.table"));
    return choosePermutationTable(candidates);
}
