#include "ToolTable.h"
#include "WallModel.h"
#include "WallServer.h"
#include "WallWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kExitBadInput = 2;

void say(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

bool hasFlag(int argc, char** argv, const char* flag)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0)
            return true;
    }
    return false;
}

bool readByteCount(const QCommandLineParser& parser, const QString& name, int* out)
{
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 0 || value > 255) {
        say(stderr, QStringLiteral("wallsim: --%1 must be a number from 0 to 255").arg(name));
        return false;
    }
    *out = value;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const bool headless = hasFlag(argc, argv, "--headless");
    const bool help = hasFlag(argc, argv, "--help") || hasFlag(argc, argv, "-h");
    // Without a display Qt would abort inside QApplication; say what to do instead.
    if (!headless && !help && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        say(stderr, QStringLiteral("wallsim: no display; run it with --headless, under xvfb-run, or with "
                                   "QT_QPA_PLATFORM=offscreen"));
        return 1;
    }
    std::unique_ptr<QCoreApplication> app;
    if (headless || help)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wallsim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The virtual wall: a wall server for demonstrations, rehearsal and tests.\n"
        "Receives scrambled command datagrams, shows what a wall would show, and answers the\n"
        "life-sign (80 FD) and details (80 FE) queries with the status reply 10 FD columns rows version.\n"
        "Ends on EE EE \"CloseServer\"; EE EE \"Shutdown\" is only logged and reported."));
    parser.addHelpOption();
    const QCommandLineOption portOpt(QStringLiteral("port"), QStringLiteral("UDP port to receive on (57001)."),
                                     QStringLiteral("PORT"), QStringLiteral("57001"));
    const QCommandLineOption bindOpt(QStringLiteral("bind"),
                                     QStringLiteral("Local address to bind (127.0.0.1; 0.0.0.0 for every network)."),
                                     QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption tableOpt(
        QStringLiteral("table"),
        QStringLiteral("Permutation table file (256 raw bytes or 512 hex digits). Default: wallsim.table beside "
                       "the program or in the settings folder, then BrisalClient.table in the settings folder, "
                       "then the built-in table."),
        QStringLiteral("FILE"));
    const QCommandLineOption columnsOpt(QStringLiteral("columns"), QStringLiteral("Text columns to report (32)."),
                                        QStringLiteral("N"), QStringLiteral("32"));
    const QCommandLineOption rowsOpt(QStringLiteral("rows"), QStringLiteral("Text rows to report (8)."),
                                     QStringLiteral("N"), QStringLiteral("8"));
    const QCommandLineOption versionOpt(QStringLiteral("version"),
                                        QStringLiteral("Version text to report (\"wallsim 1.0\")."),
                                        QStringLiteral("TEXT"), QStringLiteral("wallsim 1.0"));
    const QCommandLineOption silentOpt(QStringLiteral("silent"), QStringLiteral("Answer no query."));
    const QCommandLineOption logOpt(QStringLiteral("log"),
                                    QStringLiteral("Append every plain body to FILE, one line of hex bytes each."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption headlessOpt(QStringLiteral("headless"), QStringLiteral("Run without a window."));
    parser.addOptions({portOpt, bindOpt, tableOpt, columnsOpt, rowsOpt, versionOpt, silentOpt, logOpt, headlessOpt});
    if (!parser.parse(QCoreApplication::arguments())) {
        say(stderr, QStringLiteral("wallsim: ") + parser.errorText());
        return kExitBadInput;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        say(stdout, parser.helpText());
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        say(stderr, QStringLiteral("wallsim: unexpected argument %1").arg(parser.positionalArguments().first()));
        return kExitBadInput;
    }

    WallServer::Settings settings;
    bool ok = false;
    const uint port = parser.value(portOpt).toUInt(&ok);
    if (!ok || port == 0 || port > 65535) {
        say(stderr, QStringLiteral("wallsim: --port must be a number from 1 to 65535"));
        return kExitBadInput;
    }
    settings.port = static_cast<quint16>(port);
    if (!settings.bind.setAddress(parser.value(bindOpt))) {
        say(stderr, QStringLiteral("wallsim: --bind needs an IP address, not %1").arg(parser.value(bindOpt)));
        return kExitBadInput;
    }
    if (!readByteCount(parser, QStringLiteral("columns"), &settings.columns) ||
        !readByteCount(parser, QStringLiteral("rows"), &settings.rows))
        return kExitBadInput;
    settings.version = parser.value(versionOpt);
    // The status reply must fit one datagram body: 4 bytes before the text.
    if (settings.version.size() > 280) {
        say(stderr, QStringLiteral("wallsim: --version is longer than 280 characters"));
        return kExitBadInput;
    }
    settings.silent = parser.isSet(silentOpt);
    settings.logFile = parser.value(logOpt);

    const TableChoice table = chooseToolTable(QStringLiteral("wallsim"), parser.value(tableOpt));
    for (const QString& message : table.messages)
        say(stderr, QStringLiteral("wallsim: ") + message);
    if (!table.source.isEmpty())
        say(stdout, QStringLiteral("wallsim: permutation table from %1").arg(QDir::toNativeSeparators(table.source)));

    WallModel model;
    WallServer server(model, table.table, settings);
    QString error;
    if (!server.start(&error)) {
        say(stderr, QStringLiteral("wallsim: ") + error);
        return 1;
    }
    QObject::connect(&server, &WallServer::shutdownRequested, &server, [] {
        say(stdout, QStringLiteral("wallsim: shutdown of the wall computer asked for (not done)"));
    });
    QObject::connect(&server, &WallServer::closeRequested, &server, [] {
        say(stdout, QStringLiteral("wallsim: CloseServer received, ending"));
        QCoreApplication::exit(0);
    });

    std::unique_ptr<WallWindow> window;
    if (!headless) {
        window = std::make_unique<WallWindow>(model, server);
        QObject::connect(&server, &WallServer::bodyApplied, window.get(), &WallWindow::bodyApplied);
        window->show();
    }
    say(stdout, QStringLiteral("wallsim: listening on %1:%2").arg(settings.bind.toString()).arg(settings.port));
    return QCoreApplication::exec();
}
