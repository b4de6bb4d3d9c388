#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// What the virtual wall shows, as the command records have set it. Applies plain bodies (already
// unframed and unscrambled) record by record. Any bytes are accepted: a record the wall does not know,
// or one cut short, ends the body there, because without knowing a record's length nothing after it
// can be read safely.
class WallModel final
{
public:
    struct Field
    {
        std::optional<quint32> colour; // 0x00BBGGRR as the record carries it; none until a colour record
        QString text;
        friend bool operator==(const Field&, const Field&) = default;
    };

    // What the owner must do after a body: answer queries, end, or note a shutdown request.
    struct Effects
    {
        QList<quint8> queries; // query codes in order (80 FD, 80 FE and any other)
        bool closeServer = false;
        bool shutdown = false;
    };

    static constexpr int kRecentRecords = 12;
    static constexpr qint64 kRunningTimeHoldMs = 2000;

    // nowMs: milliseconds since the epoch when the body arrived; used for "a running time is being
    // received" and for media cleared on the game-and-set page.
    Effects apply(const QByteArray& body, qint64 nowMs);

    // nullopt before any page-select record: the wall shows its start-up texts.
    std::optional<quint8> page() const { return m_page; }
    Field field(quint8 id) const { return m_fields.value(id); }
    // Text-list line by its number (1 = first line); empty when never set.
    QString line(int number) const { return m_lines.value(number); }
    // Time bar mode of the text list (option 0x40): 0 off, 1 on, 2 automatic; other values as received.
    quint8 timeBarMode() const { return m_timeBarMode; }
    // True when a time text for the large time line arrived within kRunningTimeHoldMs before nowMs.
    bool runningTimeReceived(qint64 nowMs) const;
    QString startupLarge() const { return m_startupLarge; }
    QString startupSmall() const { return m_startupSmall; }
    // True after the media-stop code until a page is selected again.
    bool mediaStopped() const { return m_mediaStopped; }
    // When the media-stop code last came; 0 if never. A video uploaded after it may play again.
    qint64 mediaStoppedAt() const { return m_mediaStoppedAt; }
    // When the game-and-set page's picture and video area was last cleared; 0 if never.
    qint64 mediaAreaClearedAt() const { return m_mediaAreaClearedAt; }

    // True when both show the same: page, fields, lines, time bar mode, start-up texts and media state,
    // whenever those came.
    bool showsSame(const WallModel& other) const;

    int bodiesApplied() const { return m_bodies; }
    // Short descriptions of the last records, newest last.
    QStringList recentRecords() const { return m_recent; }

    static QString pageName(quint8 code);

private:
    void note(const QString& description);

    std::optional<quint8> m_page;
    QMap<quint8, Field> m_fields;
    QMap<int, QString> m_lines;
    quint8 m_timeBarMode = 0;
    qint64 m_lastRunningTimeAt = 0;
    bool m_hasRunningTime = false;
    QString m_startupLarge = QStringLiteral("00:00:00");
    QString m_startupSmall;
    bool m_mediaStopped = false;
    qint64 m_mediaStoppedAt = 0;
    qint64 m_mediaAreaClearedAt = 0;
    int m_bodies = 0;
    QStringList m_recent;
};
