#pragma once

#include <QtGlobal>

// Every port the program uses, in one place. The shipped program always uses the defaults;
// tests pass others so that test processes can run side by side.
struct Ports
{
    quint16 wallRx = 57000; // local port of the wall link: replies arrive here, commands leave from here
    quint16 wallTx = 57001; // the wall server's command port
    quint16 cosa = 11991;   // COSA liveboard feed
    quint16 json = 65443;   // FinishLynx JSON feed
    quint16 ftp = 21;       // media upload to the wall computer
};
