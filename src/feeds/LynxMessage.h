#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// FinishLynx LifChecker messages: JSON objects over UDP, possibly split over several datagrams and
// optionally wrapped whole in a PC1-encrypted "JSCrypt" member:
//   {"JIDS":"<id>", "TL":{"Header":["title", ...], "Lines":{"<any>":["pos","x","nr","name","club","result"], ...}},
//    "SDIJ":"<id>"}
// "SDIJ" repeats "JIDS" at the end, so a message is complete when both agree. With a sender prefix set,
// an id of more than 8 characters is the prefix followed by 8 further characters.
namespace lynx {

inline constexpr char kKeyText[] = "mirtelo.kq";
// "JSCrypt" texts this long or longer are not decrypted.
inline constexpr qsizetype kMaxCryptLetters = 20000;
// The collected text never grows beyond this: a datagram that would pass it starts the text afresh.
inline constexpr qsizetype kMaxCollected = 256 * 1024;
// What a list can use of one message: further lines, and further strings of a line, are dropped unread.
// Lines carry six strings for the five columns; the rest leaves room for senders that add a few.
inline constexpr int kMaxLines = 1000;
inline constexpr int kMaxLineStrings = 32;

// One member of "TL" as the window takes it, in the message's order.
struct ListPart
{
    enum class Kind
    {
        Header,
        Lines
    };
    Kind kind = Kind::Header;
    QStringList header;       // Header: the title strings
    QList<QStringList> lines; // Lines: the strings of each line, in order (bounded as above)
};

struct Message
{
    QList<ListPart> parts;
    // Not empty: a header or line element was not a string. The parts above hold what came before it (the
    // last one possibly cut short); their handling ends with this error.
    QString error;
};

// Joins datagrams into messages and accepts those that are complete and come from the expected sender.
class TLynxCollector
{
public:
    // prefix: the expected sender prefix (trimmed and in capitals here). Returns the accepted message, if
    // this datagram completed one. Never throws.
    std::optional<Message> receive(const QByteArray& datagram, const QString& prefix);

    const QByteArray& collected() const { return m_collected; }
    // Bytes handed to the JSON parser so far: the collector's work, at most a small multiple of what it
    // received.
    qsizetype parsedBytes() const { return m_parsedBytes; }

private:
    // Where the first JSON value of the collected text stands, each byte looked at once. A value that opens
    // with a bracket or a quote can only be complete where that bracket or string closes; any other start
    // is left to the parser at once.
    struct ValueScan
    {
        qsizetype scanned = 0; // bytes of the collected text looked at
        int depth = 0;
        bool started = false;
        bool inString = false;
        bool escaped = false;
        bool scalar = false;
    };
    // Scans what the last datagram added; true when the text may now hold a complete value.
    bool mayBeComplete();
    void startAfresh();

    QByteArray m_collected;
    ValueScan m_scan;
    qsizetype m_triedAt = 0; // size of the text when the parser last found it incomplete
    qsizetype m_parsedBytes = 0;
};

// The "JSCrypt" form of a message text, as the sender writes it (used by tests and tools).
QByteArray encryptMessage(const QByteArray& message);

} // namespace lynx
