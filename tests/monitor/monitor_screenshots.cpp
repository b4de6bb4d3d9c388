// Takes the documentation screenshots of the on-air monitor: beside the launcher after a soccer send, and
// alone once the wall has stopped answering. Run it on an X display with BRISAL_BINARY_DIR set to the build
// folder (it starts that folder's wallsim on a free port) and the output folder as argument:
//   BRISAL_BINARY_DIR=build xvfb-run -a -s "-screen 0 1280x800x24" build/tests/monitor/monitor_screenshots
//   docs/screenshots
#include "app/Application.h"
#include "shell/ErrorReport.h"
#include "shell/QtGerman.h"
#include "support/Controls.h"
#include "support/ScreenShot.h"
#include "support/TestSupport.h"
#include "support/WallsimProcess.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installQtGerman(app);
    const QString out = testsupport::screenshotFolder(argc, argv);
    if (out.isEmpty())
        return 2;
    QTemporaryDir dir;
    WallsimProcess wall(dir.path());
    if (!wall.start(testsupport::freeUdpPort())) {
        std::fprintf(stderr, "monitor_screenshots: no wallsim at %s\n", qPrintable(WallsimProcess::program()));
        return 1;
    }
    RecordingReport report;
    ApplicationSetup setup;
    setup.ports.wallRx = testsupport::freeUdpPort();
    setup.ports.wallTx = wall.port();
    setup.ports.cosa = testsupport::freeUdpPort();
    setup.ports.json = testsupport::freeUdpPort();
    setup.main.settingsRoot = dir.filePath(QStringLiteral("settings"));
    BrisalClientApp client(setup, report);
    TFormMain& main = client.FormMain;
    main.show();
    if (!QTest::qWaitFor([&] { return client.Link.state() == LinkState::Up; }, 5000)) {
        std::fprintf(stderr, "monitor_screenshots: the wall does not answer\n");
        return 1;
    }
    main.move(20, 20);
    child<QAction>(main, "Wandmonitor1")->trigger();
    TFormMonitor& monitor = client.FormMonitor;
    monitor.move(main.frameGeometry().right() + 12, 20);

    TFormSocker& socker = client.FormSocker;
    socker.move(20, 420);
    socker.show();
    child<QLineEdit>(socker, "EdVereinLinks")->setText(QStringLiteral("TSV Nord"));
    child<QLineEdit>(socker, "EdVereinRechts")->setText(QStringLiteral("SC Süd"));
    child<QSpinBox>(socker, "UDToreLinks")->setValue(2);
    child<QSpinBox>(socker, "UDToreRechts")->setValue(1);
    child<QToolButton>(socker, "SBSend")->click();
    QTest::qWait(800);
    bool ok = testsupport::shootArea(main.frameGeometry().united(monitor.frameGeometry()).adjusted(-4, -4, 4, 4),
                                     out + QStringLiteral("/monitor.png"));

    // The wall goes silent: the supervision turns the link to waiting within two periods.
    wall.stop();
    if (!QTest::qWaitFor([&] { return client.Link.state() != LinkState::Up; }, 6000)) {
        std::fprintf(stderr, "monitor_screenshots: the link stays up without a wall\n");
        return 1;
    }
    QTest::qWait(2500);
    ok = testsupport::shootWindow(monitor, out + QStringLiteral("/monitor-no-link.png")) && ok;
    return ok ? 0 : 1;
}
