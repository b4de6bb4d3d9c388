#pragma once

#include <QString>

// One ICMP echo request and its reply: the narrow face of the platform's ICMP facility.
class IcmpEcho
{
public:
    virtual ~IcmpEcho() = default;
    // Resolves host (dotted IPv4 or a name, first IPv4 address found), sends one echo request with
    // payloadSize bytes and waits at most timeoutMs for the reply. Any failure on the way is false.
    virtual bool echo(const QString& host, int payloadSize, int timeoutMs) = 0;
};

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
