#pragma once

#include "wall_link/IcmpEcho.h"

// The real facility. Raw ICMP sockets need privileges (root here); without them the system's ping
// program, which carries the capability, does the same job.
class SystemIcmpEcho final : public IcmpEcho
{
public:
    enum class Method
    {
        Automatic,
        RawSocket,
        PingProgram
    };

    explicit SystemIcmpEcho(Method method = Method::Automatic) : m_method(method) {}
    bool echo(const QString& host, int payloadSize, int timeoutMs) override;

private:
    Method m_method;
};
