#include "app/Application.h"

#include "shell/ErrorReport.h"

#include <QLineEdit>

BrisalClientApp::BrisalClientApp(const ApplicationSetup& setup, ErrorReport& report)
    : FormMain(setup.main, report), FormConfig(&FormMain),
      FormWatch(
          DM, setup.clock ? *setup.clock : m_systemClock, [this] { return FormConfig.EdWatchText->text(); }, &FormMain),
      FormZMT(DM, &FormMain), FormSocker(DM, &FormMain),
      FormAmericanFootball(DM, setup.clock ? *setup.clock : m_systemClock, setup.sound ? *setup.sound : m_systemSound,
                           &FormMain),
      DM(setup.ports, setup.table, nullptr, setup.icmp), FormTextbox(DM, report, &FormMain),
      FormJpg(DM, report, &FormMain), FormVideo(DM, report, &FormMain), FormSpielUndSatz(DM, &FormMain),
      FormWertung(DM, &FormMain), TimingMode(FormMain, FormConfig, DM, FormZMT, report),
      CosaFeed(DM, FormTextbox, report),
      LynxFeed(FormTextbox, report, [this] { return FormConfig.EdJsonIdPrefix->text(); })
{
    DM.setWallAddressSource([this] { return FormConfig.EdWallIpAddress->text(); });
    FormConfig.connectDataModule(DM, FormMain);
    FormMain.connectParts({FormConfig, DM, FormWatch, FormZMT, FormSocker, FormAmericanFootball, FormTextbox, FormJpg,
                           FormVideo, FormSpielUndSatz});
    FormMain.setTimingMode([this] { TimingMode.run(); });
    QObject::connect(&DM.UDPCosa, &TUDPVesk::OnReceive, &CosaFeed, &TCosaFeed::UDPCosaReceive);
    LynxFeed.connectEndpoint(DM.UDPJson);
    // The COSA endpoint keeps the endpoint's own error box.
    QObject::connect(&DM.UDPCosa, &TUDPVesk::OnError, &DM, [&report](int, const QString& msg) {
        report.showMessage(ErrorReport::Icon::Critical, QStringLiteral("UDPVesk"), QStringLiteral("Error:\r") + msg);
    });
}

BrisalClientApp::~BrisalClientApp() = default;
