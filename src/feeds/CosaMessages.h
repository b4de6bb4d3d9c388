#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The liveboard feed's text messages: "CDC;" payload ";CDC" in a UDP byte stream, the payload being
// UTF-8 fields separated by ";" with a keyword first.
namespace cosa {

// Cuts complete messages out of the byte stream, datagram after datagram. Bytes outside a frame are
// dropped. The buffer is bounded: junk keeps at most the few bytes that may begin a start marker, and a
// message that grows beyond kMaxMessageBytes without its end marker is thrown away.
class CosaReceiver final
{
public:
    static constexpr qsizetype kMaxMessageBytes = 64 * 1024;

    // Feeds one datagram; returns the payloads it completed, in order, each trimmed of blanks and tabs
    // with one ";" appended. Empty payloads are left out.
    QList<QByteArray> feed(const QByteArray& datagram);
    const QByteArray& buffer() const { return m_buffer; }

private:
    QByteArray m_buffer;
};

// Strict UTF-8 (sequences of one to three bytes) into the 8-bit set of the wall: characters it lacks
// become '?'. Anything not well-formed gives an empty text.
QString decodeUtf8(const QByteArray& bytes);

// Takes fields one after another from the rest of a payload, each at the cost of its own length.
class FieldReader final
{
public:
    explicit FieldReader(const QString& payload);

    // The next field without surrounding blanks and tabs; empty once the payload is used up.
    QString next(bool upper = false);
    // The next field as a decimal integer; anything else reads as 0.
    int nextCount();
    bool atEnd() const { return m_pos >= m_end; }
    // How many fields next() still returns before the payload is used up.
    qsizetype remaining() const;

private:
    void skipBlanks();

    QString m_payload;
    qsizetype m_pos = 0;
    qsizetype m_end = 0; // the payload ends here, trailing blanks and tabs left out
};

QString trimBlanks(const QString& text);
// Trims every character up to 0x20 from both ends (names and clubs of list rows).
QString trimControls(const QString& text);

enum class Kind
{
    Ignored,
    Blank,
    Free,
    Picture,
    Video,
    Schedule,
    StartList,
    ResultList,
    MedalList
};

struct ScheduleEntry
{
    QString time;
    QString competition;
    bool operator==(const ScheduleEntry&) const = default;
};

// One message, taken apart; what the window does with it is the feed handler's business.
struct Message
{
    Kind kind = Kind::Ignored;
    bool showPage = false;         // the window switches to the message's page
    QStringList lines;             // Free: at most kMaxFreeLines
    QString fileName;              // Picture, Video
    QList<ScheduleEntry> schedule; // Schedule
    QString header;                // lists
    int gridRows = 0;              // lists: data rows the grid must hold (0: leave the row count)
    QList<QStringList> rows;       // lists: Pos., Nr., Name, LV, Leistung
};

constexpr int kMaxFreeLines = 9;
// A list's count is believed up to this many rows even where fields are missing (they read as empty);
// beyond it only as far as the fields present reach, so a count can never ask for more rows than the
// message carries.
constexpr int kMaxEntries = 1000;

// Parses one payload as UTF-8 bytes (as CosaReceiver returns it).
Message parseMessage(const QByteArray& payload);

// How a payload touches the list grid, read without taking its rows apart: not at all; in part (a list
// without rows changes the header, a medal list without rows empties the cells and keeps the row count); or
// wholly (a list with rows sets the header, the row count and every cell, so nothing an earlier list wrote
// shows any more).
enum class ListEffect
{
    None,
    Part,
    Whole
};
ListEffect listEffect(const QByteArray& payload);

} // namespace cosa
