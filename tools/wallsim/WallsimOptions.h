#pragma once

#include "WallServer.h"

#include <QPoint>
#include <QSize>
#include <QStringList>

#include <optional>

// wallsim's command line.
struct WallsimOptions
{
    WallServer::Settings server;
    QString tableFile;
    bool headless = false;
    QSize size{768, 384};   // the wall's own pixel size
    QString mediaDir;       // where the uploads land; empty: placeholders
    QString screenshotFile; // written after every body and on SIGUSR1
    std::optional<QPoint> position;
    bool help = false;
};

struct WallsimParse
{
    std::optional<WallsimOptions> options;
    QString error;    // for stderr when options is empty
    QString helpText; // filled when options->help
};

// args: the whole command line, program name first.
WallsimParse parseWallsim(const QStringList& args);
