#include "WallctlCommand.h"

#include "wall_link/Frame.h"
#include "wall_link/HexBin.h"
#include "wall_link/TextTools.h"

#include <QMap>

namespace {

using wallcmd::Bodies;

struct Failure
{
    QString message;
};

// A whole non-negative decimal number; "+1", " 1" and "1e3" are not counts.
int count(const QString& text, const QString& what)
{
    static constexpr int kMaxDigits = 9;
    bool digits = !text.isEmpty() && text.size() <= kMaxDigits;
    for (QChar c : text)
        digits = digits && c.isDigit() && c.unicode() < 0x80;
    if (!digits)
        throw Failure{QStringLiteral("%1 must be a whole number, not \"%2\"").arg(what, text)};
    return text.toInt();
}

int countInRange(const QString& text, const QString& what, int low, int high)
{
    const int value = count(text, what);
    if (value < low || value > high)
        throw Failure{QStringLiteral("%1 must be from %2 to %3, not %4").arg(what).arg(low).arg(high).arg(value)};
    return value;
}

// Hex digits with any white space between them; an odd count or any other character is an error
// rather than silently dropped, because a wrong body on a real wall is worse than none.
QByteArray hexBody(const QString& text)
{
    int digits = 0;
    for (QChar c : text) {
        if (c.isSpace())
            continue;
        const bool hex = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                         (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                         (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!hex)
            throw Failure{QStringLiteral("bad hex digit '%1' in \"%2\"").arg(c).arg(text)};
        ++digits;
    }
    if (digits == 0)
        throw Failure{QStringLiteral("empty body \"%1\"").arg(text)};
    if (digits % 2 != 0)
        throw Failure{QStringLiteral("odd number of hex digits in \"%1\"").arg(text)};
    return THexBin::HexToBin(text);
}

// RRGGBB (optionally with '#') as typed by people, into the controls' 0x00BBGGRR.
quint32 rgbColour(const QString& text)
{
    QString hex = text.startsWith(QLatin1Char('#')) ? text.mid(1) : text;
    bool ok = hex.size() == 6;
    const uint rgb = ok ? hex.toUInt(&ok, 16) : 0;
    if (!ok)
        throw Failure{QStringLiteral("colour must be RRGGBB in hex, not \"%1\"").arg(text)};
    return texttools::colourValue(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

wallcmd::TextListColours colours(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        throw Failure{QStringLiteral("--colors needs three colours HEADER,LINE,TEXT, not \"%1\"").arg(text)};
    wallcmd::TextListColours out;
    quint32* slots[] = {&out.header, &out.line, &out.text};
    for (int i = 0; i < 3; ++i) {
        if (!parts[i].isEmpty()) // an empty entry keeps that colour's default
            *slots[i] = rgbColour(parts[i]);
    }
    return out;
}

wallcmd::TimeBarMode mode(const QString& text)
{
    if (text == QLatin1String("auto"))
        return wallcmd::TimeBarMode::Automatic;
    if (text == QLatin1String("on"))
        return wallcmd::TimeBarMode::On;
    if (text == QLatin1String("off"))
        return wallcmd::TimeBarMode::Off;
    throw Failure{QStringLiteral("--mode must be auto, on or off, not \"%1\"").arg(text)};
}

quint16 port(const QString& text, const QString& what, int low)
{
    return static_cast<quint16>(countInRange(text, what, low, 65535));
}

class Parser
{
public:
    explicit Parser(const QStringList& args) : m_args(args) {}

    WallctlRequest run()
    {
        splitArguments();
        if (m_request.help)
            return m_request;
        if (m_positional.isEmpty())
            throw Failure{QStringLiteral("no command given (try --help)")};
        m_request.command = m_positional.takeFirst();
        m_request.bodies = bodies();
        if (!m_commandOptions.isEmpty())
            throw Failure{
                QStringLiteral("option %1 does not apply to %2").arg(m_commandOptions.firstKey(), m_request.command)};
        for (qsizetype i = 0; i < m_request.bodies.size(); ++i) {
            if (m_request.bodies[i].size() > frame::kMaxBody)
                throw Failure{QStringLiteral("body %1 is %2 bytes, more than %3")
                                  .arg(i + 1)
                                  .arg(m_request.bodies[i].size())
                                  .arg(frame::kMaxBody)};
        }
        return m_request;
    }

private:
    // Global options may stand anywhere; command options are checked once the command is known.
    // "--" ends option parsing, so that a line of text may begin with "--".
    void splitArguments()
    {
        static const QStringList kValued = {
            QStringLiteral("--wall"), QStringLiteral("--table"),      QStringLiteral("--timeout"),
            QStringLiteral("--port"), QStringLiteral("--local-port"), QStringLiteral("--header"),
            QStringLiteral("--mode"), QStringLiteral("--colors"),     QStringLiteral("--rows")};
        bool optionsEnd = false;
        for (qsizetype i = 0; i < m_args.size(); ++i) {
            const QString& arg = m_args[i];
            if (!optionsEnd && arg == QLatin1String("-h")) {
                m_request.help = true;
                continue;
            }
            if (optionsEnd || !arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
                if (!optionsEnd && arg == QLatin1String("--"))
                    optionsEnd = true;
                else
                    m_positional << arg;
                continue;
            }
            QString name = arg;
            std::optional<QString> value;
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            if (eq > 0) {
                name = arg.left(eq);
                value = arg.mid(eq + 1);
            }
            if (name == QLatin1String("--help")) {
                m_request.help = true;
                continue;
            }
            if (name == QLatin1String("--running")) {
                if (value)
                    throw Failure{QStringLiteral("--running takes no value")};
                m_commandOptions.insert(name, QString());
                continue;
            }
            if (!kValued.contains(name))
                throw Failure{QStringLiteral("unknown option %1").arg(name)};
            if (!value) {
                if (i + 1 >= m_args.size())
                    throw Failure{QStringLiteral("option %1 needs a value").arg(name)};
                value = m_args[++i];
            }
            global(name, *value);
        }
    }

    void global(const QString& name, const QString& value)
    {
        if (name == QLatin1String("--wall")) {
            if (value.trimmed().isEmpty())
                throw Failure{QStringLiteral("--wall needs an address")};
            m_request.wall = value.trimmed();
        } else if (name == QLatin1String("--table")) {
            m_request.tableFile = value;
        } else if (name == QLatin1String("--timeout")) {
            m_request.timeoutMs = countInRange(value, QStringLiteral("--timeout"), 1, 3600000);
        } else if (name == QLatin1String("--port")) {
            m_request.port = port(value, QStringLiteral("--port"), 1);
        } else if (name == QLatin1String("--local-port")) {
            m_request.localPort = port(value, QStringLiteral("--local-port"), 0);
        } else {
            m_commandOptions.insert(name, value);
        }
    }

    std::optional<QString> take(const QString& option)
    {
        if (!m_commandOptions.contains(option))
            return std::nullopt;
        return m_commandOptions.take(option);
    }

    // The positional arguments after the command: at least min, at most max (-1: any number).
    QStringList arguments(const QString& names, int min, int max)
    {
        if (m_positional.size() < min)
            throw Failure{QStringLiteral("%1 needs %2").arg(m_request.command, names)};
        if (max >= 0 && m_positional.size() > max)
            throw Failure{QStringLiteral("unexpected argument \"%1\" for %2 (it takes %3)")
                              .arg(m_positional[max], m_request.command,
                                   names.isEmpty() ? QStringLiteral("no arguments") : names)};
        return m_positional;
    }

    Bodies bodies()
    {
        const QString& c = m_request.command;
        if (c == QLatin1String("ping") || c == QLatin1String("details")) {
            arguments({}, 0, 0);
            m_request.awaitsReply = true;
            return c == QLatin1String("ping") ? wallcmd::lifeSignQuery() : wallcmd::detailsQuery();
        }
        if (c == QLatin1String("erase")) {
            arguments({}, 0, 0);
            return wallcmd::erase();
        }
        if (c == QLatin1String("send")) {
            Bodies out;
            for (const QString& hex : arguments(QStringLiteral("HEX..."), 1, -1))
                out << hexBody(hex);
            return out;
        }
        if (c == QLatin1String("time")) {
            const QStringList a = arguments(QStringLiteral("TEXT [SMALLTEXT]"), 1, 2);
            // Without a small text this is the timing display's time; with one, the clock page's second.
            return a.size() == 1 ? wallcmd::timingTime(a[0]) : wallcmd::clockSecond(a[0], a[1], true, false);
        }
        if (c == QLatin1String("analog")) {
            arguments({}, 0, 0);
            return wallcmd::clockSecond({}, {}, false, true);
        }
        if (c == QLatin1String("soccer")) {
            const QStringList a = arguments(QStringLiteral("HOME GUEST GOALS GOALS"), 4, 4);
            return wallcmd::soccerShow(a[0], a[1], count(a[2], QStringLiteral("home goals")),
                                       count(a[3], QStringLiteral("guest goals")));
        }
        if (c == QLatin1String("football")) {
            const QStringList a = arguments(QStringLiteral("HOME GUEST SCORE SCORE CLOCK"), 5, 5);
            const bool running = take(QStringLiteral("--running")).has_value();
            return wallcmd::footballShow(a[0], a[1], count(a[2], QStringLiteral("home score")),
                                         count(a[3], QStringLiteral("guest score")),
                                         running ? wallcmd::GameClock::Running : wallcmd::GameClock::Standing, a[4]);
        }
        if (c == QLatin1String("sets")) {
            const QStringList a = arguments(QStringLiteral("HOME GUEST GAMES GAMES SETS SETS"), 6, 6);
            return wallcmd::setsShow(
                a[0], a[1], count(a[2], QStringLiteral("home games")), count(a[3], QStringLiteral("guest games")),
                count(a[4], QStringLiteral("home sets")), count(a[5], QStringLiteral("guest sets")));
        }
        if (c == QLatin1String("text")) {
            const QStringList lines = arguments(QStringLiteral("LINE..."), 0, -1);
            const QString header = take(QStringLiteral("--header")).value_or(QString());
            const auto modeText = take(QStringLiteral("--mode"));
            const auto coloursText = take(QStringLiteral("--colors"));
            const auto rowsText = take(QStringLiteral("--rows"));
            return wallcmd::textListShow(modeText ? mode(*modeText) : wallcmd::TimeBarMode::Off,
                                         coloursText ? colours(*coloursText) : wallcmd::TextListColours{}, header,
                                         lines,
                                         rowsText ? countInRange(*rowsText, QStringLiteral("--rows"), 0, 255) : 8);
        }
        if (c == QLatin1String("live")) {
            arguments({}, 0, 0);
            return wallcmd::liveVideoShow();
        }
        if (c == QLatin1String("camera")) {
            arguments({}, 0, 0);
            return wallcmd::cameraShow();
        }
        if (c == QLatin1String("startup")) {
            const QStringList a = arguments(QStringLiteral("LARGE SMALL"), 2, 2);
            return wallcmd::startupTexts(a[0], a[1]);
        }
        if (c == QLatin1String("close-server")) {
            arguments({}, 0, 0);
            return wallcmd::closeServer();
        }
        if (c == QLatin1String("shutdown-server")) {
            arguments({}, 0, 0);
            return wallcmd::shutdownServer();
        }
        throw Failure{QStringLiteral("unknown command \"%1\" (try --help)").arg(c)};
    }

    const QStringList& m_args;
    WallctlRequest m_request;
    QStringList m_positional;
    QMap<QString, QString> m_commandOptions;
};

} // namespace

WallctlParse parseWallctl(const QStringList& args)
{
    try {
        return {Parser(args).run(), {}};
    } catch (const Failure& failure) {
        return {std::nullopt, failure.message};
    }
}

QString wallctlUsage()
{
    return QStringLiteral(
        "Usage: wallctl [--wall ADDRESS] [--table FILE] [--timeout MS] [--port PORT] [--local-port PORT]\n"
        "               COMMAND [ARGUMENTS]\n"
        "\n"
        "Sends wall commands, scrambled and framed like the client's, to the wall server (or wallsim).\n"
        "\n"
        "Options:\n"
        "  --wall ADDRESS     the wall computer; default: the client's stored wall address (IPServer),\n"
        "                     else 127.0.0.1\n"
        "  --table FILE       permutation table (256 raw bytes or 512 hex digits); default: wallctl.table\n"
        "                     beside the program or in the settings folder, then BrisalClient.table in\n"
        "                     the settings folder, then the built-in table\n"
        "  --timeout MS       how long ping and details wait for the reply (1000)\n"
        "  --port PORT        the wall server's command port (57001)\n"
        "  --local-port PORT  local port to send from (default: any free port)\n"
        "  --help             this text\n"
        "\n"
        "Commands:\n"
        "  ping                         life-sign query; prints columns=N rows=N version=TEXT\n"
        "  details                      details query; prints the same\n"
        "  erase                        blank the wall\n"
        "  send HEX...                  each argument one body of hex bytes (spaces allowed)\n"
        "  time TEXT [SMALLTEXT]        time display; with SMALLTEXT as the clock page sends it\n"
        "  analog                       analog clock\n"
        "  soccer HOME GUEST GOALS GOALS\n"
        "  football HOME GUEST SCORE SCORE CLOCK [--running]\n"
        "                               game clock red (standing) or green (--running)\n"
        "  sets HOME GUEST GAMES GAMES SETS SETS\n"
        "  text [--header TEXT] [--mode auto|on|off] [--colors RGB,RGB,RGB] [--rows N] LINE...\n"
        "                               text list; colours RRGGBB for header, line and text (an empty\n"
        "                               entry keeps red, silver, white); mode off and 8 rows by default\n"
        "  live                         live video input\n"
        "  camera                       camera\n"
        "  startup LARGE SMALL          the wall server's start-up texts (\"00:00:00\" = its running clock)\n"
        "  close-server                 end the wall server program\n"
        "  shutdown-server              shut the wall computer down\n"
        "\n"
        "Arguments are taken as UTF-8 and sent as Windows-1252. \"--\" ends the options.\n"
        "Exit status: 0 done, 1 no reply or network failure, 2 bad input (nothing sent).\n");
}
