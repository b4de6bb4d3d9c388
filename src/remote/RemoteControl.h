#pragma once

#include "remote/RemoteRequest.h"
#include "wall_link/LinkState.h"

#include <QByteArray>
#include <QString>

// What the remote control reports of the program.
struct RemoteStatus
{
    LinkState link = LinkState::Unknown;
    int columns = 32; // the wall's text size, as its status reply gives it
    int rows = 8;
    QString version; // the wall server's version from its status reply; empty before the first
    QString page;    // the open page window by its remote name ("soccer", "picture", …); empty when none
    bool unsent = false;
};

// What the remote control may do to the program: the composition root implements it on the real windows,
// so that a remote call does exactly what the operator does.
class RemoteControl
{
public:
    virtual ~RemoteControl() = default;

    virtual RemoteStatus status() const = 0;
    // Whether remote calls may drive the page (the game-and-set page only while the settings switch it on).
    virtual bool pageEnabled(remote::PageKind page) const = 0;
    // As the operator would: the page opened as a page switch opens it, the values entered in its window,
    // "Anzeigen" pressed when the command asks. False when the launcher is itself opening a page; then
    // nothing has changed.
    virtual bool apply(const remote::PageCommand& command) = 0;
    // "Löschen" of the open page window; the erase sequence when none is open.
    virtual void erase() = 0;
    // The on-air monitor's picture as PNG; empty when there is none.
    virtual QByteArray monitorPng() const = 0;
};
