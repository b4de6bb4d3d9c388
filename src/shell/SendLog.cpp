#include "shell/SendLog.h"

#include "media/MediaUpload.h"
#include "pages/Clock.h"
#include "wall_link/WallLink.h"

#include <QDir>
#include <QtDebug>

SendLog::SendLog(const QString& folder, const Clock& clock, Limits limits, QObject* parent)
    : QObject(parent), m_file(QDir(folder).filePath(kFileName)), m_clock(clock), m_limits(limits)
{
    QDir().mkpath(folder);
}

void SendLog::connectLink(WallLink& link)
{
    connect(&link, &WallLink::bodiesSent, this, &SendLog::bodiesSent);
    connect(&link, &WallLink::stateChanged, this, [this](LinkState state) { write(m_format.linkState(state)); });
    connect(&link, &WallLink::linkFailed, this,
            [this](const QString& text) { write(SendLogFormat::linkFailed(text)); });
}

void SendLog::connectUpload(TMediaUpload& upload)
{
    connect(&upload, &TMediaUpload::uploadStarted, this, [this](const QString& path, const QString& address) {
        write(SendLogFormat::uploadStarted(path, address));
    });
    connect(&upload, &TMediaUpload::uploadEnded, this,
            [this](const QString& path, const QString& error) { write(SendLogFormat::uploadEnded(path, error)); });
}

void SendLog::bodiesSent(const wallcmd::Bodies& bodies)
{
    for (const QByteArray& body : bodies)
        write(m_format.body(body));
}

void SendLog::message(const QString& heading, const QString& caption, const QString& text)
{
    write(SendLogFormat::message(heading, caption, text));
}

void SendLog::write(const QString& line)
{
    if (line.isEmpty())
        return;
    const QByteArray bytes =
        (m_clock.now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz ")) + line + QLatin1Char('\n')).toUtf8();
    if (!m_file.isOpen() && !open())
        return;
    if (m_file.size() > 0 && m_file.size() + bytes.size() > m_limits.fileBytes) {
        m_file.close();
        rotate();
        if (!open())
            return;
    }
    if (m_file.write(bytes) != bytes.size() || !m_file.flush())
        fail(m_file.errorString());
}

bool SendLog::open()
{
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return true;
    fail(m_file.errorString());
    return false;
}

void SendLog::fail(const QString& reason)
{
    m_file.close();
    if (!m_failed)
        qWarning().noquote() << "send log" << m_file.fileName() << "not written:" << reason;
    m_failed = true;
}

// The full file becomes copy 1, copy n becomes copy n + 1, the oldest copy goes.
void SendLog::rotate()
{
    const QString path = m_file.fileName();
    auto copy = [&path](int n) { return path + QLatin1Char('.') + QString::number(n); };
    QFile::remove(copy(m_limits.files - 1));
    for (int n = m_limits.files - 2; n >= 1; --n)
        QFile::rename(copy(n), copy(n + 1));
    QFile::rename(path, copy(1));
}
