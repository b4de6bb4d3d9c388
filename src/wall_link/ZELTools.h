#pragma once

#include <QString>

class IcmpEcho;

// Small tools used across the program: the reachability check of the wall computer and a few text
// conversions. The conversions are pure; the check goes through the ICMP facility handed in.
class TZELTools final
{
public:
    explicit TZELTools(IcmpEcho& icmp) : m_icmp(icmp) {}

    // One ICMP echo request (40 bytes of payload, at most 800 ms); true when a reply arrived.
    bool PingHost(const QString& host) const;

    // The platform's folder for temporary files, with a trailing '/'.
    static QString TempFolder();
    // Without leading spaces and without trailing spaces and tabs.
    static QString TrimText(const QString& text);
    // "1:02,3" -> 62300. Dots count as commas, other characters are ignored; without ':' or ',' the
    // digits are taken unscaled ("75" -> 75). Fraction digits beyond three are not scaled.
    // Numbers too large to hold saturate instead of overflowing.
    static qint64 TimeToMs(const QString& text);
    // Four groups of one to three digits, each 0..255, joined by three dots; an empty group before a
    // dot counts as 0 (".1.2.3" is 0.1.2.3), the last group must not be empty.
    static bool IsIpAddress(const QString& text);

    static constexpr int kPingPayload = 40;
    static constexpr int kPingTimeoutMs = 800;

private:
    IcmpEcho& m_icmp;
};
