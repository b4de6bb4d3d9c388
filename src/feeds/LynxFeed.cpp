#include "feeds/LynxFeed.h"

#include "shell/ErrorReport.h"
#include "shell/LogCategories.h"
#include "textlist/Textbox.h"
#include "wall_link/UDPVesk.h"

#include <QDebug>

namespace {

// String k of a line goes to column k - 1; string 1 is overwritten by string 2 and never shows.
int columnOf(qsizetype index)
{
    return index == 0 ? 0 : static_cast<int>(index) - (index == 1 ? 0 : 1);
}

} // namespace

TLynxFeed::TLynxFeed(TFormTextbox& window, ErrorReport& report, std::function<QString()> prefix, QObject* parent)
    : QObject(parent), m_window(window), m_report(report), m_prefix(std::move(prefix))
{}

void TLynxFeed::connectEndpoint(TUDPVesk& endpoint)
{
    connect(&endpoint, &TUDPVesk::OnReceive, this, &TLynxFeed::UDPJsonReceive);
}

void TLynxFeed::UDPJsonReceive(const QString& /*host*/, quint16 /*port*/, const QByteArray& buffer)
{
    const QString prefix = m_prefix ? m_prefix() : QString();
    const auto message = m_collector.receive(buffer, prefix);
    if (!message) {
        // Part of a message still growing, or a message dropped (other sender, not readable).
        qCDebug(lcFeeds) << "FinishLynx datagram of" << buffer.size() << "bytes: no message taken, collected"
                         << m_collector.collected().size();
        return;
    }
    qCDebug(lcFeeds) << "FinishLynx message taken:" << message->parts.size() << "parts" << message->error;
    show(*message);
}

void TLynxFeed::show(const lynx::Message& message)
{
    for (const lynx::ListPart& part : message.parts) {
        if (part.kind == lynx::ListPart::Kind::Header) {
            // Empty titles before the first one with text add no separator.
            QString header;
            for (const QString& title : part.header) {
                if (!header.isEmpty())
                    header += QStringLiteral("; ");
                header += title;
            }
            m_window.setLynxHeader(header);
            continue;
        }
        QList<QStringList> rows;
        rows.reserve(part.lines.size());
        for (const QStringList& strings : part.lines) {
            QStringList cells;
            for (qsizetype k = 0; k < strings.size(); ++k) {
                const int column = columnOf(k);
                if (column >= cells.size())
                    cells.resize(column + 1);
                cells[column] = strings[k];
            }
            rows.append(cells);
        }
        m_window.showLynxRows(rows);
    }
    if (message.error.isEmpty())
        return;
    const QString status = QStringLiteral("FinishLynx: ") + message.error;
    qWarning().noquote() << status;
    if (m_statusLine)
        m_statusLine(status);
    m_report.report(message.error);
}
