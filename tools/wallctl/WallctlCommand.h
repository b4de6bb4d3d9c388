#pragma once

#include "wall_link/WallCommands.h"

#include <QString>
#include <QStringList>

#include <optional>

// What one wallctl call asks for, read from its arguments without touching the network: where to
// send, and the exact bodies, in order. Parsing checks everything first, so bad input sends nothing.
struct WallctlRequest
{
    QString wall;          // empty: the client's stored wall address, else 127.0.0.1
    quint16 port = 57001;  // the wall server's command port
    quint16 localPort = 0; // 0: any free port, so a running client keeps its own 57000
    int timeoutMs = 1000;  // how long ping and details wait for the status reply
    QString tableFile;     // empty: the usual override lookup
    QString command;
    wallcmd::Bodies bodies;
    bool awaitsReply = false; // ping and details print the status reply
    bool help = false;
};

struct WallctlParse
{
    std::optional<WallctlRequest> request;
    QString error; // one line for stderr when request is empty
};

// args: the command line without the program name.
WallctlParse parseWallctl(const QStringList& args);

QString wallctlUsage();
