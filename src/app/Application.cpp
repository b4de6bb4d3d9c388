#include "app/Application.h"

#include "shell/ErrorReport.h"

BrisalClientApp::BrisalClientApp(const ApplicationSetup& setup, ErrorReport& report)
    : m_systemIcmp(setup.icmp ? nullptr : std::make_unique<SystemIcmpEcho>()), m_report(report), m_cosaReport(report),
      ports(setup.ports), Link(setup.ports, setup.table), ZELTools(setup.icmp ? *setup.icmp : *m_systemIcmp),
      Media(Sleeper, ports), FormMain(setup.main, report), FormConfig(&FormMain),
      FormWatch(
          Link, setup.clock ? *setup.clock : m_systemClock, [this] { return FormMain.settings().watchText; },
          &FormMain),
      FormZMT(Link, &FormMain), FormSocker(Link, &FormMain),
      FormAmericanFootball(Link, setup.clock ? *setup.clock : m_systemClock, setup.sound ? *setup.sound : m_systemSound,
                           &FormMain),
      FormTextbox(Link, Media, report, &FormMain), FormJpg(Link, Media, report, &FormMain),
      FormVideo(Link, Media, report, &FormMain), FormSpielUndSatz(Link, Media, report, &FormMain),
      FormWertung(FormTextbox), FormMonitor(Link, setup.clock ? *setup.clock : m_systemClock, &FormMain),
      TimingMode(FormMain, FormMain.settings(), Link, ZELTools, SerialTiming, FormZMT, report), CosaFeed(FormTextbox),
      LynxFeed(FormTextbox, report, [this] { return FormMain.settings().rxPrefix; }),
      MatchKeeper({FormSocker, FormAmericanFootball, FormSpielUndSatz, FormTextbox},
                  FormMain.settingsStore().besideStore(QStringLiteral("-Spielstand.json")), report),
      RemoteActions({FormMain, FormWatch, FormSocker, FormAmericanFootball, FormTextbox, FormSpielUndSatz, FormJpg,
                     FormVideo, FormZMT},
                    Link),
      Remote(RemoteActions, setup.clock ? *setup.clock : m_systemClock)
{
    Sleeper.setObjectName(QStringLiteral("Sleeper"));
    Sleeper.setInterval(60);
    UDPCosa.setObjectName(QStringLiteral("UDPCosa"));
    UDPCosa.RxPort = ports.cosa;
    UDPCosa.TxPort = 11990;
    UDPJson.setObjectName(QStringLiteral("UDPJson"));
    UDPJson.RxPort = ports.json;
    UDPJson.TxPort = ports.json;

    FormConfig.connectLink(Link, FormMain);
    FormMain.connectParts({FormConfig,
                           Link,
                           Sleeper,
                           {UDPCosa, UDPJson},
                           Media.Preview,
                           FormWatch,
                           FormZMT,
                           FormSocker,
                           FormAmericanFootball,
                           FormTextbox,
                           FormJpg,
                           FormVideo,
                           FormSpielUndSatz});
    FormMain.setTimingMode([this] { TimingMode.run(); });
    FormMain.connectMonitor(FormMonitor);
    FormAmericanFootball.setKeepsTime([this] { return FormMain.settings().gameClockKeepsTime; });
    QObject::connect(&Link, &WallLink::bodiesSent, &FormAmericanFootball, &TFormAmericanFootball::noteSent);
    QObject::connect(&UDPCosa, &TUDPVesk::OnReceiveBurst, &CosaFeed, &TCosaFeed::UDPCosaReceiveBurst);
    LynxFeed.connectEndpoint(UDPJson);
    LynxFeed.setStatusLine([this](const QString& text) { FormMain.setStatusText(text); });
    // A feed port that another program holds is tried again every few seconds.
    UDPCosa.setRebindInterval(TUDPVesk::kRebindMs);
    UDPJson.setRebindInterval(TUDPVesk::kRebindMs);
    // The FinishLynx endpoint's errors go to the status bar, and a port's cause leaves it once the port is
    // bound. Unlike the wall link's, they close no page window: a datagram from anyone on the network must
    // not take the operator's window away. The COSA endpoint keeps its own error box, one at a time.
    QObject::connect(&UDPJson, &TUDPVesk::OnError, &FormMain, [this](int, const QString& msg) {
        m_lynxError = QStringLiteral("Socketfehler: ") + msg;
        FormMain.setStatusText(m_lynxError);
    });
    QObject::connect(&UDPJson, &TUDPVesk::Bound, &FormMain, [this] { FormMain.clearStatusIfShowing(m_lynxError); });
    QObject::connect(&UDPCosa, &TUDPVesk::OnError, &UDPCosa, [this](int, const QString& msg) {
        m_cosaReport.showMessage(ErrorReport::Icon::Critical, QStringLiteral("UDPVesk"),
                                 QStringLiteral("Der COSA-Empfang ist gestört:\n") + msg +
                                     QStringLiteral("\nBitte prüfen, ob ein anderes Programm den COSA-Port belegt."));
    });

    RemoteActions.setPicture([this] { return FormMonitor.picture(TFormMonitor::wallPixels()); });
    RemoteActions.setUnsentListener([this](const QString& page, bool unsent) { Remote.publishUnsent(page, unsent); });
    QObject::connect(&Link, &WallLink::stateChanged, &Remote, &RemoteServer::publishLinkState);
    QObject::connect(&Link, &WallLink::bodiesSent, &Remote, &RemoteServer::publishSent);
    QObject::connect(&FormMain, &TFormMain::settingsApplied, &Remote, [this] {
        const Settings& s = FormMain.settings();
        // A port that could not be opened stays named in the status bar until the remote control listens.
        FormMain.clearStatusIfShowing(Remote.errorString());
        if (!Remote.apply({s.remoteEnabled, s.remoteAddress, quint16(s.remotePort), s.remoteToken}))
            FormMain.setStatusText(Remote.errorString());
    });

    if (!setup.main.logFolder.isEmpty()) {
        m_sendLog = std::make_unique<SendLog>(setup.main.logFolder, setup.clock ? *setup.clock : m_systemClock);
        m_sendLog->connectLink(Link);
        m_sendLog->connectUpload(Media.Upload);
        report.setListener(
            [log = m_sendLog.get()](ErrorReport::Icon icon, const QString& caption, const QString& text) {
                const QString heading = icon == ErrorReport::Icon::Critical  ? QStringLiteral("Fehler")
                                        : icon == ErrorReport::Icon::Warning ? QStringLiteral("Warnung")
                                                                             : QStringLiteral("Hinweis");
                log->message(heading, caption, text);
            });
    }
}

BrisalClientApp::~BrisalClientApp()
{
    // The report outlives the program's parts.
    if (m_sendLog)
        m_report.setListener({});
}
