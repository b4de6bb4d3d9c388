#include "shell/MatchState.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

using Json = nlohmann::ordered_json;

// Larger than any score a page counts; a file with more is not ours.
constexpr qint64 kMaxNumber = 1'000'000;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

Json score(const MatchState::Score& s)
{
    return Json{
        {"home", utf8(s.home)}, {"guest", utf8(s.guest)}, {"homeScore", s.homePoints}, {"guestScore", s.guestPoints}};
}

// The member `key` of an object; nullptr when it is missing or fails `kind`.
template <class Kind> const Json* member(const Json& parent, const char* key, Kind kind)
{
    const auto it = parent.find(key);
    return it != parent.end() && kind(*it) ? &*it : nullptr;
}

void read(const Json& parent, const char* key, QString& out)
{
    if (const Json* j = member(parent, key, [](const Json& v) { return v.is_string(); }))
        out = QString::fromStdString(j->get<std::string>());
}

void read(const Json& parent, const char* key, int& out)
{
    const Json* j = member(parent, key, [](const Json& v) {
        return v.is_number_integer() && v.get<qint64>() >= 0 && v.get<qint64>() <= kMaxNumber;
    });
    if (j)
        out = static_cast<int>(j->get<qint64>());
}

void read(const Json& parent, const char* key, QStringList& out)
{
    const Json* j = member(parent, key, [](const Json& v) {
        return v.is_array() && std::all_of(v.begin(), v.end(), [](const Json& line) { return line.is_string(); });
    });
    if (!j)
        return;
    out.clear();
    for (const Json& line : *j)
        out << QString::fromStdString(line.get<std::string>());
}

const Json* object(const Json& parent, const char* key)
{
    return member(parent, key, [](const Json& v) { return v.is_object(); });
}

void read(const Json& parent, const char* key, MatchState::Score& out)
{
    if (const Json* j = object(parent, key)) {
        read(*j, "home", out.home);
        read(*j, "guest", out.guest);
        read(*j, "homeScore", out.homePoints);
        read(*j, "guestScore", out.guestPoints);
    }
}

} // namespace

QByteArray MatchState::toJson() const
{
    Json footballPage = score(football);
    footballPage["clock"] = utf8(gameClock);
    footballPage["duration"] = utf8(gameDuration);
    Json setsPage = score(gameAndSet);
    setsPage["homeSets"] = homeSets;
    setsPage["guestSets"] = guestSets;
    Json lines = Json::array();
    for (const QString& line : listLines)
        lines.push_back(utf8(line));
    const Json state{{"soccer", score(soccer)},
                     {"football", footballPage},
                     {"gameAndSet", setsPage},
                     {"textList", Json{{"header", utf8(listHeader)}, {"lines", lines}}}};
    return QByteArray::fromStdString(state.dump(2, ' ', false, Json::error_handler_t::replace) + '\n');
}

std::optional<MatchState> MatchState::fromJson(const QByteArray& text, const MatchState& base)
{
    const Json state = Json::parse(text.cbegin(), text.cend(), nullptr, false);
    if (!state.is_object())
        return std::nullopt;
    MatchState out = base;
    read(state, "soccer", out.soccer);
    read(state, "football", out.football);
    if (const Json* footballPage = object(state, "football")) {
        read(*footballPage, "clock", out.gameClock);
        read(*footballPage, "duration", out.gameDuration);
    }
    read(state, "gameAndSet", out.gameAndSet);
    if (const Json* setsPage = object(state, "gameAndSet")) {
        read(*setsPage, "homeSets", out.homeSets);
        read(*setsPage, "guestSets", out.guestSets);
    }
    if (const Json* list = object(state, "textList")) {
        read(*list, "header", out.listHeader);
        read(*list, "lines", out.listLines);
    }
    return out;
}
