#include "feeds/TimingMode.h"

#include "feeds/SerialSetup.h"
#include "feeds/SerialTiming.h"
#include "pages/ZMT.h"
#include "shell/Config.h"
#include "shell/ErrorReport.h"
#include "shell/Main.h"
#include "wall_link/WallLink.h"
#include "wall_link/ZELTools.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

// Three lines; Qt's message box breaks lines at '\n' only.
const QString TTimingMode::kPortError = QStringLiteral("Dieser Modus kann nicht benutzt werden, weil\n"
                                                       "die serielle Schnittstelle nicht funktioniert\n"
                                                       "oder falsch konfiguriert ist.");

TTimingMode::TTimingMode(TFormMain& main, TFormConfig& config, WallLink& link, const TZELTools& tools,
                         TSerialTiming& timing, TFormZMT& zmt, ErrorReport& report)
    : m_main(main), m_config(config), m_link(link), m_tools(tools), m_timing(timing), m_zmt(zmt), m_report(report)
{
    m_timing.setDisplay([this] { return m_zmt.isVisible(); },
                        [this](const QString& text, bool force) { m_zmt.HandleTimeMessage(text, force); });
    m_timing.setProtocolSource([this] { return m_config.CBSerialProtocol->currentIndex(); });
    m_timing.setDeviceMapping([this](int port) { return mappedDevice(port); });
    QObject::connect(&m_timing, &TSerialTiming::lineLost, &m_main, &TFormMain::setStatusText);
}

void TTimingMode::run()
{
    if (m_running) {
        return;
    }
    if (!m_tools.PingHost(m_config.EdWallIpAddress->text())) {
        return;
    }
    m_link.confirmByEcho();

    m_running = true;
    const serialsetup::DialogValues values{m_config.CBSerialPort->currentIndex(), m_config.CBBaud->currentText(),
                                           m_config.CBData->currentText(), m_config.CBStop->currentText(),
                                           m_config.CBParity->currentIndex()};
    if (m_timing.openPort(values)) {
        m_main.setStatusText({});
        m_zmt.move(m_zmt.x(), m_main.y());
        m_zmt.exec();
        m_timing.closePort();
    } else {
        m_report.showMessage(ErrorReport::Icon::Critical, QString(), kPortError);
    }
    m_running = false;
}

QString TTimingMode::mappedDevice(int port) const
{
    return m_main.Regstry1.ReadString(m_main.Regstry1.IniFileName + QStringLiteral("\\Main"),
                                      serialsetup::deviceSettingName(port), QString());
}
