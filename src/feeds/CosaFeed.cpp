#include "feeds/CosaFeed.h"

#include "textlist/Textbox.h"

#include <QFileInfo>

namespace {

QString withJpgExtension(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty())
        return name.endsWith(QLatin1Char('.')) ? name + QStringLiteral("jpg") : name + QStringLiteral(".jpg");
    return name.left(name.size() - suffix.size()) + QStringLiteral("jpg");
}

} // namespace

TCosaFeed::TCosaFeed(TFormTextbox& form, QObject* parent) : QObject(parent), m_form(form) {}
void TCosaFeed::UDPCosaReceive(const QString& /*host*/, quint16 /*port*/, const QByteArray& buffer)
{
    for (const QByteArray& payload : m_receiver.feed(buffer)) {
        if (m_form.isVisible())
            HandleCosaUdpMessage(payload);
    }
}

void TCosaFeed::HandleCosaUdpMessage(const QByteArray& text)
{
    const cosa::Message m = cosa::parseMessage(text);
    switch (m.kind) {
    case cosa::Kind::Ignored:
        break;
    case cosa::Kind::Blank:
        m_form.SBEraseClick();
        break;
    case cosa::Kind::Free:
        if (m.showPage) {
            m_form.setLines(m.lines);
            m_form.ShowTab(TFormTextbox::CosaZeitplan);
        }
        break;
    case cosa::Kind::Picture:
        // The picture is looked for as a JPEG of that name.
        m_form.showPicture(m.fileName.isEmpty() ? QString() : withJpgExtension(m.fileName));
        break;
    case cosa::Kind::Video:
        m_form.showVideo(m.fileName);
        break;
    case cosa::Kind::Schedule:
        if (m.showPage) {
            m_form.clearTimetable();
            for (const cosa::ScheduleEntry& entry : m.schedule)
                m_form.addTimetableEntry(entry.time, entry.competition);
            // The timetable just filled is the page to show.
            m_form.ShowTab(TFormTextbox::CosaZeitplan);
        }
        break;
    case cosa::Kind::StartList:
    case cosa::Kind::ResultList:
        showList(m, false);
        break;
    case cosa::Kind::MedalList:
        showList(m, true);
        break;
    }
}

void TCosaFeed::showList(const cosa::Message& m, bool clearWhenEmpty)
{
    // A start or result list without rows changes only the header; a medal list without rows empties the
    // grid.
    if (m.rows.isEmpty() && !clearWhenEmpty)
        m_form.setListHeader(m.header);
    else
        m_form.showList(m.header, m.rows);
    if (m.showPage)
        m_form.ShowTab(TFormTextbox::CosaErgebnisse);
}
