#include "feeds/TimingMode.h"

#include "feeds/SerialSetup.h"
#include "feeds/SerialTiming.h"
#include "pages/ZMT.h"
#include "shell/ErrorReport.h"
#include "shell/Main.h"
#include "shell/Settings.h"
#include "wall_link/WallLink.h"
#include "wall_link/ZELTools.h"

#include <QLabel>

// Three lines; Qt's message box breaks lines at '\n' only.
const QString TTimingMode::kPortError = QStringLiteral("Dieser Modus kann nicht benutzt werden, weil\n"
                                                       "die serielle Schnittstelle nicht funktioniert\n"
                                                       "oder falsch konfiguriert ist.");

QString TTimingMode::portErrorText(const QString& detail)
{
    return kPortError + QStringLiteral("\n\n") + detail;
}

TTimingMode::TTimingMode(TFormMain& main, const Settings& settings, WallLink& link, const TZELTools& tools,
                         TSerialTiming& timing, TFormZMT& zmt, ErrorReport& report)
    : m_main(main), m_settings(settings), m_link(link), m_tools(tools), m_timing(timing), m_zmt(zmt), m_report(report)
{
    m_timing.setDisplay([this] { return m_zmt.isVisible(); },
                        [this](const QString& text, bool force) { m_zmt.HandleTimeMessage(text, force); });
    m_timing.setProtocolSource([this] { return m_settings.serialProtocolIndex; });
    m_timing.setDeviceMapping([this](int port) { return m_settings.serialDevices.value(port); });
    QObject::connect(&m_timing, &TSerialTiming::lineLost, &m_main, &TFormMain::setStatusText);
}

void TTimingMode::run()
{
    if (m_running) {
        return;
    }
    if (!m_tools.PingHost(m_settings.wallAddress)) {
        return;
    }
    m_link.confirmByEcho();

    m_running = true;
    const serialsetup::DialogValues values{
        m_settings.serialPortIndex, Settings::itemText(Settings::baudItems(), m_settings.baudIndex),
        Settings::itemText(Settings::dataBitsItems(), m_settings.dataBitsIndex),
        Settings::itemText(Settings::stopBitsItems(), m_settings.stopBitsIndex), m_settings.parityIndex};
    if (m_timing.openPort(values)) {
        m_main.setStatusText({});
        m_zmt.move(m_zmt.x(), m_main.y());
        m_zmt.exec();
        m_timing.closePort();
    } else {
        m_report.showMessage(ErrorReport::Icon::Critical, QString(), portErrorText(m_timing.errorString()));
    }
    m_running = false;
}
