#pragma once

#include <QString>

class ErrorReport;
class TSerialTiming;
class TZELTools;
class WallLink;
class TFormConfig;
class TFormMain;
class TFormZMT;

// The timing mode behind the main window's "Zeitmesstechnik": check that the wall computer answers an
// ICMP echo, open the serial port the configuration dialog describes, show the timing display modally
// and close the port when it is dismissed. A port that is off or does not open ends in the error box.
// Also wires the serial timing input to the timing display, the dialog and the main window.
class TTimingMode final
{
    Q_DISABLE_COPY_MOVE(TTimingMode)
public:
    TTimingMode(TFormMain& main, TFormConfig& config, WallLink& link, const TZELTools& tools, TSerialTiming& timing,
                TFormZMT& zmt, ErrorReport& report);

    // SBZMTClick up to, not including, the release of SBZMT.
    void run();

    static const QString kPortError;

private:
    QString mappedDevice(int port) const;

    TFormMain& m_main;
    TFormConfig& m_config;
    WallLink& m_link;
    const TZELTools& m_tools;
    TSerialTiming& m_timing;
    TFormZMT& m_zmt;
    ErrorReport& m_report;
    bool m_running = false;
};
