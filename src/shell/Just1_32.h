#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

// Keeps a second copy of the program from running. The first copy holds a lock named after the
// executable's file name for its whole life and listens for hand-over requests; a later copy finds the
// lock taken, asks the first to bring its main window to the front, and ends without a window.
class TJustOne32 final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TJustOne32)
public:
    // lockName: the executable's file name, extension included. lockFolder: where the lock and the
    // hand-over socket live; empty means the user's runtime folder, so each user session has its own.
    explicit TJustOne32(const QString& lockName, const QString& lockFolder = {}, QObject* parent = nullptr);
    ~TJustOne32() override;

    // True when another copy held the lock at start.
    bool previousInstance() const { return m_previous; }

    // Second copy: asks the first to raise its window. True when the first one took the request.
    bool handOver(int timeoutMs = 2000);
    // First copy: raise is called for every hand-over request that arrives.
    void listen(std::function<void()> raise);

private:
    QString socketPath() const;

    QString m_lockName;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    bool m_previous = false;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_raise;
};
