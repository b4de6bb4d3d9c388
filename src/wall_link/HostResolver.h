#pragma once

#include <QHostAddress>
#include <QString>

#include <functional>

class QObject;

// Finds the IPv4 address of a host name without blocking the caller: the answer arrives later through
// the event loop. Tests hand in a resolver that answers when they say, or never.
class HostResolver
{
public:
    // The address found, or a null address when the name has none.
    using Answer = std::function<void(const QHostAddress& address)>;

    virtual ~HostResolver() = default;

    // Starts one lookup; answer runs on context's thread, and not at all once context is gone.
    virtual void lookup(const QString& name, QObject* context, Answer answer) = 0;
};

// The system's name service through QHostInfo, whose lookups run on Qt's own threads. A new lookup
// abandons the one still running, so that an operator typing a name does not pile up answers.
class SystemHostResolver final : public HostResolver
{
public:
    SystemHostResolver() = default;
    ~SystemHostResolver() override;
    Q_DISABLE_COPY_MOVE(SystemHostResolver)

    void lookup(const QString& name, QObject* context, Answer answer) override;

private:
    int m_running = -1;
};
