#pragma once

#include "AnsweringWall.h"
#include "app/Application.h"
#include "shell/ErrorReport.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/RecordingSound.h"
#include "support/TestSupport.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

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

    // Builds the graph; with show, shows the main window and waits until its start timer has run.
    void start(bool show = true, const QStringList& arguments = {}, const QString& settingsRoot = {})
    {
        ApplicationSetup setup;
        setup.ports.wallRx = testsupport::freeUdpPort();
        setup.ports.wallTx = wall.port();
        setup.ports.cosa = testsupport::freeUdpPort();
        setup.ports.json = testsupport::freeUdpPort();
        setup.main.arguments = arguments;
        setup.main.settingsRoot = settingsRoot.isEmpty() ? settings.path() : settingsRoot;
        setup.main.helpFile = settings.path() + QStringLiteral("/BrisalClient.chm");
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
    TLedBtnColor lamp() { return testsupport::control<TLedBtn>(app->FormMain, "LedBtnPing")->ActiveLight(); }

    QTemporaryDir settings;
    AnsweringWall wall;
    RecordingReport report;
    FakeClock clock;
    RecordingSound sound; // silent
    QList<int> waits;
    std::unique_ptr<BrisalClientApp> app;
};
