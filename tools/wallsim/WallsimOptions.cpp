#include "WallsimOptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

std::optional<int> number(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

WallsimParse parseWallsim(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The virtual wall: a wall server for demonstrations, rehearsal and tests.\n"
        "Receives scrambled command datagrams, draws what the wall would show, and answers the\n"
        "life-sign (80 FD) and details (80 FE) queries with the status reply 10 FD columns rows version.\n"
        "Ends on EE EE \"CloseServer\"; EE EE \"Shutdown\" is only logged and reported.\n"
        "Before any page-select record it shows the start-up texts (\"00:00:00\": its running clock).\n"
        "\n"
        "Media pages show files from --media DIR: picture BrisalClient.jpg, video the newest\n"
        "BrisalClient.<extension>, live video live.*, camera camera.* (picture or video); without them\n"
        "a labelled placeholder. The game-and-set page shows the newest upload until 10 57 clears it.\n"
        "\n"
        "--screenshot FILE writes the wall image (PNG, at --size) after every body received, before the\n"
        "body is logged, and whenever the process gets SIGUSR1 (kill -USR1 PID), e.g. for a video frame."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("UDP port to receive on (57001)."),
                                  QStringLiteral("PORT"), QStringLiteral("57001"));
    const QCommandLineOption bind(QStringLiteral("bind"),
                                  QStringLiteral("Local address to bind (127.0.0.1; 0.0.0.0 for every network)."),
                                  QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption table(
        QStringLiteral("table"),
        QStringLiteral("Permutation table file (256 raw bytes or 512 hex digits). Default: wallsim.table beside "
                       "the program or in the settings folder, then BrisalClient.table in the settings folder, "
                       "then the built-in table."),
        QStringLiteral("FILE"));
    const QCommandLineOption columns(QStringLiteral("columns"), QStringLiteral("Text columns to report (32)."),
                                     QStringLiteral("N"), QStringLiteral("32"));
    const QCommandLineOption rows(QStringLiteral("rows"), QStringLiteral("Text rows to report (8)."),
                                  QStringLiteral("N"), QStringLiteral("8"));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Version text to report (\"wallsim 1.0\")."),
                                     QStringLiteral("TEXT"), QStringLiteral("wallsim 1.0"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Answer no query."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Append every plain body to FILE, one line of hex bytes each."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption headless(QStringLiteral("headless"), QStringLiteral("Run without a window."));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("The wall's pixel size (768x384)."),
                                  QStringLiteral("WxH"), QStringLiteral("768x384"));
    const QCommandLineOption media(QStringLiteral("media"),
                                   QStringLiteral("Media folder, where the picture and video uploads land."),
                                   QStringLiteral("DIR"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Write the wall image to FILE (PNG); see above when."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption position(QStringLiteral("position"),
                                      QStringLiteral("Place the window's top left corner at X,Y."),
                                      QStringLiteral("X,Y"));
    parser.addOptions(
        {port, bind, table, columns, rows, version, silent, log, headless, size, media, screenshot, position});

    auto fail = [](const QString& error) { return WallsimParse{std::nullopt, error, {}}; };
    if (!parser.parse(args))
        return fail(parser.errorText());
    WallsimOptions o;
    if (parser.isSet(QStringLiteral("help"))) {
        o.help = true;
        return {o, {}, parser.helpText()};
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));

    const auto portValue = number(parser.value(port), 1, 65535);
    if (!portValue)
        return fail(QStringLiteral("--port must be a number from 1 to 65535"));
    o.server.port = static_cast<quint16>(*portValue);
    if (!o.server.bind.setAddress(parser.value(bind)))
        return fail(QStringLiteral("--bind needs an IP address, not %1").arg(parser.value(bind)));
    const auto columnsValue = number(parser.value(columns), 1, 255);
    const auto rowsValue = number(parser.value(rows), 0, 255);
    if (!columnsValue || !rowsValue)
        return fail(QStringLiteral("--columns must be from 1 to 255 and --rows from 0 to 255"));
    o.server.columns = *columnsValue;
    o.server.rows = *rowsValue;
    o.server.version = parser.value(version);
    // The status reply must fit one datagram body: 4 bytes before the text.
    if (o.server.version.size() > 280)
        return fail(QStringLiteral("--version is longer than 280 characters"));
    o.server.silent = parser.isSet(silent);
    o.server.logFile = parser.value(log);
    o.tableFile = parser.value(table);
    o.headless = parser.isSet(headless);

    const QRegularExpressionMatch sizeMatch =
        QRegularExpression(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$")).match(parser.value(size));
    const auto w = sizeMatch.hasMatch() ? number(sizeMatch.captured(1), 64, 8192) : std::nullopt;
    const auto h = sizeMatch.hasMatch() ? number(sizeMatch.captured(2), 32, 8192) : std::nullopt;
    if (!w || !h)
        return fail(
            QStringLiteral("--size must be WIDTHxHEIGHT, from 64x32 to 8192x8192, not %1").arg(parser.value(size)));
    o.size = QSize(*w, *h);
    o.mediaDir = parser.value(media);
    o.screenshotFile = parser.value(screenshot);
    if (parser.isSet(position)) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(-?\\d{1,5}),(-?\\d{1,5})$")).match(parser.value(position));
        if (!m.hasMatch())
            return fail(QStringLiteral("--position must be X,Y, not %1").arg(parser.value(position)));
        o.position = QPoint(m.captured(1).toInt(), m.captured(2).toInt());
    }
    return {o, {}, {}};
}
