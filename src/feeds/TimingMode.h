#pragma once

#include <QString>

class ErrorReport;
class TSerialTiming;
class TZELTools;
class WallLink;
class TFormMain;
struct Settings;
class TFormZMT;

// The timing mode behind the main window's "Zeitmesstechnik": check that the wall computer answers an
// ICMP echo, open the serial port the settings in force describe, show the timing display modally
// and close the port when it is dismissed. A port that is off or does not open ends in the error box.
// Also wires the serial timing input to the timing display, the settings and the main window.
class TTimingMode final
{
    Q_DISABLE_COPY_MOVE(TTimingMode)
public:
    // settings: the ones in force, read at every use (the serial device mapping too).
    TTimingMode(TFormMain& main, const Settings& settings, WallLink& link, const TZELTools& tools,
                TSerialTiming& timing, TFormZMT& zmt, ErrorReport& report);

    // SBZMTClick up to, not including, the release of SBZMT.
    void run();

    static const QString kPortError;
    // The error box: kPortError, then the port, its device and what to check.
    static QString portErrorText(const QString& detail);

private:
    TFormMain& m_main;
    const Settings& m_settings;
    WallLink& m_link;
    const TZELTools& m_tools;
    TSerialTiming& m_timing;
    TFormZMT& m_zmt;
    ErrorReport& m_report;
    bool m_running = false;
};
