#pragma once

#include "wall_link/WallCommands.h"

#include <QString>

// Size of the wall's text area in characters. The wall reports it in its status reply; until it has,
// the program assumes 32 columns and 8 rows.
struct WallTextSize
{
    int columns = 32;
    int rows = 8;
};

// What a page needs of the wall: a way to send command bodies, the wall's address (uploads go to the
// same computer) and the size of its text area. The wall link implements it for the real wall; tests
// record what a page sends.
class WallSink
{
public:
    virtual ~WallSink() = default;

    // Sends each body, in order, as one datagram; fire and forget, failures go to the link's report.
    virtual void send(const wallcmd::Bodies& bodies) = 0;
    virtual QString address() const = 0;
    virtual WallTextSize textSize() const = 0;
};
