#include "wall_link/WallCommands.h"

#include "wall_link/Cp1252.h"
#include "wall_link/HexBin.h"

namespace wallcmd {

namespace {
QByteArray record(quint8 leadByte, quint8 second)
{
    QByteArray r;
    r.append(static_cast<char>(leadByte));
    r.append(static_cast<char>(second));
    return r;
}
} // namespace

QByteArray pageSelect(quint8 pageCode)
{
    return record(lead::PageSelect, pageCode);
}

QByteArray colourRecord(quint8 fieldId, quint32 colour)
{
    QByteArray r = record(lead::Colour, fieldId);
    r.append(THexBin::HexToBin(QStringLiteral("%1").arg(colour, 8, 16, QLatin1Char('0')).toUpper()));
    return r;
}

QByteArray optionRecord(quint8 optionId, quint8 value)
{
    QByteArray r = record(lead::Option, optionId);
    r.append(static_cast<char>(value));
    return r;
}

QByteArray textRecord(quint8 fieldId, const QString& text)
{
    QByteArray r = record(lead::Text, fieldId);
    r.append(cp1252::encode(text));
    return r;
}

QByteArray serverControl(quint8 subCode, const QString& text)
{
    QByteArray r = record(lead::ServerControl, subCode);
    r.append(cp1252::encode(text));
    return r;
}

QByteArray query(quint8 code)
{
    return record(lead::Query, code);
}

Bodies erase()
{
    return {pageSelect(page::Blank), textRecord(field::TimeSmall, {})};
}

Bodies eraseTextList()
{
    return {pageSelect(page::Blank)};
}

Bodies clockSecond(const QString& time, const QString& smallText, bool digital, bool analog)
{
    Bodies out;
    if (digital) {
        out << pageSelect(page::Time) + colourRecord(field::TimeLarge, colour::Yellow) +
                   textRecord(field::TimeLarge, time);
        out << colourRecord(field::TimeSmall, colour::Blue) + textRecord(field::TimeSmall, smallText);
    }
    if (analog)
        out << pageSelect(page::AnalogClock);
    return out;
}

Bodies timingTime(const QString& time)
{
    return {pageSelect(page::Time) + colourRecord(field::TimeLarge, colour::Yellow) +
                textRecord(field::TimeLarge, time),
            textRecord(field::TimeSmall, {})};
}

namespace {
QByteArray colouredText(quint8 fieldId, quint32 colour, const QString& text)
{
    return colourRecord(fieldId, colour) + textRecord(fieldId, text);
}
QString number(int value)
{
    return QString::number(value);
}
} // namespace

Bodies soccerShow(const QString& home, const QString& guest, int homeGoals, int guestGoals)
{
    return {pageSelect(page::Soccer) + colouredText(field::SoccerHomeName, colour::Cyan, home),
            colouredText(field::SoccerGuestName, colour::Cyan, guest),
            colouredText(field::SoccerHomeGoals, colour::White, number(homeGoals)),
            colouredText(field::SoccerGuestGoals, colour::White, number(guestGoals))};
}

Bodies footballShow(const QString& home, const QString& guest, int homeScore, int guestScore, GameClock clock,
                    const QString& clockText)
{
    Bodies out{pageSelect(page::Football) + colouredText(field::FootballHomeName, colour::Cyan, home),
               colouredText(field::FootballGuestName, colour::Cyan, guest),
               colouredText(field::FootballHomeScore, colour::White, number(homeScore)),
               colouredText(field::FootballGuestScore, colour::White, number(guestScore))};
    QByteArray clockBody;
    if (clock != GameClock::Hidden)
        clockBody = colourRecord(field::FootballClock, clock == GameClock::Running ? colour::Green : colour::Red);
    out << clockBody + textRecord(field::FootballClock, clockText);
    return out;
}

Bodies footballClock(bool running, const QString& clockText)
{
    return {colouredText(field::FootballClock, running ? colour::Green : colour::Red, clockText)};
}

Bodies setsShow(const QString& home, const QString& guest, int homeGames, int guestGames, int homeSets, int guestSets)
{
    return {pageSelect(page::GameAndSet) + colouredText(field::SetsHomeName, colour::Red, home),
            colouredText(field::SetsGuestName, colour::Red, guest),
            colouredText(field::SetsHomeGames, colour::Red, number(homeGames)),
            colouredText(field::SetsGuestGames, colour::Red, number(guestGames)),
            colouredText(field::SetsHomeSets, colour::Red, number(homeSets)),
            colouredText(field::SetsGuestSets, colour::Red, number(guestSets))};
}

Bodies setsClearMedia()
{
    return {textRecord(field::SetsMediaArea, {})};
}

Bodies setsVideoPrelude()
{
    return {pageSelect(page::MediaStop)};
}

Bodies textListShow(TimeBarMode mode, const TextListColours& colours, const QString& header, const QStringList& lines,
                    int rows)
{
    Bodies out{pageSelect(page::TextList),
               optionRecord(kOptionTimeBar, static_cast<quint8>(mode)) +
                   colourRecord(field::ListHeader, colours.header) + colourRecord(field::ListHeaderLine, colours.line) +
                   colourRecord(field::ListLines, colours.text) + textRecord(field::ListHeader, header)};
    for (int n = 1; n <= rows; ++n) {
        QByteArray body = textRecord(field::ListLines, {});
        body.append(static_cast<char>(n & 0xFF));
        body.append(n <= lines.size() ? cp1252::encode(lines.at(n - 1)) : QByteArray(" "));
        out << body;
    }
    return out;
}

Bodies pictureShow()
{
    return {pageSelect(page::Picture)};
}

Bodies videoShow()
{
    return {pageSelect(page::MediaStop), pageSelect(page::Video)};
}

Bodies liveVideoShow()
{
    return {pageSelect(page::MediaStop), pageSelect(page::LiveVideo)};
}

Bodies cameraShow()
{
    return {pageSelect(page::MediaStop), pageSelect(page::Camera)};
}

Bodies lifeSignQuery()
{
    return {query(kQueryLifeSign)};
}

Bodies detailsQuery()
{
    return {query(kQueryDetails)};
}

Bodies closeServer()
{
    return {serverControl(kControlServer, QStringLiteral("CloseServer"))};
}

Bodies shutdownServer()
{
    return {serverControl(kControlServer, QStringLiteral("Shutdown"))};
}

Bodies startupTexts(const QString& large, const QString& small)
{
    return {serverControl(kControlStartupLarge, large), serverControl(kControlStartupSmall, small)};
}

QList<Record> splitRecords(const QByteArray& body)
{
    QList<Record> records;
    qsizetype pos = 0;
    const qsizetype n = body.size();
    auto at = [&body](qsizetype i) { return static_cast<quint8>(body[i]); };
    while (pos < n) {
        Record r;
        r.lead = at(pos);
        const qsizetype left = n - pos;
        qsizetype length = 2;
        switch (r.lead) {
        case lead::PageSelect:
            r.kind = Record::Kind::PageSelect;
            break;
        case lead::Colour:
            r.kind = Record::Kind::Colour;
            length = 6;
            break;
        case lead::Option:
            r.kind = Record::Kind::Option;
            length = 3;
            break;
        case lead::Text:
            r.kind = Record::Kind::Text;
            break;
        case lead::ServerControl:
            r.kind = Record::Kind::ServerControl;
            break;
        case lead::Query:
            r.kind = Record::Kind::Query;
            break;
        default:
            records << r;
            return records;
        }
        if (left < length) {
            r.kind = Record::Kind::CutShort;
            records << r;
            return records;
        }
        r.id = at(pos + 1);
        if (r.kind == Record::Kind::Colour)
            r.colour = (quint32{at(pos + 2)} << 24) | (quint32{at(pos + 3)} << 16) | (quint32{at(pos + 4)} << 8) |
                       quint32{at(pos + 5)};
        if (r.kind == Record::Kind::Option)
            r.value = at(pos + 2);
        if (r.kind == Record::Kind::Text || r.kind == Record::Kind::ServerControl) {
            r.text = body.mid(pos + 2);
            length = left;
        }
        records << r;
        pos += length;
    }
    return records;
}

std::optional<StatusReply> parseStatusReply(const QByteArray& body)
{
    if (body.size() < 2 || static_cast<quint8>(body[0]) != lead::Text ||
        static_cast<quint8>(body[1]) != kStatusReplyField)
        return std::nullopt;
    StatusReply reply;
    if (body.size() >= 4) {
        reply.hasSize = true;
        reply.columns = static_cast<quint8>(body[2]);
        reply.rows = static_cast<quint8>(body[3]);
        reply.version = cp1252::decode(body.mid(4));
    }
    return reply;
}

QByteArray statusReply(int columns, int rows, const QString& version)
{
    QByteArray r = record(lead::Text, kStatusReplyField);
    r.append(static_cast<char>(columns & 0xFF));
    r.append(static_cast<char>(rows & 0xFF));
    r.append(cp1252::encode(version));
    return r;
}

} // namespace wallcmd
