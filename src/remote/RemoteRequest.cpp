#include "remote/RemoteRequest.h"

#include "pages/PageLimits.h"
#include "wall_link/TextTools.h"

#include <nlohmann/json.hpp>

#include <set>
#include <string>

namespace remote {

namespace {

using nlohmann::json;

// Deeper nesting than any page needs is refused before it costs anything.
constexpr int kMaxDepth = 8;
// An unknown member's name is echoed back at most this long.
constexpr int kMaxEchoedName = 64;
// A correction of the game clock by more than the longest duration changes nothing more.
constexpr int kMaxAdjust = 60 * 60 + 59;

struct TooDeep
{
};

const QStringList kPageNames{QStringLiteral("clock"), QStringLiteral("soccer"), QStringLiteral("football"),
                             QStringLiteral("text"), QStringLiteral("sets")};

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// Reads the members of one JSON object. The first refusal is kept and every later reader returns nothing,
// so a command is either read whole or not at all.
class Members
{
public:
    Members(const json& object, QString prefix) : m_object(object), m_prefix(std::move(prefix)) {}

    std::optional<QString> text(const char* name, int maxLength = 0)
    {
        const json* value = take(name);
        if (!value)
            return std::nullopt;
        if (!value->is_string())
            return fail(name, QStringLiteral("Erwartet wird ein Text."));
        const QString text = QString::fromStdString(value->get_ref<const std::string&>());
        if (maxLength > 0 && text.size() > maxLength)
            return fail(name, QStringLiteral("Höchstens %1 Zeichen.").arg(maxLength));
        if (hasControlCharacter(text))
            return fail(name, QStringLiteral("Steuerzeichen und Zeilenumbrüche sind nicht erlaubt."));
        return text;
    }

    std::optional<int> integer(const char* name, int minimum, int maximum)
    {
        const json* value = take(name);
        if (!value)
            return std::nullopt;
        if (!value->is_number_integer())
            return fail(name, QStringLiteral("Erwartet wird eine ganze Zahl."));
        const bool inRange = value->is_number_unsigned()
                                 ? value->get<std::uint64_t>() <= std::uint64_t(maximum)
                                 : value->get<std::int64_t>() >= minimum && value->get<std::int64_t>() <= maximum;
        if (!inRange)
            return fail(name, QStringLiteral("Erlaubt ist %1 bis %2.").arg(minimum).arg(maximum));
        return int(value->get<std::int64_t>());
    }

    std::optional<bool> flag(const char* name)
    {
        const json* value = take(name);
        if (!value)
            return std::nullopt;
        if (!value->is_boolean())
            return fail(name, QStringLiteral("Erwartet wird true oder false."));
        return value->get<bool>();
    }

    template <typename T>
    std::optional<T> choice(const char* name, std::initializer_list<std::pair<const char*, T>> options)
    {
        const json* value = take(name);
        if (!value)
            return std::nullopt;
        QStringList names;
        for (const auto& [text, result] : options) {
            if (value->is_string() && value->get_ref<const std::string&>() == text)
                return result;
            names << QStringLiteral("\"%1\"").arg(QLatin1String(text));
        }
        return fail(name, QStringLiteral("Erlaubt ist %1.").arg(names.join(QStringLiteral(", "))));
    }

    std::optional<quint32> colour(const char* name)
    {
        const std::optional<QString> text = this->text(name);
        if (!text)
            return std::nullopt;
        quint32 rgb = 0;
        bool ok = text->size() == 7 && text->at(0) == QLatin1Char('#');
        for (qsizetype i = 1; ok && i < 7; ++i) {
            const int digit = texttools::hexDigit(text->at(i).unicode());
            ok = digit >= 0;
            rgb = rgb << 4 | quint32(digit);
        }
        if (!ok)
            return fail(name, QStringLiteral("Erwartet wird eine Farbe wie \"#FF0000\"."));
        // "#RRGGBB" to the wall's 0x00BBGGRR.
        return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    }

    std::optional<QStringList> lines(const char* name)
    {
        const json* value = take(name);
        if (!value)
            return std::nullopt;
        QStringList out;
        bool ok = value->is_array();
        for (auto it = value->begin(); ok && it != value->end(); ++it) {
            ok = it->is_string();
            if (ok)
                out << QString::fromStdString(it->get_ref<const std::string&>());
        }
        if (!ok)
            return fail(name, QStringLiteral("Erwartet wird eine Liste von Texten."));
        if (std::any_of(out.begin(), out.end(), hasControlCharacter))
            return fail(name, QStringLiteral("Steuerzeichen und Zeilenumbrüche sind nicht erlaubt."));
        return out;
    }

    // A member holding an object, for a group of members of its own.
    const json* object(const char* name)
    {
        const json* value = take(name);
        if (value && !value->is_object()) {
            fail(name, QStringLiteral("Erwartet wird ein Objekt."));
            return nullptr;
        }
        return value;
    }

    QString prefix(const char* name) const { return m_prefix + QLatin1String(name) + QLatin1Char('.'); }

    // The first refusal, else the first member that no reader took.
    std::optional<Failure> finish() const
    {
        if (m_failure)
            return m_failure;
        for (auto it = m_object.begin(); it != m_object.end(); ++it) {
            if (!m_taken.contains(it.key()))
                return Failure{422, m_prefix + QString::fromStdString(it.key()).left(kMaxEchoedName),
                               QStringLiteral("Unbekanntes Feld.")};
        }
        return std::nullopt;
    }

    void refuse(const Failure& failure)
    {
        if (!m_failure)
            m_failure = failure;
    }

private:
    const json* take(const char* name)
    {
        if (m_failure)
            return nullptr;
        const auto it = m_object.find(name);
        if (it == m_object.end())
            return nullptr;
        m_taken.insert(name);
        return &*it;
    }

    std::nullopt_t fail(const char* name, const QString& message)
    {
        refuse({422, m_prefix + QLatin1String(name), message});
        return std::nullopt;
    }

    const json& m_object;
    QString m_prefix;
    std::set<std::string> m_taken;
    std::optional<Failure> m_failure;
};

std::variant<json, Failure> parseObject(const QByteArray& body)
{
    if (body.trimmed().isEmpty())
        return json::object();
    json value;
    try {
        value = json::parse(body.begin(), body.end(), [](int depth, json::parse_event_t, json&) {
            if (depth > kMaxDepth)
                throw TooDeep{};
            return true;
        });
    } catch (const json::exception&) {
        return Failure{400, {}, QStringLiteral("Der Inhalt ist kein gültiges JSON.")};
    } catch (const TooDeep&) {
        return Failure{400, {}, QStringLiteral("Der Inhalt ist zu tief verschachtelt.")};
    }
    if (!value.is_object())
        return Failure{400, {}, QStringLiteral("Erwartet wird ein JSON-Objekt.")};
    return value;
}

void readTeams(Members& m, int nameLength, std::optional<QString>& home, std::optional<QString>& guest)
{
    home = m.text("home", nameLength);
    guest = m.text("guest", nameLength);
}

ClockCommand readClock(Members& m)
{
    ClockCommand c;
    c.mode = m.choice<ClockCommand::Mode>(
                  "mode", {{"digital", ClockCommand::Mode::Digital}, {"analog", ClockCommand::Mode::Analog}})
                 .value_or(ClockCommand::Mode::Digital);
    c.text = m.text("text", pagelimits::kWatchTextLength);
    c.show = m.flag("show").value_or(false);
    return c;
}

SoccerCommand readSoccer(Members& m)
{
    SoccerCommand c;
    readTeams(m, pagelimits::kSoccer.nameLength, c.home, c.guest);
    c.homeGoals = m.integer("homeGoals", 0, pagelimits::kSoccer.maxScore);
    c.guestGoals = m.integer("guestGoals", 0, pagelimits::kSoccer.maxScore);
    c.show = m.flag("show").value_or(false);
    return c;
}

FootballCommand readFootball(Members& m)
{
    FootballCommand c;
    readTeams(m, pagelimits::kFootball.nameLength, c.home, c.guest);
    c.homePoints = m.integer("homePoints", 0, pagelimits::kFootball.maxScore);
    c.guestPoints = m.integer("guestPoints", 0, pagelimits::kFootball.maxScore);
    if (const json* clock = m.object("clock")) {
        Members g(*clock, m.prefix("clock"));
        c.duration = g.text("duration", pagelimits::kDurationLength);
        if (c.duration && !gameclock::GetMinSecFromStr(*c.duration).valid)
            g.refuse({422, m.prefix("clock") + QStringLiteral("duration"),
                      QStringLiteral("Keine gültige Spieldauer: MM:SS mit Minuten 0 bis 60 und Sekunden 0 bis 59.")});
        c.direction = g.choice<gameclock::Direction>(
            "direction", {{"down", gameclock::Direction::Down}, {"up", gameclock::Direction::Up}});
        c.setClock = g.flag("set").value_or(false);
        c.clearClock = g.flag("clear").value_or(false);
        c.adjust = g.integer("adjust", -kMaxAdjust, kMaxAdjust);
        c.run = g.flag("run");
        if (const std::optional<Failure> failure = g.finish())
            m.refuse(*failure);
    }
    c.show = m.flag("show").value_or(false);
    return c;
}

TextCommand readText(Members& m)
{
    TextCommand c;
    c.header = m.text("header");
    c.lines = m.lines("lines");
    c.headerColour = m.colour("headerColour");
    c.lineColour = m.colour("lineColour");
    c.textColour = m.colour("textColour");
    c.timeBar = m.choice<wallcmd::TimeBarMode>("timeBar", {{"off", wallcmd::TimeBarMode::Off},
                                                           {"on", wallcmd::TimeBarMode::On},
                                                           {"auto", wallcmd::TimeBarMode::Automatic}});
    c.show = m.flag("show").value_or(false);
    return c;
}

SetsCommand readSets(Members& m)
{
    SetsCommand c;
    readTeams(m, pagelimits::kGameAndSet.nameLength, c.home, c.guest);
    c.homeGames = m.integer("homeGames", 0, pagelimits::kGameAndSet.maxScore);
    c.guestGames = m.integer("guestGames", 0, pagelimits::kGameAndSet.maxScore);
    c.homeSets = m.integer("homeSets", 0, pagelimits::kGameAndSetMaxSets);
    c.guestSets = m.integer("guestSets", 0, pagelimits::kGameAndSetMaxSets);
    c.show = m.flag("show").value_or(false);
    return c;
}

} // namespace

std::optional<PageKind> pageKind(const QString& name)
{
    const qsizetype index = kPageNames.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return PageKind(index);
}

QString pageName(PageKind page)
{
    return kPageNames.at(int(page));
}

PageKind kindOf(const PageCommand& command)
{
    return PageKind(command.index());
}

std::variant<PageCommand, Failure> parsePage(PageKind page, const QByteArray& body)
{
    const std::variant<json, Failure> parsed = parseObject(body);
    if (const Failure* failure = std::get_if<Failure>(&parsed))
        return *failure;
    Members m(std::get<json>(parsed), QString());
    PageCommand command;
    switch (page) {
    case PageKind::Clock:
        command = readClock(m);
        break;
    case PageKind::Soccer:
        command = readSoccer(m);
        break;
    case PageKind::Football:
        command = readFootball(m);
        break;
    case PageKind::Text:
        command = readText(m);
        break;
    case PageKind::Sets:
        command = readSets(m);
        break;
    }
    if (const std::optional<Failure> failure = m.finish())
        return *failure;
    return command;
}

std::optional<Failure> parseEmpty(const QByteArray& body)
{
    const std::variant<json, Failure> parsed = parseObject(body);
    if (const Failure* failure = std::get_if<Failure>(&parsed))
        return *failure;
    return Members(std::get<json>(parsed), QString()).finish();
}

QString colourName(quint32 colour)
{
    return QString::asprintf("#%02X%02X%02X", colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF);
}

} // namespace remote
