#pragma once

#include "shell/LedBtn.h"
#include "shell/PageGlyphs.h"
#include "shell/Settings.h"
#include "shell/SettingsStore.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <optional>

class ErrorReport;
class QAction;
class QDialog;
class QLabel;
class QTimer;
class QToolButton;
class QVBoxLayout;
class TSleeper;
class TUDPVesk;
class TVideoPreview;
class WallLink;
class TFormAmericanFootball;
class TFormConfig;
class TFormMonitor;
class TFormWatch;
class TFormZMT;

// The launcher the operator keeps on screen: one button per kind of wall page, the lamp that shows
// whether the wall server answers, the menu, and the program's start-up and shut-down order. Page
// windows open modally and only while the lamp is green.
class TFormMain final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormMain)
public:
    struct Options
    {
        QString programName = QStringLiteral("BrisalClient"); // key path, about box, lock name
        QString helpFile;                                     // the program's path with the extension ".chm"
        QStringList manualFolders;                            // where the operator's manual may stand
        QStringList arguments;                                // command line without the program itself
        QString settingsRoot;                                 // empty: the platform's per-user settings store
        QString logFolder;                                    // the send log's folder; empty: no send log
    };

    // The feed endpoints the settings switch on and off.
    struct FeedEndpoints
    {
        TUDPVesk& cosa;
        TUDPVesk& json;
    };

    // The communication parts and the windows created after the main window; handed in once they all
    // exist.
    struct Parts
    {
        TFormConfig& config;
        WallLink& link;
        TSleeper& sleeper;
        FeedEndpoints feeds;
        TVideoPreview& preview;
        TFormWatch& watch;
        TFormZMT& zmt;
        QDialog& socker;
        TFormAmericanFootball& americanFootball;
        QDialog& textbox;
        QDialog& jpg;
        QDialog& video;
        QDialog& spielUndSatz;
    };

    // The windows the page buttons open.
    enum class Page
    {
        Watch,
        Socker,
        AmericanFootball,
        SpielUndSatz,
        Textlist,
        Picture,
        Video,
        Timing
    };

    struct PageButton;

    TFormMain(const Options& options, ErrorReport& report, QWidget* parent = nullptr);
    ~TFormMain() override;

    void connectParts(const Parts& parts);
    // The timing mode (serial timing display) that the menu entry "Zeitmesstechnik" starts.
    void setTimingMode(std::function<void()> timingMode) { m_timingMode = std::move(timingMode); }
    // The on-air monitor that "Anzeige" → "Wandmonitor" shows and hides; its place is stored with the settings.
    void connectMonitor(TFormMonitor& monitor);

    // The settings in force: read at start and after OK, changed by the configuration dialog on OK and on
    // cancelling alike.
    const Settings& settings() const { return m_settings; }
    const SettingsStore& settingsStore() const { return m_store; }
    // Reads the settings from the store and applies them: the dialog, the football page's count
    // direction, this window's position, the feeds, the timing-display and game-and-set entries, the
    // monitor.
    void ReadFromIni();
    // Stores the settings in force with this window's position, the football page's count direction and
    // the monitor's state and place.
    // Throws OperatorError when they cannot be stored; a junk store set aside is reported here.
    void WriteToIni();

    // Menu handlers.
    void SBExitClick();
    void Konfiguration2Click();
    void Hilfe2Click();
    // "Protokoll öffnen": the send log's folder in the desktop's file manager.
    void ProtokollOeffnen1Click();
    // "Tastenkürzel": the keys of the launcher and the page windows.
    void showKeys();
    void showAbout();
    // "Zeitmesstechnik": the timing mode, whose button stays down while it runs.
    void SBZMTClick();

    // The wall server's answer to "Über Server": the about box with its version text.
    void showServerDetails(const QString& version);
    // A wall-link socket error: status bar text, show buttons released, the link-bound pages closed.
    void showLinkError(const QString& statusText);
    // A second copy of the program was started: restore this window if minimised, else raise it.
    void bringToFront();
    // Closes the COSA and FinishLynx receivers and reopens each that the settings switch on.
    void reopenFeeds();

    // A page asked for from outside (the remote control), once the wall answers: another open page window
    // is closed first, as switching pages closes it (which blanks the wall), then the page opens as its
    // button opens it, but without blocking the caller. False while the launcher itself waits for the wall
    // to open a page; nothing changes then.
    bool switchToPage(Page page);
    // The page window that is open, if any.
    std::optional<Page> shownPage() const;
    // The clock page's small line, in force for the run as if entered in the configuration dialog.
    void setWatchText(const QString& text) { m_settings.watchText = text; }

    QString statusText() const;
    void setStatusText(const QString& text);
    // Clears the status bar when it still shows text (an error that is over).
    void clearStatusIfShowing(const QString& text);
    const QString& helpFile() const { return m_options.helpFile; }

Q_SIGNALS:
    // The settings read from the store have been applied (at start and after OK).
    void settingsApplied();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void StartTimerTimer();
    void placeAt(QPoint topLeft);
    bool FormCloseQuery();
    void FormClose();

    // A page button with its label on a new row, or at the end of the last row.
    QToolButton* addPageButton(const PageButton& entry);
    void buildMenu();
    // F2 … F11 open the pages in the order of the buttons.
    void bindPageKeys();
    QDialog* window(Page page) const;
    // The page-button rule: wait for the wall when the lamp is not green, then open the page modally.
    void openPage(QToolButton* button, QDialog* page, bool waitLonger);
    // What the rule does just before a page window shows: the status bar cleared, the window level with
    // this one.
    void placePage(QDialog* page);

    TLedBtn* LedBtnPing = nullptr;
    QToolButton* SBZMT = nullptr;
    QLabel* LbZMT = nullptr;
    QToolButton* SBSpielUndSatz = nullptr;
    QLabel* LbSpielUndSatz = nullptr;
    QAction* Zeitmesstechnik1 = nullptr;
    QAction* m_monitorAction = nullptr; // "Wandmonitor"
    QLabel* SBarPanel = nullptr;

    Options m_options;
    ErrorReport& m_report;
    SettingsStore m_store;
    Settings m_settings;
    QTimer* StartTimer = nullptr;
    bool m_started = false;
    QVBoxLayout* m_rows = nullptr;
    QHash<QObject*, QToolButton*> m_labelButtons;
    std::function<void()> m_timingMode;
    bool m_formShown = false;
    bool m_opening = false;
    bool m_closing = false;
    QString m_linkError; // the wall link's last error, cleared from the status bar when the wall answers

    TFormConfig* m_config = nullptr;
    WallLink* m_link = nullptr;
    TSleeper* m_sleeper = nullptr;
    TUDPVesk* m_cosa = nullptr;
    TUDPVesk* m_json = nullptr;
    TVideoPreview* m_preview = nullptr;
    TFormWatch* m_watch = nullptr;
    TFormZMT* m_zmt = nullptr;
    TFormAmericanFootball* m_americanFootball = nullptr;
    TFormMonitor* m_monitor = nullptr;
    QDialog* m_keysHelp = nullptr;
    QHash<Page, QDialog*> m_windows;
};
