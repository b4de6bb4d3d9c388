// Takes the documentation screenshots of the main window, every page of the configuration dialog and
// Qt's file and colour dialogs as the program shows them (in German). Run it on an X display with a wall
// answering on 127.0.0.1:57001 (scripts/screenshots does both); it writes PNG files into the folder given
// as its argument.
#include "app/Application.h"
#include "shell/ErrorReport.h"
#include "shell/QtGerman.h"
#include "support/Controls.h"
#include "support/ScreenShot.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < timeoutMs)
        settle(20);
    return condition();
}

bool shoot(QWidget& window, const QString& file)
{
    settle(300);
    return testsupport::shootWindow(window, file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installQtGerman(app);
    const QString out = testsupport::screenshotFolder(argc, argv);
    if (out.isEmpty())
        return 2;
    QTemporaryDir settings;
    RecordingReport report;
    ApplicationSetup setup;
    setup.main.settingsRoot = settings.path();
    BrisalClientApp client(setup, report);
    TFormMain& main = client.FormMain;

    // The lamp as the operator first sees it: gray, before the start timer's life-sign query.
    if (auto* start = main.findChild<QTimer*>(QStringLiteral("StartTimer")))
        start->stop();
    main.show();
    bool ok = shoot(main, out + QStringLiteral("/main-window-gray.png"));

    client.Link.queryLifeSign();
    if (!waitFor([&] { return client.Link.state() == LinkState::Up; }, 5000)) {
        std::fprintf(stderr, "screenshots: the wall on 127.0.0.1:57001 does not answer\n");
        return 1;
    }
    ok = shoot(main, out + QStringLiteral("/main-window.png")) && ok;

    TFormConfig& config = client.FormConfig;
    config.move(main.x() + main.frameGeometry().width() + 20, main.y());
    // The timing page with a USB adapter chosen for "COM 1".
    Settings shown = main.settings();
    shown.serialPortIndex = 1;
    shown.serialDevices.insert(1, QStringLiteral("/dev/ttyUSB0"));
    // The remote control switched on for the network, with a token as the page generates one.
    shown.remoteEnabled = true;
    shown.remoteAddress = QStringLiteral("0.0.0.0");
    shown.remoteToken = QStringLiteral("q7Xv2Lm9TcRw4KpZ0bNhY3sD8fGjE6uA");
    config.loadSettings(shown);
    config.show();
    const QList<std::pair<const char*, QString>> pages{
        {"TSServer", QStringLiteral("videowand")},     {"TSClock", QStringLiteral("uhr")},
        {"TSZMT", QStringLiteral("zeitmesstechnik")},  {"TSServerText", QStringLiteral("server-startup")},
        {"TSUdpServer", QStringLiteral("udp-server")}, {"TSRemote", QStringLiteral("fernsteuerung")}};
    for (const auto& [page, name] : pages) {
        child<QTabWidget>(config, "PageControl1")->setCurrentWidget(child<QWidget>(config, page));
        ok = shoot(config, out + QStringLiteral("/config-") + name + QStringLiteral(".png")) && ok;
    }
    config.hide();

    QFileDialog files(nullptr, QStringLiteral("Bild öffnen ..."), QDir::homePath(), QStringLiteral("Bilder (*.jpg)"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    ok = shoot(files, out + QStringLiteral("/dialog-file.png")) && ok;
    files.hide();
    QColorDialog colours(Qt::yellow);
    colours.setOption(QColorDialog::DontUseNativeDialog);
    colours.show();
    ok = shoot(colours, out + QStringLiteral("/dialog-colour.png")) && ok;
    return ok ? 0 : 1;
}
