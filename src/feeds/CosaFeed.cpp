#include "feeds/CosaFeed.h"

#include "media/MediaPages.h"
#include "shell/LogCategories.h"
#include "textlist/Textbox.h"

#include <utility>

TCosaFeed::TCosaFeed(TFormTextbox& form, QObject* parent) : QObject(parent), m_form(form) {}
void TCosaFeed::UDPCosaReceive(const QString& /*host*/, quint16 /*port*/, const QByteArray& buffer)
{
    handle(m_receiver.feed(buffer));
}

void TCosaFeed::UDPCosaReceiveBurst(const QList<QByteArray>& datagrams)
{
    QList<QByteArray> payloads;
    for (const QByteArray& datagram : datagrams)
        payloads += m_receiver.feed(datagram);
    handle(payloads);
}

void TCosaFeed::handle(const QList<QByteArray>& payloads)
{
    // Lists before the last one that writes rows leave nothing in the grid, header or page that it does not
    // replace (no other message touches the grid, and it shows its page itself).
    QList<cosa::ListEffect> effects;
    qsizetype lastWhole = -1;
    if (payloads.size() > 1) {
        for (const QByteArray& payload : payloads)
            effects.append(cosa::listEffect(payload));
        lastWhole = effects.lastIndexOf(cosa::ListEffect::Whole);
    }
    for (qsizetype i = 0; i < payloads.size(); ++i) {
        if (!m_form.isVisible()) {
            qCDebug(lcFeeds) << "COSA message dropped: text list window closed" << payloads[i].left(40);
        } else if (i < lastWhole && effects[i] != cosa::ListEffect::None) {
            qCDebug(lcFeeds) << "COSA list left out: a later one replaces it" << payloads[i].left(40);
        } else {
            act(payloads[i]);
        }
    }
    showPendingTab();
}

void TCosaFeed::HandleCosaUdpMessage(const QByteArray& text)
{
    act(text);
    showPendingTab();
}

void TCosaFeed::showPendingTab()
{
    if (m_pendingTab >= 0)
        m_form.ShowTab(std::exchange(m_pendingTab, -1));
}

void TCosaFeed::act(const QByteArray& text)
{
    const cosa::Message m = cosa::parseMessage(text);
    if (m.kind == cosa::Kind::Ignored)
        qCDebug(lcFeeds) << "COSA message dropped: not understood" << text.left(40);
    else
        qCDebug(lcFeeds) << "COSA message taken:" << static_cast<int>(m.kind) << (m.showPage ? "shown" : "kept");
    switch (m.kind) {
    case cosa::Kind::Ignored:
        break;
    case cosa::Kind::Blank:
        qCInfo(lcRemote) << "liveboard blanks the wall";
        showPendingTab();
        m_form.SBEraseClick();
        break;
    case cosa::Kind::Free:
        if (m.showPage) {
            m_form.setLines(m.lines);
            m_pendingTab = TFormTextbox::CosaZeitplan;
        }
        break;
    case cosa::Kind::Picture:
        // The named file when it is a JPEG (camera files end in ".JPG"), else that name with ".jpg".
        qCInfo(lcRemote) << "liveboard prepares picture" << m.fileName;
        showPendingTab(); // the picture page may show itself
        m_form.showPicture(m.fileName.isEmpty() ? QString() : mediapage::pictureFile(m.fileName));
        break;
    case cosa::Kind::Video:
        qCInfo(lcRemote) << "liveboard prepares video" << m.fileName;
        showPendingTab();
        m_form.showVideo(m.fileName);
        break;
    case cosa::Kind::Schedule:
        if (m.showPage) {
            m_form.clearTimetable();
            for (const cosa::ScheduleEntry& entry : m.schedule)
                m_form.addTimetableEntry(entry.time, entry.competition);
            // The timetable just filled is the page to show.
            m_pendingTab = TFormTextbox::CosaZeitplan;
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
        m_pendingTab = TFormTextbox::CosaErgebnisse;
}
