#pragma once

#include "AnsweringWall.h"
#include "WindowWatch.h"
#include "app/Application.h"
#include "shell/ErrorReport.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/RecordingSound.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// The configuration dialog's controls, found by objectName.
struct ConfigControls
{
    explicit ConfigControls(QWidget& dialog)
        : PageControl(child<QTabWidget>(dialog, "PageControl1")), TSServer(child<QWidget>(dialog, "TSServer")),
          TSClock(child<QWidget>(dialog, "TSClock")), TSZMT(child<QWidget>(dialog, "TSZMT")),
          TSUdpServer(child<QWidget>(dialog, "TSUdpServer")),
          EdWallIpAddress(child<QLineEdit>(dialog, "EdWallIpAddress")),
          RBServerKeepRunning(child<QRadioButton>(dialog, "RBServerKeepRunning")),
          RBServerShutdown(child<QRadioButton>(dialog, "RBServerShutdown")),
          RBServerClose(child<QRadioButton>(dialog, "RBServerClose")),
          EdWatchText(child<QLineEdit>(dialog, "EdWatchText")), CBSerialPort(child<QComboBox>(dialog, "CBSerialPort")),
          CBSerialProtocol(child<QComboBox>(dialog, "CBSerialProtocol")), CBBaud(child<QComboBox>(dialog, "CBBaud")),
          CBData(child<QComboBox>(dialog, "CBData")), CBParity(child<QComboBox>(dialog, "CBParity")),
          CBStop(child<QComboBox>(dialog, "CBStop")), EdServerLargeText(child<QLineEdit>(dialog, "EdServerLargeText")),
          EdServerSmallText(child<QLineEdit>(dialog, "EdServerSmallText")),
          SBServerStartupSettings(child<QPushButton>(dialog, "SBServerStartupSettings")),
          CBUseCosaServer(child<QCheckBox>(dialog, "CBUseCosaServer")),
          CBUseUdpLynx(child<QCheckBox>(dialog, "CBUseUdpLynx")),
          EdJsonIdPrefix(child<QLineEdit>(dialog, "EdJsonIdPrefix")), BBAbort(child<QPushButton>(dialog, "BBAbort")),
          BBOk(child<QPushButton>(dialog, "BBOk"))
    {}

    QTabWidget* PageControl;
    QWidget* TSServer;
    QWidget* TSClock;
    QWidget* TSZMT;
    QWidget* TSUdpServer;
    QLineEdit* EdWallIpAddress;
    QRadioButton* RBServerKeepRunning;
    QRadioButton* RBServerShutdown;
    QRadioButton* RBServerClose;
    QLineEdit* EdWatchText;
    QComboBox* CBSerialPort;
    QComboBox* CBSerialProtocol;
    QComboBox* CBBaud;
    QComboBox* CBData;
    QComboBox* CBParity;
    QComboBox* CBStop;
    QLineEdit* EdServerLargeText;
    QLineEdit* EdServerSmallText;
    QPushButton* SBServerStartupSettings;
    QCheckBox* CBUseCosaServer;
    QCheckBox* CBUseUdpLynx;
    QLineEdit* EdJsonIdPrefix;
    QPushButton* BBAbort;
    QPushButton* BBOk;
};

// The whole program as the composition root builds it: free ports, a private settings folder, an
// answering test wall behind the default address 127.0.0.1, and a recorder as the error report.
struct ClientFixture
{
    ClientFixture() { QApplication::setQuitOnLastWindowClosed(false); }

    // The settings file the program reads, to seed or inspect.
    QString settingsFile() const { return settings.path() + QStringLiteral("/ZEL/BrisalClient.conf"); }
    void store(const QString& key, const QString& value, const QString& group = QStringLiteral("Main"))
    {
        QSettings file(settingsFile(), QSettings::IniFormat);
        file.setValue(group + QLatin1Char('/') + key, value);
    }
    QString stored(const QString& key, const QString& group = QStringLiteral("Main")) const
    {
        QSettings file(settingsFile(), QSettings::IniFormat);
        return file.value(group + QLatin1Char('/') + key).toString();
    }

    QString logFolder() const { return settings.path() + QStringLiteral("/Protokoll"); }

    // Builds the graph; with show, shows the main window and waits until its start timer has run.
    void start(bool show = true, const QStringList& arguments = {}, const QString& settingsRoot = {})
    {
        ApplicationSetup setup;
        setup.ports.wallRx = testsupport::freeUdpPort();
        setup.ports.wallTx = wallPort ? wallPort : wall.port();
        setup.ports.cosa = testsupport::freeUdpPort();
        setup.ports.json = testsupport::freeUdpPort();
        setup.main.arguments = arguments;
        setup.main.settingsRoot = settingsRoot.isEmpty() ? settings.path() : settingsRoot;
        setup.main.helpFile = settings.path() + QStringLiteral("/BrisalClient.chm");
        setup.main.logFolder = logFolder();
        setup.clock = &clock;
        setup.sound = &sound;
        app = std::make_unique<BrisalClientApp>(setup, report);
        QObject::connect(&app->Sleeper, &TSleeper::sleeping, [this](int ms) { waits << ms; });
        if (show) {
            app->FormMain.show();
            QVERIFY(QTest::qWaitForWindowExposed(&app->FormMain));
            waitForStartTimer();
        }
    }

    void waitForStartTimer() { QTRY_VERIFY(!app->FormMain.findChild<QTimer*>(QStringLiteral("StartTimer"))); }

    TFormMain& main() { return app->FormMain; }
    TFormConfig& config() { return app->FormConfig; }
    ConfigControls configControls() { return ConfigControls(app->FormConfig); }
    // The operator opens the configuration dialog from the menu, edits it and closes it with OK or by
    // cancelling.
    void editConfig(const std::function<void(const ConfigControls&)>& edit, bool ok = false)
    {
        WindowWatch watch(WindowWatch::window(app->FormConfig), [&](QWidget&) {
            const ConfigControls controls = configControls();
            edit(controls);
            QTest::mouseClick(ok ? controls.BBOk : controls.BBAbort, Qt::LeftButton);
        });
        app->FormMain.Konfiguration2Click();
        QCOMPARE(watch.showings(), 1);
    }
    TLedBtnColor lamp() { return testsupport::control<TLedBtn>(app->FormMain, "LedBtnPing")->ActiveLight(); }

    QTemporaryDir settings;
    AnsweringWall wall;
    quint16 wallPort = 0; // another wall's port (a wallsim process); 0: the answering wall
    RecordingReport report;
    FakeClock clock;
    RecordingSound sound; // silent
    QList<int> waits;
    std::unique_ptr<BrisalClientApp> app;
};
