#include "shell/Main.h"

#include "media/VideoPreview.h"
#include "pages/AmericanFootball.h"
#include "pages/Socker.h"
#include "pages/Watch.h"
#include "pages/ZMT.h"
#include "shell/CommandLine.h"
#include "shell/Config.h"
#include "shell/ErrorReport.h"
#include "shell/PageGlyphs.h"
#include "shell/Version.h"
#include "wall_link/Sleeper.h"
#include "wall_link/UDPVesk.h"
#include "wall_link/WallLink.h"

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

namespace {

constexpr int kLinkWaitMs = 200;
constexpr int kCloseServerWaitMs = 200;
constexpr int kShutdownWaitMs = 500;

} // namespace

TFormMain::TFormMain(const Options& options, ErrorReport& report, QWidget* parent)
    : QMainWindow(parent), About(this), m_options(options), m_report(report),
      m_store(options.programName, options.settingsRoot)
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

    SBWatch =
        pageButton(QStringLiteral("SBWatch"), QStringLiteral("Uhrzeit"), QStringLiteral("LbWatch"), PageGlyph::Clock);
    SBSocker = pageButton(QStringLiteral("SBSocker"), QStringLiteral("Spielstand"), QStringLiteral("LbSocker"),
                          PageGlyph::Soccer);
    SBAmericanFootball = pageButton(QStringLiteral("SBAmericanFootball"), QStringLiteral("Spielstand/Spielzeit"),
                                    QStringLiteral("LbAmericanFootball"), PageGlyph::Football);
    SBSpielUndSatz = pageButton(QStringLiteral("SBSpielUndSatz"), QStringLiteral("Spielstand/Satzstand"),
                                QStringLiteral("LbSpielUndSatz"), PageGlyph::GameAndSet);
    SBTextlist = pageButton(QStringLiteral("SBTextlist"), QStringLiteral("Textliste"), QStringLiteral("LbTextlist"),
                            PageGlyph::TextList);
    SBJpgPicture = pageButton(QStringLiteral("SBJpgPicture"), QStringLiteral("Bild anzeigen"),
                              QStringLiteral("LbJpgPicture"), PageGlyph::Picture);
    SBShowVideo = pageButton(QStringLiteral("SBShowVideo"), QStringLiteral("Video anzeigen"),
                             QStringLiteral("LbShowVideo"), PageGlyph::Video);
    SbShowCapture = pageButton(QStringLiteral("SbShowCapture"), QStringLiteral("Video Livebild"),
                               QStringLiteral("LbShowCapture"), PageGlyph::LiveVideo);
    // The camera button shares the live-video row.
    SBShowMJPEG = pageButton(QStringLiteral("SBShowMJPEG"), QStringLiteral("MJPEG Livebild"),
                             QStringLiteral("LbShowMJPEG"), PageGlyph::Camera, true);
    SBShowMJPEG->setToolTip(QStringLiteral("MJPEG- Kamera am Server"));
    SBZMT = pageButton(QStringLiteral("SBZMT"), QStringLiteral("Zeitanzeige Zeitmesstechnik"), QStringLiteral("LbZMT"),
                       PageGlyph::Timing);
    LbZMT = qobject_cast<QLabel*>(m_labelButtons.key(SBZMT));
    // The timing display is reached through the menu only.
    SBZMT->setVisible(false);
    LbZMT->setVisible(false);
    // The game-and-set page is not offered yet.
    SBSpielUndSatz->setEnabled(false);
    qobject_cast<QWidget*>(m_labelButtons.key(SBSpielUndSatz))->setEnabled(false);
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

    connect(SBWatch, &QToolButton::clicked, this, &TFormMain::SBWatchClick);
    connect(SBSocker, &QToolButton::clicked, this, &TFormMain::SBSockerClick);
    connect(SBAmericanFootball, &QToolButton::clicked, this, &TFormMain::SBAmericanFootballClick);
    connect(SBSpielUndSatz, &QToolButton::clicked, this, &TFormMain::SBSpielUndSatzClick);
    connect(SBTextlist, &QToolButton::clicked, this, &TFormMain::SBTextlistClick);
    connect(SBJpgPicture, &QToolButton::clicked, this, &TFormMain::SBJpgPictureClick);
    connect(SBShowVideo, &QToolButton::clicked, this, &TFormMain::SBShowVideoClick);
    connect(SbShowCapture, &QToolButton::clicked, this, &TFormMain::SbShowCaptureClick);
    connect(SBShowMJPEG, &QToolButton::clicked, this, &TFormMain::SBShowMJPEGClick);
    connect(SBZMT, &QToolButton::clicked, this, &TFormMain::SBZMTClick);

    About.setObjectName(QStringLiteral("About"));
    About.Comments = QStringLiteral("Client für Videowand- Server");
    About.Copyright = QStringLiteral("Copyright © ZEL");

    FormCreate();
}

TFormMain::~TFormMain() = default;

QToolButton* TFormMain::pageButton(const QString& name, const QString& label, const QString& labelName, PageGlyph glyph,
                                   bool sameRow)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setFixedSize(25, 25);
    button->setIcon(pageGlyph(glyph));
    button->setIconSize(QSize(18, 18));
    auto* text = new QLabel(label, this);
    text->setObjectName(labelName);
    text->installEventFilter(this);
    m_labelButtons.insert(text, button);
    QHBoxLayout* row = nullptr;
    if (sameRow && m_rows->count() > 0) {
        row = static_cast<QHBoxLayout*>(m_rows->itemAt(m_rows->count() - 1)->layout());
        row->takeAt(row->count() - 1); // the previous row's closing stretch
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
    action(show, QStringLiteral("Uhrzeit1"), QStringLiteral("Uhrzeit"), &TFormMain::SBWatchClick);
    Zeitmesstechnik1 =
        action(show, QStringLiteral("Zeitmesstechnik1"), QStringLiteral("Zeitmesstechnik"), &TFormMain::SBZMTClick);
    Zeitmesstechnik1->setEnabled(false);
    action(show, QStringLiteral("Fuball1"), QStringLiteral("Fußball"), &TFormMain::SBSockerClick);
    action(show, QStringLiteral("AmericanFootball1"), QStringLiteral("American Football"),
           &TFormMain::SBAmericanFootballClick);

    QMenu* config = bar->addMenu(QStringLiteral("Konfiguration"));
    config->setObjectName(QStringLiteral("Konfiguration1"));
    action(config, QStringLiteral("Konfiguration2"), QStringLiteral("Konfiguration"), &TFormMain::Konfiguration2Click);

    QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("Hilfe1"));
    action(help, QStringLiteral("Hilfe2"), QStringLiteral("&Hilfe"), &TFormMain::Hilfe2Click)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    QAction* server = help->addAction(QStringLiteral("Über &Server"));
    server->setObjectName(QStringLiteral("berServer1"));
    connect(server, &QAction::triggered, this, [this] {
        if (m_link)
            m_link->requestDetails();
    });
    action(help, QStringLiteral("ber1"), QStringLiteral("Ü&ber"), &TFormMain::ber1Click);
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
    m_socker = &parts.socker;
    m_americanFootball = &parts.americanFootball;
    m_textbox = &parts.textbox;
    m_jpg = &parts.jpg;
    m_video = &parts.video;
    m_spielUndSatz = &parts.spielUndSatz;

    LedBtnPing->setActiveLight(lampColour(m_link->state()));
    connect(m_link, &WallLink::stateChanged, LedBtnPing,
            [this](LinkState state) { LedBtnPing->setActiveLight(lampColour(state)); });
    connect(LedBtnPing, &QToolButton::clicked, m_link, &WallLink::startSupervision);
    connect(m_link, &WallLink::serverDetailsReceived, this, &TFormMain::showServerDetails);
    connect(m_link, &WallLink::linkFailed, this, &TFormMain::showLinkError);
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
    move(40, 40);
    for (QDialog* page : std::initializer_list<QDialog*>{m_socker, m_americanFootball, m_watch, m_zmt})
        page->move(190, 90);
}

void TFormMain::StartTimerTimer()
{
    StartTimer->deleteLater();
    StartTimer = nullptr;
    if (!m_link)
        return;
    m_report.run([this] { ReadFromIni(); });
    move(commandline::applyPlacement(m_options.arguments, pos()));
    if (isVisible())
        m_link->queryLifeSign();
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
    move(m_settings.mainLeft, y());
    move(x(), m_settings.mainTop);
    reopenFeeds();
    const bool timing = m_settings.serialPortIndex > 0;
    SBZMT->setEnabled(timing);
    LbZMT->setEnabled(timing);
    Zeitmesstechnik1->setEnabled(timing);
}

void TFormMain::WriteToIni()
{
    m_settings.countDirectionIndex = m_americanFootball->countDirectionIndex();
    m_settings.mainLeft = x();
    m_settings.mainTop = y();
    m_store.write(m_settings);
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
        SBarPanel->clear();
        page->move(page->x(), y());
        page->exec();
    }
    button->setChecked(false);
    m_opening = false;
}

void TFormMain::SBWatchClick()
{
    openPage(SBWatch, m_watch, false);
}

void TFormMain::SBSockerClick()
{
    openPage(SBSocker, m_socker, true);
}

void TFormMain::SBAmericanFootballClick()
{
    openPage(SBAmericanFootball, m_americanFootball, true);
}

void TFormMain::SBSpielUndSatzClick()
{
    openPage(SBSpielUndSatz, m_spielUndSatz, true);
}

void TFormMain::SBTextlistClick()
{
    openPage(SBTextlist, m_textbox, true);
}

void TFormMain::SBJpgPictureClick()
{
    openPage(SBJpgPicture, m_jpg, false);
}

void TFormMain::SBShowVideoClick()
{
    openPage(SBShowVideo, m_video, false);
}

void TFormMain::SbShowCaptureClick()
{
    openPage(SbShowCapture, m_video, false);
}

void TFormMain::SBShowMJPEGClick()
{
    openPage(SBShowMJPEG, m_video, false);
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

void TFormMain::Hilfe2Click()
{
    const QString path = QFileInfo(m_options.helpFile).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return;
    }
    m_report.showMessage(ErrorReport::Icon::Critical, QStringLiteral("Keine Hilfe"),
                         QStringLiteral("Hilfedatei \n\"") + path + QStringLiteral("\"\n nicht verfügbar."), true);
}

void TFormMain::ber1Click()
{
    About.Version = version::versionString();
    About.ProductName = QFileInfo(m_options.programName).completeBaseName();
    About.Execute();
}

void TFormMain::showServerDetails(const QString& version)
{
    About.ProductName = QStringLiteral("Videowand Server (Gegenstelle)");
    About.Version = version;
    About.Execute();
}

void TFormMain::showLinkError(const QString& statusText)
{
    SBarPanel->setText(statusText);
    if (!m_watch)
        return;
    m_watch->ReleaseSend();
    m_zmt->ReleaseSend();
    for (QDialog* page : std::initializer_list<QDialog*>{m_watch, m_zmt, m_socker, m_americanFootball, m_textbox}) {
        if (page->isVisible())
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
    if (!m_report.run([this] { WriteToIni(); })) {
        m_closing = false;
        return false;
    }
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
