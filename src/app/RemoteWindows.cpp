#include "app/RemoteWindows.h"

#include "pages/AmericanFootball.h"
#include "pages/Socker.h"
#include "pages/SpielUndSatz.h"
#include "pages/Watch.h"
#include "shell/Main.h"
#include "textlist/Textbox.h"
#include "wall_link/WallLink.h"

#include <QAbstractButton>
#include <QBuffer>

namespace {

using Page = TFormMain::Page;

Page launcherPage(remote::PageKind kind)
{
    switch (kind) {
    case remote::PageKind::Clock:
        return Page::Watch;
    case remote::PageKind::Soccer:
        return Page::Socker;
    case remote::PageKind::Football:
        return Page::AmericanFootball;
    case remote::PageKind::Text:
        return Page::Textlist;
    case remote::PageKind::Sets:
        break;
    }
    return Page::SpielUndSatz;
}

// The names and counts a command gives, the others as the window holds them.
void enterScore(TScorePage& page, const std::optional<QString>& home, const std::optional<QString>& guest,
                std::optional<int> homePoints, std::optional<int> guestPoints)
{
    MatchState::Score score = page.score();
    score.home = home.value_or(score.home);
    score.guest = guest.value_or(score.guest);
    score.homePoints = homePoints.value_or(score.homePoints);
    score.guestPoints = guestPoints.value_or(score.guestPoints);
    page.setScore(score);
}

} // namespace

RemoteWindows::RemoteWindows(const Windows& windows, WallLink& link) : m_windows(windows), m_link(link)
{
    QObject::connect(&link, &WallLink::statusReplyReceived, &link,
                     [this](const wallcmd::StatusReply& reply) { m_version = reply.version; });
}

QList<RemoteWindows::Entry> RemoteWindows::entries() const
{
    return {{Page::Watch, &m_windows.watch, QStringLiteral("clock")},
            {Page::Socker, &m_windows.socker, QStringLiteral("soccer")},
            {Page::AmericanFootball, &m_windows.americanFootball, QStringLiteral("football")},
            {Page::SpielUndSatz, &m_windows.spielUndSatz, QStringLiteral("sets")},
            {Page::Textlist, &m_windows.textbox, QStringLiteral("text")},
            {Page::Picture, &m_windows.picture, QStringLiteral("picture")},
            {Page::Video, &m_windows.video, QStringLiteral("video")},
            {Page::Timing, &m_windows.timing, QStringLiteral("timing")}};
}

std::optional<RemoteWindows::Entry> RemoteWindows::shown() const
{
    const std::optional<Page> page = m_windows.main.shownPage();
    for (const Entry& entry : entries()) {
        if (page == entry.page)
            return entry;
    }
    return std::nullopt;
}

void RemoteWindows::setUnsentListener(const std::function<void(const QString& page, bool unsent)>& listener)
{
    for (const Entry& entry : entries()) {
        auto tell = [listener, name = entry.name](bool unsent) { listener(name, unsent); };
        if (auto* page = qobject_cast<TPageForm*>(entry.window))
            QObject::connect(page, &TPageForm::unsentChangesChanged, page, tell);
        else
            QObject::connect(&m_windows.textbox, &TFormTextbox::unsentChangesChanged, &m_windows.textbox, tell);
    }
}

RemoteStatus RemoteWindows::status() const
{
    RemoteStatus s;
    s.link = m_link.state();
    s.columns = m_link.textSize().columns;
    s.rows = m_link.textSize().rows;
    s.version = m_version;
    if (const std::optional<Entry> entry = shown()) {
        s.page = entry->name;
        const auto* page = qobject_cast<const TPageForm*>(entry->window);
        s.unsent = page ? page->hasUnsentChanges() : m_windows.textbox.hasUnsentChanges();
    }
    return s;
}

bool RemoteWindows::pageEnabled(remote::PageKind page) const
{
    return page != remote::PageKind::Sets || m_windows.main.settings().gameAndSetEnabled;
}

bool RemoteWindows::apply(const remote::PageCommand& command)
{
    if (!m_windows.main.switchToPage(launcherPage(remote::kindOf(command))))
        return false;
    std::visit([this](const auto& c) { enter(c); }, command);
    return true;
}

void RemoteWindows::enter(const remote::ClockCommand& c)
{
    if (c.text)
        m_windows.main.setWatchText(*c.text);
    if (c.show)
        m_windows.watch.press(c.mode == remote::ClockCommand::Mode::Analog ? TFormWatch::Button::AnalogWatch
                                                                           : TFormWatch::Button::Send);
}

void RemoteWindows::enter(const remote::SoccerCommand& c)
{
    enterScore(m_windows.socker, c.home, c.guest, c.homeGoals, c.guestGoals);
    if (c.show)
        m_windows.socker.SBSendClick();
}

void RemoteWindows::enter(const remote::FootballCommand& c)
{
    TFormAmericanFootball& page = m_windows.americanFootball;
    enterScore(page, c.home, c.guest, c.homePoints, c.guestPoints);
    if (c.direction)
        page.setCountDirectionIndex(int(*c.direction));
    if (c.duration)
        page.setDuration(*c.duration);
    if (c.setClock)
        page.SBSetClockClick();
    if (c.clearClock)
        page.SBClearClockClick();
    if (c.adjust)
        page.adjustClock(*c.adjust);
    if (c.run)
        *c.run ? page.SBRunWatchClick() : page.SBStopWatchClick();
    if (c.show)
        page.SBSendClick();
}

void RemoteWindows::enter(const remote::TextCommand& c)
{
    TFormTextbox& page = m_windows.textbox;
    if (c.header)
        page.setHeader(*c.header);
    if (c.lines)
        page.setLines(*c.lines);
    if (c.headerColour || c.lineColour || c.textColour) {
        wallcmd::TextListColours colours = page.colours();
        colours.header = c.headerColour.value_or(colours.header);
        colours.line = c.lineColour.value_or(colours.line);
        colours.text = c.textColour.value_or(colours.text);
        page.setColours(colours);
    }
    if (c.timeBar)
        page.setTimeBarMode(*c.timeBar);
    if (c.show)
        page.SBSendClick();
}

void RemoteWindows::enter(const remote::SetsCommand& c)
{
    TFormSpielUndSatz& page = m_windows.spielUndSatz;
    enterScore(page, c.home, c.guest, c.homeGames, c.guestGames);
    const auto [homeSets, guestSets] = page.sets();
    page.setSets(c.homeSets.value_or(homeSets), c.guestSets.value_or(guestSets));
    if (c.show)
        page.SBSendClick();
}

void RemoteWindows::erase()
{
    // Every page window names its "Löschen" SBErase; pressing it does all that the operator's press does
    // (the clock's modes released, the timing display's sending ended, a video preview stopped).
    if (const std::optional<Entry> entry = shown()) {
        if (auto* button = entry->window->findChild<QAbstractButton*>(QStringLiteral("SBErase"))) {
            button->click();
            return;
        }
    }
    m_link.send(wallcmd::erase());
}

QByteArray RemoteWindows::monitorPng() const
{
    const QImage picture = m_picture ? m_picture() : QImage();
    if (picture.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}
