#include "app/Application.h"

#include "shell/ErrorReport.h"

BrisalClientApp::BrisalClientApp(const ApplicationSetup& setup, ErrorReport& report)
    : m_systemIcmp(setup.icmp ? nullptr : std::make_unique<SystemIcmpEcho>()), ports(setup.ports),
      Link(setup.ports, setup.table), ZELTools(setup.icmp ? *setup.icmp : *m_systemIcmp), Media(Sleeper, ports),
      FormMain(setup.main, report), FormConfig(&FormMain),
      FormWatch(
          Link, setup.clock ? *setup.clock : m_systemClock, [this] { return FormMain.settings().watchText; },
          &FormMain),
      FormZMT(Link, &FormMain), FormSocker(Link, &FormMain),
      FormAmericanFootball(Link, setup.clock ? *setup.clock : m_systemClock, setup.sound ? *setup.sound : m_systemSound,
                           &FormMain),
      FormTextbox(Link, Media, report, &FormMain), FormJpg(Link, Media, report, &FormMain),
      FormVideo(Link, Media, report, &FormMain), FormSpielUndSatz(&FormMain), FormWertung(&FormMain),
      TimingMode(FormMain, FormMain.settings(), FormMain.settingsStore(), Link, ZELTools, SerialTiming, FormZMT,
                 report),
      CosaFeed(FormTextbox), LynxFeed(FormTextbox, report, [this] { return FormMain.settings().rxPrefix; })
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
    QObject::connect(&UDPCosa, &TUDPVesk::OnReceive, &CosaFeed, &TCosaFeed::UDPCosaReceive);
    LynxFeed.connectEndpoint(UDPJson);
    // The FinishLynx endpoint's errors are link errors for the operator; the COSA endpoint keeps its own
    // error box.
    QObject::connect(&UDPJson, &TUDPVesk::OnError, &FormMain, [this](int, const QString& msg) {
        FormMain.showLinkError(QStringLiteral("Socketfehler: ") + msg);
    });
    QObject::connect(&UDPCosa, &TUDPVesk::OnError, &UDPCosa, [&report](int, const QString& msg) {
        report.showMessage(ErrorReport::Icon::Critical, QStringLiteral("UDPVesk"),
                           QStringLiteral("Der COSA-Empfang ist gestört:\n") + msg +
                               QStringLiteral("\nBitte prüfen, ob ein anderes Programm den COSA-Port belegt."));
    });
}

BrisalClientApp::~BrisalClientApp() = default;
