#include "feeds/CosaMessages.h"

#include "wall_link/Cp1252.h"
#include "wall_link/TextTools.h"

#include <algorithm>

namespace cosa {

namespace {

const QByteArray kStart = QByteArrayLiteral("CDC;");
const QByteArray kEnd = QByteArrayLiteral(";CDC");

QByteArray trimBlankBytes(const QByteArray& bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && (bytes[begin] == ' ' || bytes[begin] == '\t'))
        ++begin;
    while (end > begin && (bytes[end - 1] == ' ' || bytes[end - 1] == '\t'))
        --end;
    return bytes.mid(begin, end - begin);
}

QString listHeader(const QString& title1, const QString& title2)
{
    if (!title1.isEmpty() && !title2.isEmpty())
        return title1 + QStringLiteral("; ") + title2;
    return title1;
}

// count, as far as the fields left in f reach for rows of fieldsPerRow fields, or kMaxEntries rows.
int boundedCount(int count, const FieldReader& f, qsizetype fieldsPerRow)
{
    const qsizetype present = (f.remaining() + fieldsPerRow - 1) / fieldsPerRow;
    return static_cast<int>(std::min<qsizetype>(count, std::max<qsizetype>(kMaxEntries, present)));
}

// The head of a list payload after its keyword: the titles as the header, then one count (start and result
// lists) or three (medal lists).
struct ListHead
{
    QString header;
    int counts[3] = {0, 0, 0};
};

ListHead readListHead(FieldReader& f, bool medals)
{
    ListHead head;
    const QString title1 = f.next();
    const QString title2 = f.next();
    head.header = listHeader(title1, title2);
    for (int k = 0; k < (medals ? 3 : 1); ++k)
        head.counts[k] = f.nextCount();
    return head;
}

} // namespace

QList<QByteArray> CosaReceiver::feed(const QByteArray& datagram)
{
    // Markers are searched for, not compared byte by byte: a flood of datagrams costs what reading them costs.
    QList<QByteArray> done;
    const QByteArrayView in(datagram);
    qsizetype pos = 0;
    while (pos < in.size()) {
        if (!m_buffer.startsWith(kStart)) {
            // Outside a frame only a start marker matters; the bytes kept may hold its beginning.
            const qsizetype kept = m_buffer.size();
            m_buffer.append(in.sliced(pos));
            const qsizetype start = m_buffer.indexOf(kStart);
            if (start < 0) {
                m_buffer.remove(0, std::max<qsizetype>(m_buffer.size() - (kStart.size() - 1), 0));
                return done;
            }
            pos += start + kStart.size() - kept;
            m_buffer = kStart;
            continue;
        }
        // Inside a frame the end marker may begin in the bytes already there; a message reaching one byte
        // beyond its bound without an end is thrown away at that byte.
        const qsizetype had = m_buffer.size();
        const qsizetype take = std::min(in.size() - pos, kMaxMessageBytes + 1 - had);
        m_buffer.append(in.sliced(pos, take));
        const qsizetype end = m_buffer.indexOf(kEnd, std::max<qsizetype>(had - (kEnd.size() - 1), 1));
        if (end >= 0) {
            const qsizetype length = end + kEnd.size();
            pos += length - had;
            QByteArray payload = m_buffer.sliced(kStart.size(), length - kStart.size());
            const qsizetype first = payload.indexOf(kEnd);
            if (first >= 0)
                payload.truncate(first);
            payload = trimBlankBytes(payload) + ';';
            if (payload.size() > 1)
                done.append(payload);
            m_buffer.clear();
        } else {
            pos += take;
            // A message without an end must not keep the stream waiting for ever.
            if (m_buffer.size() > kMaxMessageBytes)
                m_buffer.clear();
        }
    }
    return done;
}

namespace {

// Walks strict UTF-8 (sequences of one to three bytes), handing each character to take; false at the first
// byte that is not well-formed.
template <class Take> bool walkUtf8(const QByteArray& bytes, Take take)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned c = p[i];
        char32_t code = 0;
        int length = 0;
        if (c < 0x80) {
            code = c;
            length = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            code = c & 0x1F;
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            code = c & 0x0F;
            length = 3;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (int k = 1; k < length; ++k) {
            const unsigned d = p[i + k];
            if ((d & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (d & 0x3F);
        }
        // Overlong three-byte forms and surrogates are not well-formed.
        if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)))
            return false;
        take(QChar(static_cast<char16_t>(code)));
        i += length;
    }
    return true;
}

bool isUtf8(const QByteArray& bytes)
{
    return walkUtf8(bytes, [](QChar) {});
}

} // namespace

QString decodeUtf8(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    if (!walkUtf8(bytes, [&text](QChar c) { text.append(c); }))
        return {};
    // Through the wall's code page, so that what it lacks is already '?' in the window.
    return cp1252::decode(cp1252::encode(text));
}

QString trimBlanks(const QString& text)
{
    return texttools::trimBlanks(text);
}

QString trimControls(const QString& text)
{
    const auto isControl = [](QChar c) { return c.unicode() <= 0x20; };
    return texttools::trimmed(text, isControl, isControl);
}

FieldReader::FieldReader(const QString& payload) : m_payload(payload), m_end(payload.size())
{
    while (m_end > 0 && texttools::isSpaceOrTab(m_payload[m_end - 1]))
        --m_end;
    skipBlanks();
}

void FieldReader::skipBlanks()
{
    while (m_pos < m_end && texttools::isSpaceOrTab(m_payload[m_pos]))
        ++m_pos;
}

QString FieldReader::next(bool upper)
{
    if (atEnd())
        return {};
    qsizetype cut = m_payload.indexOf(QLatin1Char(';'), m_pos);
    if (cut < 0)
        cut = m_end;
    qsizetype end = cut;
    while (end > m_pos && texttools::isSpaceOrTab(m_payload[end - 1]))
        --end;
    QString field = m_payload.sliced(m_pos, end - m_pos);
    m_pos = std::min(cut + 1, m_end);
    skipBlanks();
    if (upper) {
        for (QChar& c : field) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 'a' + 'A');
        }
    }
    return field;
}

qsizetype FieldReader::remaining() const
{
    if (atEnd())
        return 0;
    const QStringView rest = QStringView(m_payload).sliced(m_pos, m_end - m_pos);
    // Every separator ends a field; text after the last one is one more.
    return rest.count(QLatin1Char(';')) + (rest.endsWith(QLatin1Char(';')) ? 0 : 1);
}

int FieldReader::nextCount()
{
    bool ok = false;
    const int value = next(true).toInt(&ok, 10);
    return ok ? value : 0;
}

Message parseMessage(const QByteArray& payload)
{
    Message m;
    FieldReader f(decodeUtf8(payload));
    const QString keyword = f.next(true);
    if (keyword == QLatin1String("BLNK") || keyword == QLatin1String("HOME")) {
        m.kind = Kind::Blank;
    } else if (keyword == QLatin1String("FREE")) {
        m.kind = Kind::Free;
        const int n = f.nextCount();
        m.showPage = n > 0;
        // Lines beyond the preview's nine are read and dropped, so reading can stop there.
        for (int i = 0; i < n && m.lines.size() < kMaxFreeLines; ++i)
            m.lines.append(f.next());
    } else if (keyword == QLatin1String("PICT") || keyword == QLatin1String("VIDEO")) {
        m.kind = keyword == QLatin1String("PICT") ? Kind::Picture : Kind::Video;
        m.fileName = f.next();
    } else if (keyword == QLatin1String("SCED")) {
        m.kind = Kind::Schedule;
        const int n = f.nextCount();
        m.showPage = n > 0;
        // Once the payload is used up every further entry reads empty and adds nothing.
        for (int i = 0; i < n && !f.atEnd(); ++i) {
            const QString time = f.next();
            if (!time.isEmpty())
                m.schedule.append({time, f.next()});
        }
    } else if (keyword == QLatin1String("STRT") || keyword == QLatin1String("RSLT")) {
        const bool start = keyword == QLatin1String("STRT");
        m.kind = start ? Kind::StartList : Kind::ResultList;
        const ListHead head = readListHead(f, false);
        m.header = head.header;
        const int n = boundedCount(head.counts[0], f, 4);
        m.showPage = n > 0;
        m.gridRows = std::max(n, 0);
        m.rows.reserve(m.gridRows);
        for (int i = 0; i < n; ++i) {
            // Field by field, in the order they stand.
            QString position = f.next();
            QString second = f.next();
            QString third = trimControls(f.next());
            QString fourth = f.next();
            if (start)
                m.rows.append({position, second, third, trimControls(fourth), QString()});
            else
                m.rows.append({position, QString(), trimControls(second), third, fourth});
        }
    } else if (keyword == QLatin1String("MEDL")) {
        m.kind = Kind::MedalList;
        const ListHead head = readListHead(f, true);
        m.header = head.header;
        const int(&counts)[3] = head.counts;
        const QString medals[3] = {QStringLiteral("G"), QStringLiteral("S"), QStringLiteral("B")};
        m.showPage = true;
        // Negative counts write no rows and must not shrink the grid below the rows written.
        for (int k = 0; k < 3; ++k) {
            const int n = boundedCount(counts[k], f, 3);
            m.rows.reserve(m.rows.size() + std::max(n, 0));
            for (int i = 0; i < n; ++i) {
                QString name = trimControls(f.next());
                QString club = trimControls(f.next());
                m.rows.append({medals[k], QString(), name, club, f.next()});
            }
        }
        m.gridRows = static_cast<int>(m.rows.size());
    }
    return m;
}

ListEffect listEffect(const QByteArray& payload)
{
    // Only the head is read: the keyword, two titles and up to three counts, six fields in all. Fields end at
    // an ASCII ';', so the head decodes alone as it does within the whole, but a payload that is not UTF-8
    // throughout is no message at all.
    if (!isUtf8(payload))
        return ListEffect::None;
    constexpr int kHeadFields = 6;
    qsizetype headEnd = -1;
    for (int k = 0; k < kHeadFields && headEnd + 1 < payload.size(); ++k) {
        headEnd = payload.indexOf(';', headEnd + 1);
        if (headEnd < 0)
            break;
    }
    FieldReader f(decodeUtf8(headEnd < 0 ? payload : payload.first(headEnd + 1)));
    const QString keyword = f.next(true);
    const bool medals = keyword == QLatin1String("MEDL");
    if (!medals && keyword != QLatin1String("STRT") && keyword != QLatin1String("RSLT"))
        return ListEffect::None;
    // A count above 0 brings at least one row (see parseMessage).
    const ListHead head = readListHead(f, medals);
    return std::any_of(std::begin(head.counts), std::end(head.counts), [](int n) { return n > 0; }) ? ListEffect::Whole
                                                                                                    : ListEffect::Part;
}

} // namespace cosa
