#include "feeds/LynxMessage.h"

#include "feeds/CrypterPC1.h"
#include "wall_link/Cp1252.h"

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

namespace lynx {
namespace {

using Json = nlohmann::ordered_json;

enum class Parse
{
    Complete,
    Incomplete, // the text ends before its first value does: later datagrams may complete it
    Invalid     // no later datagram can make this text a value
};

// Takes the first complete value of text; what follows it is ignored, a leading byte-order mark skipped.
Parse parseFirst(const QByteArray& text, Json& value)
{
    std::istringstream stream(text.toStdString());
    try {
        stream >> value;
        return Parse::Complete;
    } catch (const Json::parse_error& e) {
        return e.byte > static_cast<std::size_t>(text.size()) ? Parse::Incomplete : Parse::Invalid;
    } catch (...) {
        return Parse::Invalid;
    }
}

// Feed strings are UTF-8; the client's texts are Windows-1252, so characters it lacks become '?'.
QString toText(const Json& value)
{
    const auto& utf8 = value.get_ref<const std::string&>();
    return cp1252::decode(cp1252::encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))));
}

const Json* member(const Json& object, const char* name)
{
    const auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

QString notAString(const Json& value)
{
    const char* kind = value.is_number()    ? "eine Zahl"
                       : value.is_boolean() ? "ein Wahrheitswert"
                       : value.is_null()    ? "leer (null)"
                       : value.is_array()   ? "eine Liste"
                                            : "ein Objekt";
    return QStringLiteral("FinishLynx-Liste nur zum Teil übernommen: ein Eintrag ist %1 statt Text. Bitte in "
                          "FinishLynx die Ausgabe-Schablone der Liste prüfen.")
        .arg(QString::fromUtf8(kind));
}

// The message itself, or the decryption of its "JSCrypt" member up to the first zero byte.
QByteArray unwrap(const Json& outer, const QByteArray& text)
{
    if (!outer.is_object())
        return text;
    const Json* crypt = member(outer, "JSCrypt");
    if (crypt == nullptr || !crypt->is_string())
        return text;
    const auto& letters = crypt->get_ref<const std::string&>();
    if (letters.empty() || letters.size() > static_cast<std::size_t>(kMaxCryptLetters))
        return text;
    const QByteArray plain =
        TCrypterPC1::decrypt(kKeyText, QByteArray(letters.data(), static_cast<qsizetype>(letters.size())));
    const qsizetype end = plain.indexOf('\0');
    return end < 0 ? plain : plain.left(end);
}

bool senderPasses(const QString& id, const QString& prefix)
{
    constexpr qsizetype kIdDigits = 8;
    if (prefix.isEmpty() || id.size() <= kIdDigits)
        return true;
    return id.toUpper().chopped(kIdDigits) == prefix;
}

// Reads "TL" in member order. Shapes other than the documented ones are skipped.
Message readList(const Json& message)
{
    Message result;
    const Json* list = member(message, "TL");
    if (list == nullptr || !list->is_object())
        return result;
    for (const auto& [name, value] : list->items()) {
        ListPart part;
        if (name == "Header" && value.is_array()) {
            part.kind = ListPart::Kind::Header;
            for (const Json& element : value) {
                if (!element.is_string()) {
                    result.error = notAString(element);
                    result.parts.append(part);
                    return result;
                }
                part.header.append(toText(element));
            }
        } else if (name == "Lines" && value.is_object()) {
            part.kind = ListPart::Kind::Lines;
            for (const auto& line : value) {
                if (part.lines.size() == kMaxLines)
                    break;
                part.lines.append(QStringList());
                if (!line.is_array())
                    continue;
                for (const Json& element : line) {
                    if (part.lines.last().size() == kMaxLineStrings)
                        break;
                    if (!element.is_string()) {
                        result.error = notAString(element);
                        result.parts.append(part);
                        return result;
                    }
                    part.lines.last().append(toText(element));
                }
            }
        } else {
            continue;
        }
        result.parts.append(part);
    }
    return result;
}

std::optional<Message> accept(const QByteArray& text, const QString& prefix)
{
    Json message;
    if (text.isEmpty() || parseFirst(text, message) != Parse::Complete || !message.is_object())
        return std::nullopt;
    const Json* jids = member(message, "JIDS");
    if (jids == nullptr || !jids->is_string() || jids->get_ref<const std::string&>().empty())
        return std::nullopt;
    const Json* sdij = member(message, "SDIJ");
    if (sdij != nullptr) {
        if (!sdij->is_string() || sdij->get_ref<const std::string&>().empty() || *sdij != *jids)
            return std::nullopt;
        if (!senderPasses(toText(*jids), prefix))
            return std::nullopt;
    }
    return readList(message);
}

} // namespace

bool TLynxCollector::mayBeComplete()
{
    static constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
    bool end = false;
    ValueScan& s = m_scan;
    for (; s.scanned < m_collected.size(); ++s.scanned) {
        const char c = m_collected[s.scanned];
        if (!s.started) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || (s.scanned < 3 && c == kByteOrderMark[s.scanned]))
                continue;
            s.started = true;
            if (c == '{' || c == '[')
                s.depth = 1;
            else if (c == '"')
                s.inString = true;
            else
                s.scalar = true;
        } else if (s.inString) {
            if (s.escaped)
                s.escaped = false;
            else if (c == '\\')
                s.escaped = true;
            else if (c == '"') {
                s.inString = false;
                if (s.depth == 0)
                    end = true;
            }
        } else if (c == '{' || c == '[') {
            ++s.depth;
        } else if (c == '}' || c == ']') {
            if (--s.depth <= 0)
                end = true;
        } else if (c == '"') {
            s.inString = true;
        }
    }
    return end || s.scalar;
}

void TLynxCollector::startAfresh()
{
    m_collected.clear();
    m_scan = {};
    m_triedAt = 0;
}

std::optional<Message> TLynxCollector::receive(const QByteArray& datagram, const QString& prefix)
{
    if (datagram.size() <= 4)
        return std::nullopt;
    // Bounded: a text that has not become a message by now never will.
    if (m_collected.size() + datagram.size() > kMaxCollected)
        startAfresh();
    if (datagram.size() > kMaxCollected)
        return std::nullopt;
    m_collected.append(datagram);

    // Parsed where a value can end; otherwise only once the text has doubled since the parser last saw
    // it, so that a piece that can never complete (a datagram lost in the middle) is still found out,
    // and the work stays a small multiple of the text.
    if (!mayBeComplete() && m_collected.size() < 2 * m_triedAt)
        return std::nullopt;
    Json outer;
    const Parse parse = parseFirst(m_collected, outer);
    m_parsedBytes += m_collected.size();
    if (parse == Parse::Incomplete) {
        m_triedAt = m_collected.size();
        return std::nullopt;
    }
    // A complete value is handled once; text that can never complete is dropped. Either way the next
    // datagram starts afresh.
    const QByteArray text = m_collected;
    startAfresh();
    if (parse == Parse::Invalid)
        return std::nullopt;
    try {
        return accept(unwrap(outer, text), prefix.trimmed().toUpper());
    } catch (...) {
        return std::nullopt;
    }
}

QByteArray encryptMessage(const QByteArray& message)
{
    return QByteArrayLiteral("{\"JSCrypt\":\"") + TCrypterPC1::encrypt(kKeyText, message) + QByteArrayLiteral("\"}");
}

} // namespace lynx
