#include "feeds/CosaFeed.h"

#include "media/Image.h"
#include "media/MediaModule.h"
#include "shell/ErrorReport.h"
#include "textlist/StringGrid.h"
#include "textlist/Textbox.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace {

enum Column
{
    Pos,
    Nr,
    Name,
    LV,
    Leistung
};

QString withJpgExtension(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty())
        return name.endsWith(QLatin1Char('.')) ? name + QStringLiteral("jpg") : name + QStringLiteral(".jpg");
    return name.left(name.size() - suffix.size()) + QStringLiteral("jpg");
}

} // namespace

TCosaFeed::TCosaFeed(TMediaModule& media, TFormTextbox& form, ErrorReport& report, QObject* parent)
    : QObject(parent), m_media(media), m_form(form), m_report(report)
{}

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
        showPicture(m.fileName);
        break;
    case cosa::Kind::Video:
        showVideo(m.fileName);
        break;
    case cosa::Kind::Schedule:
        if (m.showPage) {
            m_form.LVZeitplan->clear();
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

void TCosaFeed::showPicture(const QString& fileName)
{
    m_form.SBShowPicture->setEnabled(false);
    if (fileName.isEmpty())
        return;
    const QString path = withJpgExtension(fileName);
    if (!QFileInfo(path).isFile())
        return;
    m_form.ShowTab(TFormTextbox::BildZeigen);
    m_report.run([&] {
        m_form.ImShowPicture->loadFromFile(path);
        m_form.SBShowPicture->setEnabled(true);
    });
}

void TCosaFeed::showVideo(const QString& fileName)
{
    m_form.SBShowVideo->setEnabled(false);
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    m_media.Preview.stopQuietly();
    m_form.ShowTab(TFormTextbox::VideoZeigen);
    const QString copy = TMediaUpload::videoCopyPath(fileName);
    if (!m_report.run([&] { TMediaUpload::CopyStreamedFile(fileName, copy); }))
        return;
    m_form.videoCopyPath = copy;
    try {
        m_media.Preview.LoadVideo(copy, m_form.PnVideo);
        m_media.Preview.PlayVideo(m_form.PnVideo);
        m_form.SBShowVideo->setEnabled(true);
    } catch (...) {
        // Without a preview the operator cannot check the video; the button stays off.
    }
}

void TCosaFeed::showList(const cosa::Message& m, bool clearAlways)
{
    TStringGrid& grid = *m_form.SGLIF;
    m_form.EdPnHeader->setText(m.header);
    if (m.gridRows > 0)
        grid.setRowCount(m.gridRows + 1);
    if (m.gridRows > 0 || clearAlways)
        m_form.ClearGrid();
    for (int row = 0; row < m.rows.size(); ++row) {
        const QStringList& cells = m.rows[row];
        for (int column = Pos; column <= Leistung; ++column)
            grid.setCell(column, row + 1, cells.value(column));
    }
    if (m.showPage)
        m_form.ShowTab(TFormTextbox::CosaErgebnisse);
}
