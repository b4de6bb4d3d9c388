#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A serial line pair: socat joins two ptys whose paths are deviceA() and deviceB(); what is written
// into one end can be read at the other. Killing it pulls the line away from both ends.
class SocatPair final
{
public:
    SocatPair();
    ~SocatPair();
    SocatPair(const SocatPair&) = delete;
    SocatPair& operator=(const SocatPair&) = delete;

    static bool available();

    // Starts socat and waits until both ends exist.
    bool start();
    void kill();

    QString deviceA() const { return m_dir.filePath(QStringLiteral("ttyA")); }
    QString deviceB() const { return m_dir.filePath(QStringLiteral("ttyB")); }

private:
    QTemporaryDir m_dir;
    QProcess m_socat;
};
