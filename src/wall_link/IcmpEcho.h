#pragma once

#include <QString>

// One ICMP echo request and its reply: the narrow face of the platform's ICMP facility. Pure logic
// (the wall reachability check) depends on this; the io layer implements it.
class IcmpEcho
{
public:
    virtual ~IcmpEcho() = default;
    // Resolves host (dotted IPv4 or a name, first IPv4 address found), sends one echo request with
    // payloadSize bytes and waits at most timeoutMs for the reply. Any failure on the way is false.
    virtual bool echo(const QString& host, int payloadSize, int timeoutMs) = 0;
};
