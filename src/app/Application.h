#pragma once

#include "app/MatchStateKeeper.h"
#include "app/RemoteWindows.h"
#include "feeds/CosaFeed.h"
#include "feeds/LynxFeed.h"
#include "feeds/SerialTiming.h"
#include "feeds/TimingMode.h"
#include "feeds/ZwWertungWindow.h"
#include "media/JpgPicture.h"
#include "media/MediaModule.h"
#include "media/Video.h"
#include "monitor/Monitor.h"
#include "pages/AmericanFootball.h"
#include "pages/Clock.h"
#include "pages/Socker.h"
#include "pages/SpielUndSatz.h"
#include "pages/SystemAlertSound.h"
#include "pages/Watch.h"
#include "pages/ZMT.h"
#include "remote/RemoteServer.h"
#include "shell/Config.h"
#include "shell/ErrorReport.h"
#include "shell/Main.h"
#include "shell/SendLog.h"
#include "textlist/Textbox.h"
#include "wall_link/IcmpPing.h"
#include "wall_link/PermutationTable.h"
#include "wall_link/Ports.h"
#include "wall_link/Sleeper.h"
#include "wall_link/UDPVesk.h"
#include "wall_link/WallLink.h"
#include "wall_link/ZELTools.h"

#include <memory>

struct ApplicationSetup
{
    Ports ports;                                        // the shipped program uses the defaults
    PermutationTable table = builtInPermutationTable(); // the scrambler's table
    TFormMain::Options main;      // program name, help file, arguments, settings folder, send log folder
    IcmpEcho* icmp = nullptr;     // nullptr: the system's ICMP facility
    const Clock* clock = nullptr; // nullptr: the system clock
    AlertSound* sound = nullptr;  // nullptr: the system's alert sound and tone
};

// The composition root: the communication parts first, then every window in the program's fixed order
// (the members' order below), each handed the narrow parts it needs, and the wiring between them.
// Nothing here runs before the event loop: the main window's show event and start timer do the first
// work. Tests build the same graph with free ports and a private settings folder.
class BrisalClientApp final
{
    Q_DISABLE_COPY_MOVE(BrisalClientApp)
public:
    BrisalClientApp(const ApplicationSetup& setup, ErrorReport& report);
    ~BrisalClientApp();

private:
    SystemClock m_systemClock;
    SystemAlertSound m_systemSound;
    std::unique_ptr<IcmpEcho> m_systemIcmp;
    ErrorReport& m_report;
    // A flood of oversized COSA datagrams shows one box at a time, with a count.
    CoalescingReport m_cosaReport;
    std::unique_ptr<SendLog> m_sendLog; // with a log folder only
    QString m_lynxError;                // the FinishLynx endpoint's last error as the status bar shows it

public:
    // Communication parts.
    Ports ports;
    TSleeper Sleeper;
    WallLink Link;
    TUDPVesk UDPCosa;
    TUDPVesk UDPJson;
    TZELTools ZELTools;
    TSerialTiming SerialTiming;
    TMediaModule Media;

    // Windows, in creation order.
    TFormMain FormMain;
    TFormConfig FormConfig;
    TFormWatch FormWatch;
    TFormZMT FormZMT;
    TFormSocker FormSocker;
    TFormAmericanFootball FormAmericanFootball;
    TFormTextbox FormTextbox;
    TFormJpg FormJpg;
    TFormVideo FormVideo;
    TFormSpielUndSatz FormSpielUndSatz;
    TFormWertung FormWertung;
    // "Wandmonitor": what the wall shows, from the bodies the link sent.
    TFormMonitor FormMonitor;

    // "Zeitmesstechnik": the serial timing input wired to the timing display.
    TTimingMode TimingMode;
    // The liveboard feed on UDPCosa, filling the text list window.
    TCosaFeed CosaFeed;
    // The FinishLynx feed on UDPJson, filling the text list window's FinishLynx page.
    TLynxFeed LynxFeed;
    // Names, scores, game clock and text list in their file beside the settings, restored at start.
    MatchStateKeeper MatchKeeper;
    // The remote control: HTTP and WebSocket acting on the windows, listening as the settings say.
    RemoteWindows RemoteActions;
    RemoteServer Remote;
};
