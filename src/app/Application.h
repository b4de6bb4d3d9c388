#pragma once

#include "app/DModule.h"
#include "app/PlaceholderWindows.h"
#include "shell/Config.h"
#include "shell/Main.h"
#include "wall_link/PermutationTable.h"
#include "wall_link/Ports.h"

class ErrorReport;
class IcmpEcho;

struct ApplicationSetup
{
    Ports ports;                                        // the shipped program uses the defaults
    PermutationTable table = builtInPermutationTable(); // the scrambler's table
    TFormMain::Options main;                            // program name, help file, arguments, settings folder
    IcmpEcho* icmp = nullptr;                           // nullptr: the system's ICMP facility
};

// The composition root: every window and the data module, created once in the fixed start-up order
// (the members' order below) and wired together. Nothing here runs before the event loop: the main
// window's show event and start timer do the first work. Tests build the same graph with free ports and
// a private settings folder.
class BrisalClientApp final
{
    Q_DISABLE_COPY_MOVE(BrisalClientApp)
public:
    BrisalClientApp(const ApplicationSetup& setup, ErrorReport& report);
    ~BrisalClientApp();

    // Creation order. Windows created before the data module only keep a reference to it.
    TFormMain FormMain;
    TFormConfig FormConfig;
    placeholder::TFormWatch FormWatch;
    placeholder::TFormZMT FormZMT;
    placeholder::TFormSocker FormSocker;
    placeholder::TFormAmericanFootball FormAmericanFootball;
    TDM DM;
    placeholder::TFormTextbox FormTextbox;
    placeholder::TFormJpg FormJpg;
    placeholder::TFormVideo FormVideo;
    placeholder::TFormSpielUndSatz FormSpielUndSatz;
    placeholder::TFormWertung FormWertung;
};
