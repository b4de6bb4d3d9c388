#include "wall_view/WallModel.h"

#include "wall_link/Cp1252.h"
#include "wall_link/WallCommands.h"

namespace {

QString hexByte(quint8 b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

QString quoted(const QString& text)
{
    constexpr qsizetype kShown = 40;
    return QLatin1Char('"') + (text.size() > kShown ? text.left(kShown) + QStringLiteral("...") : text) +
           QLatin1Char('"');
}

} // namespace

QString WallModel::pageName(quint8 code)
{
    using namespace wallcmd::page;
    switch (code) {
    case Blank:
        return QStringLiteral("blank");
    case Time:
        return QStringLiteral("time display");
    case Soccer:
        return QStringLiteral("soccer");
    case Football:
        return QStringLiteral("football");
    case Picture:
        return QStringLiteral("picture");
    case Video:
        return QStringLiteral("video");
    case LiveVideo:
        return QStringLiteral("live video");
    case GameAndSet:
        return QStringLiteral("games and sets");
    case AnalogClock:
        return QStringLiteral("analog clock");
    case TextList:
        return QStringLiteral("text list");
    case Camera:
        return QStringLiteral("camera");
    case MediaStop:
        return QStringLiteral("media stop");
    default:
        return QStringLiteral("unknown page");
    }
}

bool WallModel::runningTimeReceived(qint64 nowMs) const
{
    return m_hasRunningTime && nowMs >= m_lastRunningTimeAt && nowMs - m_lastRunningTimeAt <= kRunningTimeHoldMs;
}

bool WallModel::showsSame(const WallModel& other) const
{
    return m_page == other.m_page && m_fields == other.m_fields && m_lines == other.m_lines &&
           m_timeBarMode == other.m_timeBarMode && m_startupLarge == other.m_startupLarge &&
           m_startupSmall == other.m_startupSmall && m_mediaStopped == other.m_mediaStopped;
}

void WallModel::note(const QString& description)
{
    m_recent << description;
    while (m_recent.size() > kRecentRecords)
        m_recent.removeFirst();
}

WallModel::Effects WallModel::apply(const QByteArray& body, qint64 nowMs)
{
    Effects effects;
    if (body.isEmpty())
        return effects;
    ++m_bodies;
    using Kind = wallcmd::Record::Kind;
    for (const wallcmd::Record& r : wallcmd::splitRecords(body)) {
        switch (r.kind) {
        case Kind::PageSelect:
            if (r.id == wallcmd::page::MediaStop) {
                m_mediaStopped = true;
                m_mediaStoppedAt = nowMs;
            } else {
                m_page = r.id;
                m_mediaStopped = false;
            }
            note(QStringLiteral("D0 %1 %2").arg(hexByte(r.id), pageName(r.id)));
            break;
        case Kind::Colour:
            m_fields[r.id].colour = r.colour;
            note(QStringLiteral("C0 %1 %2").arg(hexByte(r.id)).arg(r.colour, 8, 16, QLatin1Char('0')).toUpper());
            break;
        case Kind::Option:
            if (r.id == wallcmd::kOptionTimeBar)
                m_timeBarMode = r.value;
            note(QStringLiteral("C1 %1 %2").arg(hexByte(r.id), hexByte(r.value)));
            break;
        case Kind::Text:
            if (r.id == wallcmd::field::ListLines) {
                if (r.text.isEmpty()) {
                    note(QStringLiteral("10 43 without line number"));
                } else {
                    const int number = static_cast<quint8>(r.text[0]);
                    m_lines[number] = cp1252::decode(r.text.mid(1));
                    note(QStringLiteral("10 43 line %1 %2").arg(number).arg(quoted(m_lines[number])));
                }
            } else {
                m_fields[r.id].text = cp1252::decode(r.text);
                if (r.id == wallcmd::field::TimeLarge && !r.text.isEmpty()) {
                    m_hasRunningTime = true;
                    m_lastRunningTimeAt = nowMs;
                }
                if (r.id == wallcmd::field::SetsMediaArea && r.text.isEmpty())
                    m_mediaAreaClearedAt = nowMs;
                note(QStringLiteral("10 %1 %2").arg(hexByte(r.id), quoted(m_fields[r.id].text)));
            }
            break;
        case Kind::ServerControl: {
            const QString text = cp1252::decode(r.text);
            if (r.id == wallcmd::kControlServer) {
                if (text == QLatin1String("CloseServer"))
                    effects.closeServer = true;
                else if (text == QLatin1String("Shutdown"))
                    effects.shutdown = true;
            } else if (r.id == wallcmd::kControlStartupLarge) {
                m_startupLarge = text;
            } else if (r.id == wallcmd::kControlStartupSmall) {
                m_startupSmall = text;
            }
            note(QStringLiteral("EE %1 %2").arg(hexByte(r.id), quoted(text)));
            break;
        }
        case Kind::Query:
            effects.queries << r.id;
            note(QStringLiteral("80 %1 query").arg(hexByte(r.id)));
            break;
        case Kind::CutShort:
            note(hexByte(r.lead) + QStringLiteral(" cut short"));
            break;
        case Kind::Unknown:
            note(QStringLiteral("%1 unknown record, rest of body skipped").arg(hexByte(r.lead)));
            break;
        }
    }
    return effects;
}
