#include "feeds/LynxFeed.h"

#include "shell/ErrorReport.h"
#include "textlist/StringGrid.h"
#include "textlist/Textbox.h"
#include "wall_link/UDPVesk.h"

#include <QLineEdit>

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
    if (const auto message = m_collector.receive(buffer, prefix))
        show(*message);
}

void TLynxFeed::show(const lynx::Message& message)
{
    TStringGrid& grid = *m_window.SGLynx;
    for (const lynx::ListPart& part : message.parts) {
        if (part.kind == lynx::ListPart::Kind::Header) {
            QString header;
            for (const QString& title : part.header) {
                if (!header.isEmpty())
                    header += QStringLiteral("; ");
                header += title;
            }
            m_window.EdLynxHeader->setText(header);
            continue;
        }
        for (int row = 1; row < grid.RowCount(); ++row)
            for (int column = 0; column < grid.ColCount(); ++column)
                grid.setCell(column, row, QString());
        for (qsizetype r = 0; r < part.lines.size(); ++r) {
            const int row = static_cast<int>(r) + 1;
            if (row >= grid.RowCount())
                grid.setRowCount(row + 2);
            const QStringList& cells = part.lines[r];
            for (qsizetype k = 0; k < cells.size(); ++k) {
                const int column = columnOf(k);
                if (column >= grid.ColCount())
                    grid.setColCount(column + 1);
                grid.setCell(column, row, cells[k]);
            }
        }
    }
    if (!message.error.isEmpty())
        m_report.report(message.error);
}
