#include "shell/SendLogFormat.h"

#include "wall_link/Cp1252.h"
#include "wall_link/WallCommands.h"

#include <QStringList>

namespace {

QString hexByte(quint8 b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

// Wall text in quotes; control characters as \xNN so that every line stays one line.
QString quoted(const QByteArray& encoded)
{
    QString out = QStringLiteral("'");
    for (const QChar c : cp1252::decode(encoded)) {
        if (c.unicode() < 0x20)
            out += QStringLiteral("\\x") + hexByte(static_cast<quint8>(c.unicode()));
        else
            out += c;
    }
    return out + QLatin1Char('\'');
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    text.replace(QLatin1Char('\r'), QStringLiteral(" / "));
    text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    return text;
}

QString describe(const wallcmd::Record& r)
{
    using Kind = wallcmd::Record::Kind;
    switch (r.kind) {
    case Kind::PageSelect:
        return r.id == wallcmd::page::MediaStop ? QStringLiteral("Medien anhalten")
                                                : QStringLiteral("Seite ") + SendLogFormat::pageName(r.id);
    case Kind::Colour:
        return QStringLiteral("Farbe %1 %2")
            .arg(hexByte(r.id), QStringLiteral("%1").arg(r.colour, 8, 16, QLatin1Char('0')).toUpper());
    case Kind::Option:
        return QStringLiteral("Option %1 %2").arg(hexByte(r.id), hexByte(r.value));
    case Kind::Text:
        if (r.id == wallcmd::field::ListLines && !r.text.isEmpty())
            return QStringLiteral("Zeile %1 %2").arg(static_cast<quint8>(r.text[0])).arg(quoted(r.text.mid(1)));
        return QStringLiteral("Text %1 %2").arg(hexByte(r.id), quoted(r.text));
    case Kind::ServerControl:
        return QStringLiteral("Steuerung %1 %2").arg(hexByte(r.id), quoted(r.text));
    case Kind::Query:
        return QStringLiteral("Abfrage ") + hexByte(r.id);
    case Kind::CutShort:
        return hexByte(r.lead) + QStringLiteral(" unvollständig");
    case Kind::Unknown:
        break;
    }
    return hexByte(r.lead) + QStringLiteral(" unbekannt, Rest übersprungen");
}

} // namespace

QString SendLogFormat::pageName(quint8 code)
{
    using namespace wallcmd::page;
    switch (code) {
    case Blank:
        return QStringLiteral("leer");
    case Time:
        return QStringLiteral("Uhrzeit");
    case Soccer:
        return QStringLiteral("Fußball");
    case Football:
        return QStringLiteral("American Football");
    case Picture:
        return QStringLiteral("Bild");
    case Video:
        return QStringLiteral("Video");
    case LiveVideo:
        return QStringLiteral("Live-Video");
    case GameAndSet:
        return QStringLiteral("Spiel und Satz");
    case AnalogClock:
        return QStringLiteral("Analoguhr");
    case TextList:
        return QStringLiteral("Textliste");
    case Camera:
        return QStringLiteral("Kamera");
    default:
        return hexByte(code);
    }
}

QString SendLogFormat::records(const QByteArray& body)
{
    QStringList parts;
    for (const wallcmd::Record& r : wallcmd::splitRecords(body))
        parts << describe(r);
    return parts.join(QStringLiteral("; "));
}

QString SendLogFormat::body(const QByteArray& body)
{
    if (wallcmd::lifeSignQuery().contains(body)) {
        // The second query while still waiting: the first one went unanswered for a whole interval.
        if (m_state != LinkState::Waiting || ++m_unanswered != 2)
            return {};
        m_answering = false;
        return QStringLiteral("Verbindung: keine Antwort der Wand");
    }
    for (const wallcmd::Record& r : wallcmd::splitRecords(body)) {
        if (r.kind == wallcmd::Record::Kind::PageSelect && r.id != wallcmd::page::MediaStop)
            m_page = r.id;
    }
    return QStringLiteral("Senden [%1] %2")
        .arg(m_page ? pageName(*m_page) : QStringLiteral("keine Seite"), records(body));
}

QString SendLogFormat::linkState(LinkState state)
{
    m_state = state;
    m_unanswered = 0;
    if (state != LinkState::Up || m_answering)
        return {};
    m_answering = true;
    return QStringLiteral("Verbindung: Wand antwortet");
}

QString SendLogFormat::linkFailed(const QString& statusText)
{
    return QStringLiteral("Verbindungsfehler: ") + oneLine(statusText);
}

QString SendLogFormat::uploadStarted(const QString& path, const QString& address)
{
    return QStringLiteral("Upload: %1 an %2").arg(path, address);
}

QString SendLogFormat::uploadEnded(const QString& path, const QString& error)
{
    return error.isEmpty() ? QStringLiteral("Upload fertig: ") + path
                           : QStringLiteral("Upload fehlgeschlagen: %1: %2").arg(path, oneLine(error));
}

QString SendLogFormat::message(const QString& heading, const QString& caption, const QString& text)
{
    return caption.isEmpty() ? QStringLiteral("%1: %2").arg(heading, oneLine(text))
                             : QStringLiteral("%1 (%2): %3").arg(heading, oneLine(caption), oneLine(text));
}
