#include "remote/RemoteEvents.h"

#include "wall_link/Cp1252.h"

#include <nlohmann/json.hpp>

#include <QMap>

namespace remote {

namespace {

using nlohmann::ordered_json;
namespace page = wallcmd::page;
namespace field = wallcmd::field;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QByteArray dump(const ordered_json& value)
{
    return QByteArray::fromStdString(value.dump());
}

// A wall field under its request name; numbers are reported as numbers.
struct FieldName
{
    quint8 field;
    quint8 page;
    const char* name;
    bool number;
};

constexpr FieldName kFields[] = {
    {field::TimeLarge, page::Time, "time", false},
    {field::TimeSmall, page::Time, "text", false},
    {field::SoccerHomeName, page::Soccer, "home", false},
    {field::SoccerGuestName, page::Soccer, "guest", false},
    {field::SoccerHomeGoals, page::Soccer, "homeGoals", true},
    {field::SoccerGuestGoals, page::Soccer, "guestGoals", true},
    {field::FootballHomeName, page::Football, "home", false},
    {field::FootballGuestName, page::Football, "guest", false},
    {field::FootballHomeScore, page::Football, "homePoints", true},
    {field::FootballGuestScore, page::Football, "guestPoints", true},
    {field::FootballClock, page::Football, "clock", false},
    {field::ListHeader, page::TextList, "header", false},
    {field::SetsHomeName, page::GameAndSet, "home", false},
    {field::SetsGuestName, page::GameAndSet, "guest", false},
    {field::SetsHomeGames, page::GameAndSet, "homeGames", true},
    {field::SetsGuestGames, page::GameAndSet, "guestGames", true},
    {field::SetsHomeSets, page::GameAndSet, "homeSets", true},
    {field::SetsGuestSets, page::GameAndSet, "guestSets", true},
    {field::SetsMediaArea, page::GameAndSet, "mediaArea", false},
};

// The colours that are the operator's choice; the other pages' colours are fixed.
constexpr std::pair<quint8, const char*> kColourNames[] = {
    {field::ListHeader, "headerColour"}, {field::ListHeaderLine, "lineColour"}, {field::ListLines, "textColour"}};

const FieldName* fieldName(quint8 id)
{
    for (const FieldName& f : kFields) {
        if (f.field == id)
            return &f;
    }
    return nullptr;
}

QString pageCodeName(quint8 code)
{
    switch (code) {
    case page::Blank:
        return QStringLiteral("blank");
    case page::Time:
    case page::AnalogClock:
        return QStringLiteral("clock");
    case page::Soccer:
        return QStringLiteral("soccer");
    case page::Football:
        return QStringLiteral("football");
    case page::Picture:
        return QStringLiteral("picture");
    case page::Video:
        return QStringLiteral("video");
    case page::LiveVideo:
        return QStringLiteral("liveVideo");
    case page::GameAndSet:
        return QStringLiteral("sets");
    case page::TextList:
        return QStringLiteral("text");
    case page::Camera:
        return QStringLiteral("camera");
    case page::MediaStop:
        return QStringLiteral("mediaStop");
    default:
        return QString::asprintf("0x%02X", code);
    }
}

// The page whose fields a send carries: the last page-select record, else the first field's page.
std::optional<quint8> pageOf(const QList<wallcmd::Record>& records)
{
    std::optional<quint8> selected;
    std::optional<quint8> byField;
    for (const wallcmd::Record& r : records) {
        if (r.kind == wallcmd::Record::Kind::PageSelect)
            selected = r.id;
        const bool fieldRecord = r.kind == wallcmd::Record::Kind::Text || r.kind == wallcmd::Record::Kind::Colour;
        if (!byField && fieldRecord) {
            if (const FieldName* f = fieldName(r.id))
                byField = f->page;
            else if (r.id == field::ListHeaderLine || r.id == field::ListLines)
                byField = page::TextList;
        }
    }
    return selected ? selected : byField;
}

ordered_json fieldValue(const FieldName& f, const QString& text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (f.number && ok)
        return number;
    return utf8(text);
}

QString timeBarName(quint8 value)
{
    switch (wallcmd::TimeBarMode(value)) {
    case wallcmd::TimeBarMode::Off:
        return QStringLiteral("off");
    case wallcmd::TimeBarMode::On:
        return QStringLiteral("on");
    case wallcmd::TimeBarMode::Automatic:
        return QStringLiteral("auto");
    }
    return QString::number(value);
}

ordered_json values(const QList<wallcmd::Record>& records, quint8 pageCode)
{
    ordered_json out = ordered_json::object();
    // The time display and the analog clock are one page to the remote control.
    if (pageCode == page::Time || pageCode == page::AnalogClock)
        out["mode"] = pageCode == page::Time ? "digital" : "analog";
    QMap<int, QString> lines;
    for (const wallcmd::Record& r : records) {
        switch (r.kind) {
        case wallcmd::Record::Kind::Text:
            if (pageCode == page::TextList && r.id == field::ListLines && !r.text.isEmpty()) {
                lines.insert(quint8(r.text.at(0)), cp1252::decode(r.text.mid(1)));
            } else if (const FieldName* f = fieldName(r.id); f && f->page == pageCode) {
                out[f->name] = fieldValue(*f, cp1252::decode(r.text));
            }
            break;
        case wallcmd::Record::Kind::Colour:
            if (pageCode == page::Football && r.id == field::FootballClock)
                out["clockRunning"] = r.colour == wallcmd::colour::Green;
            for (const auto& [id, name] : kColourNames) {
                if (pageCode == page::TextList && r.id == id)
                    out[name] = utf8(colourName(r.colour));
            }
            break;
        case wallcmd::Record::Kind::Option:
            if (pageCode == page::TextList && r.id == wallcmd::kOptionTimeBar)
                out["timeBar"] = utf8(timeBarName(r.value));
            break;
        default:
            break;
        }
    }
    if (!lines.isEmpty()) {
        ordered_json list = ordered_json::array();
        for (const QString& line : std::as_const(lines))
            list.push_back(utf8(line));
        out["lines"] = list;
    }
    return out;
}

// Server control records: closing or shutting down the wall server, its start-up texts.
ordered_json serverValues(const QList<wallcmd::Record>& records)
{
    ordered_json out = ordered_json::object();
    for (const wallcmd::Record& r : records) {
        if (r.kind != wallcmd::Record::Kind::ServerControl)
            continue;
        const char* name = r.id == wallcmd::kControlStartupLarge   ? "startupLarge"
                           : r.id == wallcmd::kControlStartupSmall ? "startupSmall"
                                                                   : "command";
        out[name] = utf8(cp1252::decode(r.text));
    }
    return out;
}

ordered_json statusObject(const RemoteStatus& status, const QStringList& pages)
{
    ordered_json out = ordered_json::object();
    out["link"] = utf8(linkName(status.link));
    out["columns"] = status.columns;
    out["rows"] = status.rows;
    out["version"] = utf8(status.version);
    out["page"] = status.page.isEmpty() ? ordered_json() : ordered_json(utf8(status.page));
    out["unsent"] = status.unsent;
    ordered_json names = ordered_json::array();
    for (const QString& p : pages)
        names.push_back(utf8(p));
    out["pages"] = names;
    return out;
}

} // namespace

QString linkName(LinkState state)
{
    switch (state) {
    case LinkState::Up:
        return QStringLiteral("up");
    case LinkState::Waiting:
        return QStringLiteral("waiting");
    case LinkState::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

QByteArray statusJson(const RemoteStatus& status, const QStringList& pages)
{
    return dump(statusObject(status, pages));
}

QByteArray statusEvent(const RemoteStatus& status, const QStringList& pages)
{
    ordered_json out{{"event", "status"}};
    out.update(statusObject(status, pages));
    return dump(out);
}

QByteArray linkEvent(LinkState state)
{
    return dump(ordered_json{{"event", "link"}, {"link", utf8(linkName(state))}});
}

QByteArray unsentEvent(const QString& page, bool unsent)
{
    return dump(ordered_json{{"event", "unsent"}, {"page", utf8(page)}, {"unsent", unsent}});
}

std::optional<QByteArray> sentEvent(const wallcmd::Bodies& bodies)
{
    QList<wallcmd::Record> records;
    for (const QByteArray& body : bodies)
        records << wallcmd::splitRecords(body);
    ordered_json out{{"event", "sent"}};
    if (const std::optional<quint8> code = pageOf(records)) {
        out["page"] = utf8(pageCodeName(*code));
        out["values"] = values(records, *code);
    } else if (std::any_of(records.begin(), records.end(),
                           [](const wallcmd::Record& r) { return r.kind == wallcmd::Record::Kind::ServerControl; })) {
        out["page"] = "server";
        out["values"] = serverValues(records);
    } else {
        return std::nullopt;
    }
    return dump(out);
}

} // namespace remote
