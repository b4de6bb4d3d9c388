#pragma once

#include "pages/GameClock.h"
#include "wall_link/WallCommands.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// What a remote call asks of a page, read from its JSON body and checked against the limits of the
// page window's controls before anything changes. Field names follow one scheme on every page: "home"
// and "guest" for the team names, "home…"/"guest…" for their counts, "show" for pressing "Anzeigen".
// A member that is left out leaves the window's value as it is.
namespace remote {

// The pages a remote call can drive, by their name under /api/v1/pages/.
enum class PageKind
{
    Clock,
    Soccer,
    Football,
    Text,
    Sets
};
std::optional<PageKind> pageKind(const QString& name);
QString pageName(PageKind page);

// A refused request: its HTTP status, the field it concerns ("clock.duration"; empty when it concerns
// the whole request) and a German message.
struct Failure
{
    int status = 400;
    QString field;
    QString message;
};

// {"mode": "digital"|"analog", "text": "…", "show": true}: the small line under the time, and with show
// the mode's button pressed ("Anzeigen" for the time display, the analog-clock button otherwise).
struct ClockCommand
{
    enum class Mode
    {
        Digital,
        Analog
    };
    Mode mode = Mode::Digital;
    std::optional<QString> text;
    bool show = false;
};

struct SoccerCommand
{
    std::optional<QString> home;
    std::optional<QString> guest;
    std::optional<int> homeGoals;
    std::optional<int> guestGoals;
    bool show = false;
};

// Names and points, and the game clock in "clock": {"duration": "15:00", "direction": "down"|"up",
// "set": true, "clear": true, "adjust": -10, "run": true|false}, done in that order: the duration typed,
// the display set to it or cleared, corrected by seconds, then the clock started or stopped.
struct FootballCommand
{
    std::optional<QString> home;
    std::optional<QString> guest;
    std::optional<int> homePoints;
    std::optional<int> guestPoints;
    std::optional<QString> duration;
    std::optional<gameclock::Direction> direction;
    bool setClock = false;
    bool clearClock = false;
    std::optional<int> adjust;
    std::optional<bool> run;
    bool show = false;
};

// {"header": "…", "lines": ["…", …], "headerColour": "#FF0000", "lineColour": "#C0C0C0",
//  "textColour": "#FFFFFF", "timeBar": "off"|"on"|"auto", "show": true}
struct TextCommand
{
    std::optional<QString> header;
    std::optional<QStringList> lines;
    std::optional<quint32> headerColour; // 0x00BBGGRR, as the wall takes colours
    std::optional<quint32> lineColour;
    std::optional<quint32> textColour;
    std::optional<wallcmd::TimeBarMode> timeBar;
    bool show = false;
};

struct SetsCommand
{
    std::optional<QString> home;
    std::optional<QString> guest;
    std::optional<int> homeGames;
    std::optional<int> guestGames;
    std::optional<int> homeSets;
    std::optional<int> guestSets;
    bool show = false;
};

// In the order of PageKind.
using PageCommand = std::variant<ClockCommand, SoccerCommand, FootballCommand, TextCommand, SetsCommand>;
PageKind kindOf(const PageCommand& command);

// The body of POST pages/<page>: one JSON object; an empty body counts as {}. Malformed JSON or another
// value than an object gives 400, an unknown member, a wrong type or a value outside the control's
// limits 422 naming the member.
std::variant<PageCommand, Failure> parsePage(PageKind page, const QByteArray& body);
// The body of a call that takes no values (POST erase): empty or {}.
std::optional<Failure> parseEmpty(const QByteArray& body);

// Colours as the requests and events write them: "#RRGGBB".
QString colourName(quint32 colour);

} // namespace remote
