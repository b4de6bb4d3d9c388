#include "WallModel.h"

#include "wall_link/Cp1252.h"
#include "wall_link/WallCommands.h"

namespace {

QString hexByte(quint8 b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

quint8 at(const QByteArray& body, qsizetype i)
{
    return static_cast<quint8>(body[i]);
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
    qsizetype pos = 0;
    const qsizetype n = body.size();
    while (pos < n) {
        const quint8 lead = at(body, pos);
        const qsizetype left = n - pos;
        auto truncated = [&] { note(hexByte(lead) + QStringLiteral(" cut short")); };
        switch (lead) {
        case wallcmd::lead::PageSelect: { // page-select
            if (left < 2) {
                truncated();
                return effects;
            }
            const quint8 code = at(body, pos + 1);
            if (code == wallcmd::page::MediaStop) {
                m_mediaStopped = true;
                m_mediaStoppedAt = nowMs;
            } else {
                m_page = code;
                m_mediaStopped = false;
            }
            note(QStringLiteral("D0 %1 %2").arg(hexByte(code), pageName(code)));
            pos += 2;
            break;
        }
        case wallcmd::lead::Colour: { // colour: field, then 00 BB GG RR
            if (left < 6) {
                truncated();
                return effects;
            }
            const quint8 id = at(body, pos + 1);
            const quint32 colour = (quint32{at(body, pos + 2)} << 24) | (quint32{at(body, pos + 3)} << 16) |
                                   (quint32{at(body, pos + 4)} << 8) | quint32{at(body, pos + 5)};
            m_fields[id].colour = colour;
            note(QStringLiteral("C0 %1 %2").arg(hexByte(id)).arg(colour, 8, 16, QLatin1Char('0')).toUpper());
            pos += 6;
            break;
        }
        case wallcmd::lead::Option: { // option
            if (left < 3) {
                truncated();
                return effects;
            }
            const quint8 id = at(body, pos + 1);
            const quint8 value = at(body, pos + 2);
            if (id == wallcmd::kOptionTimeBar)
                m_timeBarMode = value;
            note(QStringLiteral("C1 %1 %2").arg(hexByte(id), hexByte(value)));
            pos += 3;
            break;
        }
        case wallcmd::lead::Text: { // text to the end of the body
            if (left < 2) {
                truncated();
                return effects;
            }
            const quint8 id = at(body, pos + 1);
            const QByteArray bytes = body.mid(pos + 2);
            if (id == wallcmd::field::ListLines) {
                if (bytes.isEmpty()) {
                    note(QStringLiteral("10 43 without line number"));
                } else {
                    const int number = static_cast<quint8>(bytes[0]);
                    m_lines[number] = cp1252::decode(bytes.mid(1));
                    note(QStringLiteral("10 43 line %1 %2").arg(number).arg(quoted(m_lines[number])));
                }
            } else {
                m_fields[id].text = cp1252::decode(bytes);
                if (id == wallcmd::field::TimeLarge && !bytes.isEmpty()) {
                    m_hasRunningTime = true;
                    m_lastRunningTimeAt = nowMs;
                }
                if (id == wallcmd::field::SetsMediaArea && bytes.isEmpty())
                    m_mediaAreaClearedAt = nowMs;
                note(QStringLiteral("10 %1 %2").arg(hexByte(id), quoted(m_fields[id].text)));
            }
            return effects;
        }
        case wallcmd::lead::ServerControl: { // server control, text to the end of the body
            if (left < 2) {
                truncated();
                return effects;
            }
            const quint8 sub = at(body, pos + 1);
            const QString text = cp1252::decode(body.mid(pos + 2));
            if (sub == wallcmd::kControlServer) {
                if (text == QLatin1String("CloseServer"))
                    effects.closeServer = true;
                else if (text == QLatin1String("Shutdown"))
                    effects.shutdown = true;
            } else if (sub == wallcmd::kControlStartupLarge) {
                m_startupLarge = text;
            } else if (sub == wallcmd::kControlStartupSmall) {
                m_startupSmall = text;
            }
            note(QStringLiteral("EE %1 %2").arg(hexByte(sub), quoted(text)));
            return effects;
        }
        case wallcmd::lead::Query: { // query
            if (left < 2) {
                truncated();
                return effects;
            }
            const quint8 code = at(body, pos + 1);
            effects.queries << code;
            note(QStringLiteral("80 %1 query").arg(hexByte(code)));
            pos += 2;
            break;
        }
        default:
            note(QStringLiteral("%1 unknown record, rest of body skipped").arg(hexByte(lead)));
            return effects;
        }
    }
    return effects;
}
