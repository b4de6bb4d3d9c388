#pragma once

#include "app/DModule.h"
#include "app/PlaceholderWindows.h"
#include "feeds/CosaFeed.h"
#include "feeds/LynxFeed.h"
#include "feeds/TimingMode.h"
#include "media/JpgPicture.h"
#include "media/Video.h"
#include "pages/AmericanFootball.h"
#include "pages/Clock.h"
#include "pages/Socker.h"
#include "pages/SystemAlertSound.h"
#include "pages/Watch.h"
#include "pages/ZMT.h"
#include "shell/Config.h"
#include "shell/Main.h"
#include "textlist/Textbox.h"
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
    const Clock* clock = nullptr;                       // nullptr: the system clock
    AlertSound* sound = nullptr;                        // nullptr: the system's alert sound and tone
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

private:
    SystemClock m_systemClock;
    SystemAlertSound m_systemSound;

public:
    // Creation order. Windows created before the data module only keep a reference to it.
    TFormMain FormMain;
    TFormConfig FormConfig;
    TFormWatch FormWatch;
    TFormZMT FormZMT;
    TFormSocker FormSocker;
    TFormAmericanFootball FormAmericanFootball;
    TDM DM;
    TFormTextbox FormTextbox;
    TFormJpg FormJpg;
    TFormVideo FormVideo;
    placeholder::TFormSpielUndSatz FormSpielUndSatz;
    placeholder::TFormWertung FormWertung;

    // "Zeitmesstechnik": the serial timing input wired to the timing display.
    TTimingMode TimingMode;
    // The liveboard feed on UDPCosa, writing into the text list window.
    TCosaFeed CosaFeed;
    // The FinishLynx feed on UDPJson, writing into the text list window's FinishLynx page.
    TLynxFeed LynxFeed;
};
