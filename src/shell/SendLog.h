#pragma once

#include "shell/SendLogFormat.h"
#include "wall_link/WallCommands.h"

#include <QFile>
#include <QObject>
#include <QString>

class Clock;
class TMediaUpload;
class WallLink;

// The send log support reads after a match: every body sent to the wall, the link's state, every upload
// and every message shown to the operator, one time-stamped line each (UTF-8), written through at once
// so that nothing is lost when the program ends. The file rotates at a size limit: the full file becomes
// ".1", an older ".1" becomes ".2" and so on; the oldest goes.
class SendLog final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SendLog)
public:
    struct Limits
    {
        qint64 fileBytes;
        int files; // the current one and its older copies, at least 2
    };
    static constexpr Limits kLimits{1024 * 1024, 5};
    static inline const QString kFileName = QStringLiteral("Sendeprotokoll.txt");

    // The folder is made when missing. A log that cannot be written says so once on the console and
    // otherwise stays silent: the match goes on.
    SendLog(const QString& folder, const Clock& clock, Limits limits = kLimits, QObject* parent = nullptr);

    QString filePath() const { return m_file.fileName(); }

    void connectLink(WallLink& link);
    void connectUpload(TMediaUpload& upload);
    void bodiesSent(const wallcmd::Bodies& bodies);
    void message(const QString& heading, const QString& caption, const QString& text);

    // One line with the time in front; an empty line is not written.
    void write(const QString& line);

private:
    bool open();
    void fail(const QString& reason);
    void rotate();

    QFile m_file;
    const Clock& m_clock;
    Limits m_limits;
    SendLogFormat m_format;
    bool m_failed = false;
};
