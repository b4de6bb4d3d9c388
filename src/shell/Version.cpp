#include "shell/Version.h"

namespace version {

QString keywordValue(const QString& keywordText, const QString& fallback)
{
    const qsizetype begin = keywordText.indexOf(QLatin1Char(':')) + 1;
    const qsizetype end = keywordText.size() - 2;
    QString value;
    for (qsizetype i = begin; i < end; ++i) {
        if (keywordText.at(i).unicode() > 32)
            value += keywordText.at(i);
    }
    return value.isEmpty() ? fallback : value;
}

QString versionString()
{
    const QString ver = keywordValue(QStringLiteral("$Version: 00.02.06 $"), QStringLiteral("00.00.00"));
    const QString date = keywordValue(QStringLiteral("$VersDate: 2022-JUL-05 $"), QStringLiteral("0000-Jan-00"));
    const QString time = keywordValue(QStringLiteral("$VersTime: 08:42 $"), QStringLiteral("00:00"));
    return ver + QStringLiteral(" (") + date + QStringLiteral("; ") + time + QLatin1Char(')');
}

} // namespace version
