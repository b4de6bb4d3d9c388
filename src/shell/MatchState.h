#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What the operator has entered for the match and must not lose to a restart: the names and scores of
// the score pages, the game clock and its duration, and the text list's header and lines. Kept as a
// small JSON object in a file of its own; a member missing from a file, or of the wrong kind, keeps the
// value the program starts with.
struct MatchState
{
    struct Score
    {
        QString home;
        QString guest;
        int homePoints = 0; // goals, points or games
        int guestPoints = 0;
        bool operator==(const Score&) const = default;
    };

    Score soccer;
    Score football;
    QString gameClock;    // the game clock's display, MM:SS
    QString gameDuration; // the duration box as typed
    Score gameAndSet;
    int homeSets = 0;
    int guestSets = 0;
    QString listHeader;
    QStringList listLines;

    bool operator==(const MatchState&) const = default;

    // UTF-8 JSON, members in a fixed order so a person can read the file.
    QByteArray toJson() const;
    // The state a file holds, on top of base for what it lacks; nullopt when the text is not a JSON
    // object (damaged, cut short, not UTF-8).
    static std::optional<MatchState> fromJson(const QByteArray& text, const MatchState& base);
};
