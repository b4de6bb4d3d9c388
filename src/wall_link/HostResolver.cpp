#include "wall_link/HostResolver.h"

#include <QHostInfo>

SystemHostResolver::~SystemHostResolver()
{
    if (m_running >= 0)
        QHostInfo::abortHostLookup(m_running);
}

void SystemHostResolver::lookup(const QString& name, QObject* context, Answer answer)
{
    if (m_running >= 0)
        QHostInfo::abortHostLookup(m_running);
    m_running = QHostInfo::lookupHost(name, context, [this, answer = std::move(answer)](const QHostInfo& info) {
        if (info.lookupId() == m_running)
            m_running = -1;
        for (const QHostAddress& address : info.addresses()) {
            if (address.protocol() == QAbstractSocket::IPv4Protocol) {
                answer(address);
                return;
            }
        }
        answer(QHostAddress());
    });
}
