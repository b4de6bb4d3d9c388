#include "SignalWatcher.h"
#include "ToolTable.h"
#include "WallMediaSource.h"
#include "WallServer.h"
#include "WallWindow.h"
#include "WallsimOptions.h"
#include "wall_view/WallModel.h"
#include "wall_view/WallRenderer.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kExitBadInput = 2;

void say(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().append('\n').constData(), stream);
    std::fflush(stream);
}

bool hasArgument(int argc, char** argv, const char* name)
{
    const size_t n = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, n) == 0 && (argv[i][n] == '\0' || argv[i][n] == '='))
            return true;
    }
    return false;
}

// The kind of application decides whether there can be a window, or at least painting with fonts.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    const bool help = hasArgument(argc, argv, "--help") || hasArgument(argc, argv, "-h");
    const bool headless = hasArgument(argc, argv, "--headless");
    const bool screenshot = hasArgument(argc, argv, "--screenshot");
    if (help || (headless && !screenshot))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (headless) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    // Without a display Qt would abort inside QApplication; say what to do instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        say(stderr, QStringLiteral("wallsim: no display; run it with --headless, under xvfb-run, or with "
                                   "QT_QPA_PLATFORM=offscreen"));
        return nullptr;
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    if (!app)
        return 1;
    QCoreApplication::setApplicationName(QStringLiteral("wallsim"));

    const WallsimParse parsed = parseWallsim(QCoreApplication::arguments());
    if (!parsed.options) {
        say(stderr, QStringLiteral("wallsim: ") + parsed.error);
        return kExitBadInput;
    }
    const WallsimOptions& options = *parsed.options;
    if (options.help) {
        say(stdout, parsed.helpText);
        return 0;
    }

    const TableChoice table = chooseToolTable(QStringLiteral("wallsim"), options.tableFile);
    for (const QString& message : table.messages)
        say(stderr, QStringLiteral("wallsim: ") + message);
    if (!table.source.isEmpty())
        say(stdout, QStringLiteral("wallsim: permutation table from %1").arg(QDir::toNativeSeparators(table.source)));

    WallModel model;
    WallServer server(model, table.table, options.server);
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

    // Drawing needs a GUI application: a window, or a screenshot file.
    const bool draws = !options.headless || !options.screenshotFile.isEmpty();
    std::unique_ptr<WallRenderer> renderer;
    std::unique_ptr<WallMediaSource> media;
    std::unique_ptr<WallWindow> window;
    std::unique_ptr<SignalWatcher> usr1;
    if (draws) {
        renderer = std::make_unique<WallRenderer>(options.size, options.server.columns, options.server.rows);
        media = std::make_unique<WallMediaSource>(model, options.mediaDir);
        QObject::connect(&server, &WallServer::bodyApplied, media.get(), &WallMediaSource::update);
    }
    if (!options.headless) {
        window = std::make_unique<WallWindow>(model, server, *renderer, *media);
        QObject::connect(&server, &WallServer::bodyApplied, window.get(), &WallWindow::refresh);
        QObject::connect(media.get(), &WallMediaSource::changed, window.get(), &WallWindow::refresh);
        if (options.position)
            window->move(*options.position);
        window->show();
    }
    if (!options.screenshotFile.isEmpty()) {
        auto writeScreenshot = [&] {
            const QImage image = renderer->render(model, QDateTime::currentDateTime(), media->current());
            QSaveFile file(options.screenshotFile); // replaced whole, never seen half written
            if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
                say(stderr, QStringLiteral("wallsim: cannot write screenshot %1").arg(options.screenshotFile));
        };
        QObject::connect(&server, &WallServer::bodyApplied, &server, writeScreenshot);
        usr1 = std::make_unique<SignalWatcher>(SIGUSR1);
        QObject::connect(usr1.get(), &SignalWatcher::raised, &server, writeScreenshot);
        writeScreenshot();
    }
    say(stdout,
        QStringLiteral("wallsim: listening on %1:%2").arg(options.server.bind.toString()).arg(options.server.port));
    return QCoreApplication::exec();
}
