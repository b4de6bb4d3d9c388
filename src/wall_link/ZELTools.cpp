#include "wall_link/ZELTools.h"

#include "wall_link/IcmpEcho.h"
#include "wall_link/TextTools.h"

#include <QDir>

#include <limits>

bool TZELTools::PingHost(const QString& host) const
{
    return m_icmp.echo(host, kPingPayload, kPingTimeoutMs);
}

QString TZELTools::TempFolder()
{
    QString path = QDir::tempPath();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString TZELTools::TrimText(const QString& text)
{
    return texttools::trimmed(
        text, [](QChar c) { return c == QLatin1Char(' '); }, texttools::isSpaceOrTab);
}

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

qint64 saturatingAdd(qint64 a, qint64 b)
{
    return a > kMax - b ? kMax : a + b;
}

qint64 saturatingMul(qint64 a, qint64 factor)
{
    return a > kMax / factor ? kMax : a * factor;
}

// Decimal digits only; saturates.
qint64 digitsValue(const QString& digits)
{
    qint64 value = 0;
    for (QChar c : digits)
        value = saturatingAdd(saturatingMul(value, 10), c.unicode() - u'0');
    return value;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

qint64 TZELTools::TimeToMs(const QString& text)
{
    if (text.isEmpty())
        return 0;
    QString s;
    for (QChar c : text) {
        if (c == QLatin1Char('.'))
            c = QLatin1Char(',');
        if (isDigit(c) || c == QLatin1Char(':') || c == QLatin1Char(','))
            s += c;
    }
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    if (comma < 0 && !s.contains(QLatin1Char(':')))
        return digitsValue(s);
    if (comma < 0)
        s += QStringLiteral(",000");
    const qsizetype firstComma = s.indexOf(QLatin1Char(','));
    while (s.size() - firstComma - 1 < 3)
        s += QLatin1Char('0');

    qint64 total = 0;
    QString collected;
    for (QChar c : s) {
        if (isDigit(c)) {
            collected += c;
            continue;
        }
        if (collected.isEmpty())
            continue;
        total = saturatingAdd(total, digitsValue(collected));
        total = saturatingMul(total, c == QLatin1Char(':') ? 60 : 1000);
        collected.clear();
    }
    return saturatingAdd(total, digitsValue(collected));
}

bool TZELTools::IsIpAddress(const QString& text)
{
    int groups[4] = {0, 0, 0, 0};
    int dots = 0;
    int digitsInGroup = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('.')) {
            if (++dots > 3)
                return false;
            digitsInGroup = 0;
        } else if (isDigit(c)) {
            if (++digitsInGroup > 3)
                return false;
            groups[dots] = groups[dots] * 10 + (c.unicode() - u'0');
        } else {
            return false;
        }
    }
    if (dots != 3 || digitsInGroup == 0)
        return false;
    for (int g : groups) {
        if (g > 255)
            return false;
    }
    return true;
}
