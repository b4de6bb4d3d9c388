#pragma once

#include "shell/MatchState.h"

#include <QDateTime>
#include <QString>

// The match state's file. Written whole through a temporary file that replaces the old one only when
// complete, so a crash or a full disk leaves the last good state. Read at start; a file that cannot be
// read as a match state is set aside under a dated name and the program starts with its own values.
class MatchStateFile final
{
public:
    explicit MatchStateFile(QString path);

    struct Loaded
    {
        MatchState state;
        QString note; // German, for the operator: the file was damaged and set aside; empty otherwise
    };
    // base: what the program starts with, kept where the file has nothing.
    Loaded read(const MatchState& base, const QDateTime& now = QDateTime::currentDateTime()) const;
    // Empty when written; otherwise a German text that names the file.
    QString write(const MatchState& state) const;

    const QString& path() const { return m_path; }

    // Larger than any state the program writes; a larger file is damaged.
    static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

private:
    QString m_path;
};
