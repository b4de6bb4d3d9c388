#include "shell/Main.h"

#include "media/VideoPreview.h"
#include "monitor/Monitor.h"
#include "pages/AmericanFootball.h"
#include "pages/PageKeys.h"
#include "pages/Socker.h"
#include "pages/Watch.h"
#include "pages/ZMT.h"
#include "shell/About.h"
#include "shell/CommandLine.h"
#include "shell/Config.h"
#include "shell/ErrorReport.h"
#include "shell/HelpPages.h"
#include "shell/KeysHelp.h"
#include "shell/PageGlyphs.h"
#include "shell/Shortcuts.h"
#include "shell/Version.h"
#include "wall_link/Sleeper.h"
#include "wall_link/UDPVesk.h"
#include "wall_link/WallLink.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr int kLinkWaitMs = 200;
constexpr int kCloseServerWaitMs = 200;
constexpr int kShutdownWaitMs = 500;

const QString kCopyright = QStringLiteral("Copyright © ZEL");
const QString kComments = QStringLiteral("Client für Videowand- Server");

} // namespace

// One launcher button: its control names, caption and glyph, the window it opens, whether the rule waits
// a second 200 ms before opening it, and whether a wall-link error closes that window.
struct TFormMain::PageButton
{
    const char* button;
    const char* caption;
    const char* label;
    PageGlyph glyph;
    Page page;
    bool waitLonger;
    bool closedOnLinkError;
    bool sameRow; // shares the previous button's row
};

namespace {
// In the launcher's order, top to bottom.
constexpr std::array kPageButtons{
    TFormMain::PageButton{"SBWatch", "Uhrzeit", "LbWatch", PageGlyph::Clock, TFormMain::Page::Watch, false, true,
                          false},
    TFormMain::PageButton{"SBSocker", "Spielstand", "LbSocker", PageGlyph::Soccer, TFormMain::Page::Socker, true, true,
                          false},
    TFormMain::PageButton{"SBAmericanFootball", "Spielstand/Spielzeit", "LbAmericanFootball", PageGlyph::Football,
                          TFormMain::Page::AmericanFootball, true, true, false},
    TFormMain::PageButton{"SBSpielUndSatz", "Spielstand/Satzstand", "LbSpielUndSatz", PageGlyph::GameAndSet,
                          TFormMain::Page::SpielUndSatz, true, false, false},
    TFormMain::PageButton{"SBTextlist", "Textliste", "LbTextlist", PageGlyph::TextList, TFormMain::Page::Textlist, true,
                          true, false},
    TFormMain::PageButton{"SBJpgPicture", "Bild anzeigen", "LbJpgPicture", PageGlyph::Picture, TFormMain::Page::Picture,
                          false, false, false},
    TFormMain::PageButton{"SBShowVideo", "Video anzeigen", "LbShowVideo", PageGlyph::Video, TFormMain::Page::Video,
                          false, false, false},
    TFormMain::PageButton{"SbShowCapture", "Video Livebild", "LbShowCapture", PageGlyph::LiveVideo,
                          TFormMain::Page::Video, false, false, false},
    TFormMain::PageButton{"SBShowMJPEG", "MJPEG Livebild", "LbShowMJPEG", PageGlyph::Camera, TFormMain::Page::Video,
                          false, false, true},
    TFormMain::PageButton{"SBZMT", "Zeitanzeige Zeitmesstechnik", "LbZMT", PageGlyph::Timing, TFormMain::Page::Timing,
                          false, true, false},
};
static_assert(kPageButtons.size() == shortcuts::kLauncherKeys, "one key per page button, F2 to F11");

// The row of the page button named button.
int rowOf(const char* button)
{
    for (int row = 0; row < static_cast<int>(kPageButtons.size()); ++row) {
        if (qstrcmp(kPageButtons[row].button, button) == 0)
            return row;
    }
    Q_UNREACHABLE();
}
} // namespace

TFormMain::TFormMain(const Options& options, ErrorReport& report, QWidget* parent)
    : QMainWindow(parent), m_options(options), m_report(report), m_store(options.programName, options.settingsRoot)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Brisal Client"));
    setWindowIcon(QIcon(QStringLiteral(":/BrisalClient.png")));
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(264, 314);
    setMinimumSize(260, 270);
    setMaximumSize(300, 350);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("PnMain"));
    m_rows = new QVBoxLayout;
    m_rows->setSpacing(4);

    for (const PageButton& entry : kPageButtons) {
        QToolButton* button = addPageButton(entry);
        if (entry.page == Page::Timing) {
            // The timing display runs the timing mode and is reached through the menu only.
            SBZMT = button;
            LbZMT = qobject_cast<QLabel*>(m_labelButtons.key(button));
            connect(button, &QToolButton::clicked, this, &TFormMain::SBZMTClick);
            SBZMT->setVisible(false);
            LbZMT->setVisible(false);
            continue;
        }
        connect(button, &QToolButton::clicked, this,
                [this, button, entry] { openPage(button, window(entry.page), entry.waitLonger); });
        if (entry.page == Page::SpielUndSatz) {
            // Disabled unless the settings switch the page on (ReadFromIni).
            SBSpielUndSatz = button;
            LbSpielUndSatz = qobject_cast<QLabel*>(m_labelButtons.key(button));
            SBSpielUndSatz->setEnabled(false);
            LbSpielUndSatz->setEnabled(false);
        }
    }
    findChild<QToolButton*>(QStringLiteral("SBShowMJPEG"))->setToolTip(QStringLiteral("MJPEG- Kamera am Server"));
    m_rows->addStretch();

    LedBtnPing = new TLedBtn(central);
    LedBtnPing->setObjectName(QStringLiteral("LedBtnPing"));
    LedBtnPing->setFixedSize(25, 25);
    LedBtnPing->setToolTip(QStringLiteral("Videowand- Lebenszeichen holen"));
    LedBtnPing->setActiveLight(TLedBtnColor::LedGray);

    // The lamp sits in the top right corner, at the end of the first row.
    static_cast<QHBoxLayout*>(m_rows->itemAt(0)->layout())->addWidget(LedBtnPing);
    m_rows->setContentsMargins(8, 8, 6, 4);
    central->setLayout(m_rows);
    setCentralWidget(central);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("SBar"));
    bar->setSizeGripEnabled(false);
    SBarPanel = new QLabel(bar);
    SBarPanel->setObjectName(QStringLiteral("SBarPanel"));
    SBarPanel->setMinimumWidth(50);
    SBarPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(SBarPanel, 1);
    setStatusBar(bar);

    buildMenu();
    bindPageKeys();

    FormCreate();
}

TFormMain::~TFormMain() = default;

QToolButton* TFormMain::addPageButton(const PageButton& entry)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(entry.button));
    button->setCheckable(true);
    button->setFixedSize(25, 25);
    button->setIcon(pageGlyph(entry.glyph));
    button->setIconSize(QSize(18, 18));
    auto* text = new QLabel(QString::fromUtf8(entry.caption), this);
    text->setObjectName(QLatin1String(entry.label));
    text->installEventFilter(this);
    m_labelButtons.insert(text, button);
    QHBoxLayout* row = nullptr;
    if (entry.sameRow && m_rows->count() > 0) {
        row = static_cast<QHBoxLayout*>(m_rows->itemAt(m_rows->count() - 1)->layout());
        delete row->takeAt(row->count() - 1); // the previous row's closing stretch
        row->addSpacing(12);
    } else {
        row = new QHBoxLayout;
        row->setSpacing(6);
        m_rows->addLayout(row);
    }
    row->addWidget(button);
    row->addWidget(text);
    row->addStretch();
    return button;
}

void TFormMain::buildMenu()
{
    auto action = [this](QMenu* menu, const QString& name, const QString& text, void (TFormMain::*handler)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("Datei1"));
    action(file, QStringLiteral("SBExit"), QStringLiteral("&Beenden"), &TFormMain::SBExitClick);

    QMenu* show = bar->addMenu(QStringLiteral("Anzeige"));
    show->setObjectName(QStringLiteral("Anzeige1"));
    auto pageAction = [this, show](const QString& name, const QString& text, const char* buttonName) {
        QAction* a = show->addAction(text);
        a->setObjectName(name);
        a->setShortcut(shortcuts::launcherKey(rowOf(buttonName)));
        connect(a, &QAction::triggered, this,
                [this, buttonName] { findChild<QToolButton*>(QLatin1String(buttonName))->click(); });
        return a;
    };
    pageAction(QStringLiteral("Uhrzeit1"), QStringLiteral("Uhrzeit"), "SBWatch");
    Zeitmesstechnik1 =
        action(show, QStringLiteral("Zeitmesstechnik1"), QStringLiteral("Zeitmesstechnik"), &TFormMain::SBZMTClick);
    Zeitmesstechnik1->setEnabled(false);
    Zeitmesstechnik1->setShortcut(shortcuts::launcherKey(rowOf("SBZMT")));
    pageAction(QStringLiteral("Fuball1"), QStringLiteral("Fußball"), "SBSocker");
    pageAction(QStringLiteral("AmericanFootball1"), QStringLiteral("American Football"), "SBAmericanFootball");
    show->addSeparator();
    m_monitorAction = show->addAction(QStringLiteral("Wandmonitor"));
    m_monitorAction->setObjectName(QStringLiteral("Wandmonitor1"));
    m_monitorAction->setCheckable(true);
    m_monitorAction->setEnabled(false);

    QMenu* config = bar->addMenu(QStringLiteral("Konfiguration"));
    config->setObjectName(QStringLiteral("Konfiguration1"));
    action(config, QStringLiteral("Konfiguration2"), QStringLiteral("Konfiguration"), &TFormMain::Konfiguration2Click);

    QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("Hilfe1"));
    QAction* manual = action(help, QStringLiteral("Hilfe2"), QStringLiteral("&Hilfe"), &TFormMain::Hilfe2Click);
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    // F1 in any window of the program opens the manual at that window's page.
    manual->setShortcutContext(Qt::ApplicationShortcut);
    action(help, QStringLiteral("Tastenkuerzel1"), QStringLiteral("&Tastenkürzel"), &TFormMain::showKeys);
    action(help, QStringLiteral("ProtokollOeffnen1"), QStringLiteral("&Protokoll öffnen"),
           &TFormMain::ProtokollOeffnen1Click)
        ->setEnabled(!m_options.logFolder.isEmpty());
    help->addSeparator();
    QAction* server = help->addAction(QStringLiteral("Über &Server"));
    server->setObjectName(QStringLiteral("berServer1"));
    connect(server, &QAction::triggered, this, [this] {
        if (m_link)
            m_link->requestDetails();
    });
    action(help, QStringLiteral("ber1"), QStringLiteral("Ü&ber"), &TFormMain::showAbout);
}

void TFormMain::bindPageKeys()
{
    // The "Anzeige" menu carries the keys of the pages it lists; the other buttons get actions of their own.
    QList<QKeySequence> inMenu;
    for (const QAction* a : findChildren<QAction*>())
        inMenu << a->shortcut();
    for (int row = 0; row < static_cast<int>(kPageButtons.size()); ++row) {
        const PageButton& entry = kPageButtons[row];
        auto* button = findChild<QToolButton*>(QLatin1String(entry.button));
        pagekeys::setKeyText(button, shortcuts::launcherKeyText(row), QString::fromUtf8(entry.caption));
        if (inMenu.contains(QKeySequence(shortcuts::launcherKey(row))))
            continue;
        auto* key = new QAction(this);
        key->setObjectName(QLatin1String(entry.button) + QStringLiteral("Key"));
        key->setShortcut(shortcuts::launcherKey(row));
        connect(key, &QAction::triggered, button, &QToolButton::click);
        addAction(key);
    }
}

void TFormMain::showKeys()
{
    if (!m_keysHelp) {
        QList<TFormTastenkuerzel::Row> rows;
        rows.append({QStringLiteral("F1"), QStringLiteral("Hilfe"), QStringLiteral("jedes Fenster")});
        for (int row = 0; row < static_cast<int>(kPageButtons.size()); ++row)
            rows.append({shortcuts::launcherKeyText(row), QString::fromUtf8(kPageButtons[row].caption),
                         QStringLiteral("Startfenster")});
        m_keysHelp = new TFormTastenkuerzel(rows, this);
    }
    m_keysHelp->show();
    m_keysHelp->raise();
}

void TFormMain::connectParts(const Parts& parts)
{
    m_config = &parts.config;
    m_link = &parts.link;
    m_sleeper = &parts.sleeper;
    m_cosa = &parts.feeds.cosa;
    m_json = &parts.feeds.json;
    m_preview = &parts.preview;
    m_watch = &parts.watch;
    m_zmt = &parts.zmt;
    m_americanFootball = &parts.americanFootball;
    m_windows = {{Page::Watch, &parts.watch},
                 {Page::Socker, &parts.socker},
                 {Page::AmericanFootball, &parts.americanFootball},
                 {Page::SpielUndSatz, &parts.spielUndSatz},
                 {Page::Textlist, &parts.textbox},
                 {Page::Picture, &parts.jpg},
                 {Page::Video, &parts.video},
                 {Page::Timing, &parts.zmt}};

    LedBtnPing->setActiveLight(lampColour(m_link->state()));
    connect(m_link, &WallLink::stateChanged, this, [this](LinkState state) {
        LedBtnPing->setActiveLight(lampColour(state));
        // The wall answers again: a socket error in the status bar is history.
        if (state == LinkState::Up)
            clearStatusIfShowing(m_linkError);
    });
    connect(LedBtnPing, &QToolButton::clicked, m_link, &WallLink::startSupervision);
    connect(m_link, &WallLink::serverDetailsReceived, this, &TFormMain::showServerDetails);
    connect(m_link, &WallLink::linkFailed, this, [this](const QString& statusText) {
        showLinkError(statusText);
        m_linkError = statusText;
    });
}

void TFormMain::connectMonitor(TFormMonitor& monitor)
{
    m_monitor = &monitor;
    m_monitorAction->setEnabled(true);
    connect(m_monitorAction, &QAction::toggled, m_monitor, &QWidget::setVisible);
    connect(m_monitor, &TFormMonitor::closed, m_monitorAction, [this] { m_monitorAction->setChecked(false); });
}

void TFormMain::FormCreate()
{
    // The process-wide date and time formats ("dd.mm.yyyy", "hh:nn") are the ones WriteToIni uses.
    if (m_options.helpFile.isEmpty())
        m_options.helpFile = m_options.programName + QStringLiteral(".chm");
    StartTimer = new QTimer(this);
    StartTimer->setObjectName(QStringLiteral("StartTimer"));
    StartTimer->setSingleShot(true);
    StartTimer->setInterval(100);
    connect(StartTimer, &QTimer::timeout, this, &TFormMain::StartTimerTimer);
    StartTimer->start();
    // Placed before the window exists, so the window manager puts the frame there. A move after showing but
    // before the frame is known places the client area there instead, and the launcher would creep upwards.
    const Settings stored = m_store.read();
    move(commandline::applyPlacement(m_options.arguments, QPoint(stored.mainLeft, stored.mainTop)));
}

void TFormMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_formShown) {
        m_formShown = true;
        FormShow();
    }
}

void TFormMain::FormShow()
{
    if (!m_link)
        return;
    m_link->open();
    reopenFeeds();
    for (Page page : {Page::Socker, Page::AmericanFootball, Page::Watch, Page::Timing})
        window(page)->move(190, 90);
}

void TFormMain::StartTimerTimer()
{
    StartTimer->deleteLater();
    StartTimer = nullptr;
    if (!m_link)
        return;
    m_report.run([this] { ReadFromIni(); });
    m_started = true;
    // The supervision runs from the first query on, so the lamp turns red when the wall goes silent.
    if (isVisible())
        m_link->startSupervision();
}

void TFormMain::reopenFeeds()
{
    m_cosa->CloseSocket();
    if (m_settings.useCosa)
        m_cosa->OpenSocket();
    m_json->CloseSocket();
    if (m_settings.useLynx)
        m_json->OpenSocket();
}

void TFormMain::ReadFromIni()
{
    m_settings = m_store.read();
    m_config->loadSettings(m_settings);
    m_americanFootball->setCountDirectionIndex(m_settings.countDirectionIndex);
    // The command line places the window at start only; later reads follow the stored position.
    const QPoint stored(m_settings.mainLeft, m_settings.mainTop);
    placeAt(m_started ? stored : commandline::applyPlacement(m_options.arguments, stored));
    reopenFeeds();
    const bool timing = m_settings.serialPortIndex > 0;
    SBZMT->setEnabled(timing);
    LbZMT->setEnabled(timing);
    Zeitmesstechnik1->setEnabled(timing);
    SBSpielUndSatz->setEnabled(m_settings.gameAndSetEnabled);
    LbSpielUndSatz->setEnabled(m_settings.gameAndSetEnabled);
    if (m_monitor) {
        m_monitor->move(m_settings.monitorLeft, m_settings.monitorTop);
        m_monitor->resize(m_settings.monitorWidth, m_settings.monitorHeight);
        m_monitorAction->setChecked(m_settings.monitorVisible);
    }
    Q_EMIT settingsApplied();
}

void TFormMain::placeAt(QPoint topLeft)
{
    // Moving to where the window already is would, before the frame is known, shift it by the frame.
    if (topLeft != pos())
        move(topLeft);
}

void TFormMain::WriteToIni()
{
    m_settings.countDirectionIndex = m_americanFootball->countDirectionIndex();
    m_settings.mainLeft = x();
    m_settings.mainTop = y();
    if (m_monitor) {
        m_settings.monitorVisible = m_monitorAction->isChecked();
        m_settings.monitorLeft = m_monitor->x();
        m_settings.monitorTop = m_monitor->y();
        m_settings.monitorWidth = m_monitor->width();
        m_settings.monitorHeight = m_monitor->height();
    }
    const QString setAside = m_store.write(m_settings);
    if (!setAside.isEmpty())
        m_report.showMessage(ErrorReport::Icon::Warning, QString(), setAside);
}

void TFormMain::openPage(QToolButton* button, QDialog* page, bool waitLonger)
{
    // A click that arrives while another page is being opened (during a wait) is not a second request.
    if (m_opening || !m_link) {
        button->setChecked(false);
        return;
    }
    m_opening = true;
    button->setChecked(true);
    if (LedBtnPing->ActiveLight() != TLedBtnColor::LedGreen) {
        m_link->startSupervision();
        m_sleeper->Sleep(kLinkWaitMs);
    }
    if (waitLonger)
        m_sleeper->Sleep(kLinkWaitMs);
    if (LedBtnPing->ActiveLight() == TLedBtnColor::LedGreen) {
        placePage(page);
        page->exec();
    }
    button->setChecked(false);
    m_opening = false;
}

void TFormMain::placePage(QDialog* page)
{
    SBarPanel->clear();
    page->move(page->x(), y());
}

bool TFormMain::switchToPage(Page page)
{
    // While a page window is open its modal loop runs the caller; without one, the launcher is waiting.
    if (!m_link || (m_opening && !shownPage()))
        return false;
    QDialog* target = window(page);
    for (QDialog* other : std::as_const(m_windows)) {
        if (other != target && other->isVisible())
            other->close();
    }
    if (target->isVisible())
        return true;
    const auto entry =
        std::find_if(kPageButtons.begin(), kPageButtons.end(), [page](const PageButton& e) { return e.page == page; });
    auto* button = findChild<QToolButton*>(QLatin1String(entry->button));
    button->setChecked(true);
    connect(
        target, &QDialog::finished, button, [button] { button->setChecked(false); }, Qt::SingleShotConnection);
    placePage(target);
    target->setModal(true);
    target->show();
    return true;
}

std::optional<TFormMain::Page> TFormMain::shownPage() const
{
    for (const PageButton& entry : kPageButtons) {
        if (window(entry.page)->isVisible())
            return entry.page;
    }
    return std::nullopt;
}

QDialog* TFormMain::window(Page page) const
{
    return m_windows.value(page);
}

void TFormMain::SBZMTClick()
{
    if (m_timingMode)
        m_report.run(m_timingMode);
    SBZMT->setChecked(false);
}

void TFormMain::SBExitClick()
{
    close();
}

void TFormMain::Konfiguration2Click()
{
    if (!m_config)
        return;
    m_config->loadSettings(m_settings);
    const bool accepted = m_config->exec() == QDialog::Accepted;
    // Cancelled values are in force for the rest of the run too; only OK stores them.
    m_config->saveSettings(m_settings);
    if (!accepted)
        return;
    m_settings.rxPrefix = m_settings.rxPrefix.trimmed().toUpper();
    m_config->loadSettings(m_settings);
    // Reading back applies what was stored, the feeds included.
    m_report.run([this] {
        WriteToIni();
        ReadFromIni();
    });
}

void TFormMain::ProtokollOeffnen1Click()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(m_options.logFolder)))
        m_report.report(
            QStringLiteral("Der Protokollordner \"%1\" kann nicht geöffnet werden.").arg(m_options.logFolder));
}

void TFormMain::Hilfe2Click()
{
    const QFileInfo chm(m_options.helpFile);
    const QWidget* focused = QApplication::activeWindow();
    const QString windowClass = focused ? QString::fromLatin1(focused->metaObject()->className()) : QString();
    const helppages::HelpTarget help =
        helppages::chooseHelp(chm.absolutePath(), chm.completeBaseName(), windowClass, m_options.manualFolders);
    switch (help.kind) {
    case helppages::HelpTarget::Kind::CompiledHelp:
        QDesktopServices::openUrl(QUrl::fromLocalFile(help.chmFile));
        return;
    case helppages::HelpTarget::Kind::ManualPage:
        QDesktopServices::openUrl(help.url);
        return;
    case helppages::HelpTarget::Kind::None:
        break;
    }
    m_report.showMessage(
        ErrorReport::Icon::Critical, QStringLiteral("Keine Hilfe"),
        QStringLiteral("Hilfedatei \n\"") + chm.absoluteFilePath() + QStringLiteral("\"\n nicht verfügbar."), true);
}

void TFormMain::showAbout()
{
    showAboutBox({QFileInfo(m_options.programName).completeBaseName(), version::versionString(), kCopyright, kComments},
                 this);
}

void TFormMain::showServerDetails(const QString& version)
{
    showAboutBox({QStringLiteral("Videowand Server (Gegenstelle)"), version, kCopyright, kComments}, this);
}

void TFormMain::showLinkError(const QString& statusText)
{
    SBarPanel->setText(statusText);
    if (!m_watch)
        return;
    m_watch->ReleaseSend();
    m_zmt->ReleaseSend();
    for (const PageButton& entry : kPageButtons) {
        QDialog* page = window(entry.page);
        if (entry.closedOnLinkError && page->isVisible())
            page->close();
    }
}

void TFormMain::bringToFront()
{
    if (isMinimized()) {
        showNormal();
    } else {
        raise();
        activateWindow();
    }
}

QString TFormMain::statusText() const
{
    return SBarPanel->text();
}

void TFormMain::clearStatusIfShowing(const QString& text)
{
    if (!text.isEmpty() && SBarPanel->text() == text)
        SBarPanel->clear();
}

void TFormMain::setStatusText(const QString& text)
{
    SBarPanel->setText(text);
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // Closing waits for the wall with the event loop running; a second close meanwhile is the same one.
    if (m_closing || !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TFormMain::FormCloseQuery()
{
    if (!m_link || !m_config)
        return true;
    m_closing = true;
    // Settings that cannot be stored are reported once; they must not keep the operator from quitting.
    m_report.run([this] { WriteToIni(); });
    if (m_settings.closeAction == CloseAction::CloseServer) {
        m_link->send(wallcmd::closeServer());
        m_sleeper->Sleep(kCloseServerWaitMs);
    }
    if (m_settings.closeAction == CloseAction::Shutdown) {
        m_link->send(wallcmd::shutdownServer());
        m_sleeper->Sleep(kShutdownWaitMs);
    }
    m_closing = false;
    return true;
}

void TFormMain::FormClose()
{
    if (!m_link)
        return;
    m_preview->stopQuietly();
    m_link->close();
    m_cosa->CloseSocket();
    m_json->CloseSocket();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        QToolButton* button = m_labelButtons.value(watched);
        if (button && button->isEnabled() && static_cast<QWidget*>(watched)->isEnabled()) {
            button->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
