#include "media/OpenDialog.h"

#include <QFileDialog>
#include <QStringList>

bool TOpenDialog::Execute(QWidget* parent)
{
    const QString chosen =
        chooser ? chooser(*this) : QFileDialog::getOpenFileName(parent, Title, FileName, qtFilter(Filter));
    FileName = chosen;
    return !chosen.isEmpty();
}

QString TOpenDialog::qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}
