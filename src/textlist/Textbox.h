#pragma once

#include "media/OpenDialog.h"
#include "textlist/ListLayout.h"
#include "wall_link/WallCommands.h"

#include <QDialog>

#include <array>
#include <functional>

class ErrorReport;
class QButtonGroup;
class QCheckBox;
class QColorDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QWidget;
class TMediaModule;
class WallSink;
class TImage;
class TStringGrid;

// The text list window: composes the wall's text box page (header, separator line, box of fixed-width
// lines, optional time bar) in a preview and sends it; its workflow tree and page stack bring timetables,
// start and result lists (and pictures and videos) into the preview or onto the wall.
//
// Needs: the wall (the way to it and its text size), the media parts (upload, video preview) and the
// general error report, which shows what ends a picture or video action. The feeds and the standings write
// into the public controls below; sending stays the operator's action. Created once at start-up, then
// only shown (modally) and hidden, so its content survives between openings.
class TFormTextbox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormTextbox)
public:
    TFormTextbox(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent = nullptr);

    // Workflow entries, in tree order.
    enum Workflow
    {
        CosaZeitplan,
        CosaStartliste,
        CosaErgebnisse,
        BildZeigen,
        VideoZeigen,
        LynxStartliste,
        LynxErgebnisse,
        MjpegLiveCam
    };
    // Pages of PCMain, in stack order.
    enum Page
    {
        TSZeitplan,
        TSStartlist,
        TSBild,
        TSVideo,
        TSLynx
    };

    // Stops the local video preview (errors swallowed) and shows the page of workflow entry index;
    // an index without a page of its own shows the timetable.
    void ShowTab(int index);
    static int pageOfWorkflow(int index);

    void SBSendClick();
    void SBEraseClick();
    void TVWorkflowChange();
    void TVWorkflowClick();
    void PnFarbeHeaderClick();
    void PnTextLinienfarbeClick();
    void PnFarbeBoxClick();

    // Appends a timetable entry numbered after the entries already there.
    void addTimetableEntry(const QString& time, const QString& competition);
    void popTimeTableClick();
    void BBShowStartResultsListClick();
    void BBLynxStartResultsListClick();
    // Empties the data rows of SGLIF (header and row count stay) and both panels of LifSBar.
    void ClearGrid(int unused = 0);
    void SBLoadPictureClick();
    void SBShowPictureClick();
    void TSBildShow();
    void SBOpenVideoClick();
    void SBShowVideoClick();
    void TSVideoShow();
    void SBLiveClick();
    void SBShowMJPEGClick();

    // The lines of MTextbox as a line-based editor counts them: a final line break ends the last line
    // rather than starting an empty one. Setting replaces the content.
    QStringList lines() const;
    void setLines(const QStringList& lines);
    void addLine(const QString& line);

    // Index of the selected workflow entry, -1 when none is selected.
    int workflowIndex() const;
    wallcmd::TimeBarMode timeBarMode() const;
    wallcmd::TextListColours colours() const;

    // The list layout into the preview, as the list pages and the standings use it.
    void listToPreview(const TStringGrid& grid, const QString& header, bool showPosition, bool showNumber);

    // Replaces the local video preview's stop (the media parts' by default); errors it throws are
    // swallowed.
    void setStopVideo(std::function<void()> stopVideo) { m_stopVideo = std::move(stopVideo); }
    // The video copy path of this window (empty until a video is staged); the COSA feed sets it too.
    QString videoCopyPath;
    // This window's own open dialog for pictures and videos.
    TOpenDialog Open;

    // Preview
    QSplitter* Splitter1;
    QWidget* PnRight;
    QWidget* LbBlackBackground;
    QLineEdit* EdKopfzeile;
    QLabel* Label2;
    QWidget* PnTextLinie;
    QLabel* Label1;
    QLabel* Label3;
    QPlainTextEdit* MTextbox;
    QLabel* Label8;
    QGroupBox* GroupBox2;
    QToolButton* PnFarbeHeader;
    QToolButton* PnTextLinienfarbe;
    QToolButton* PnFarbeBox;
    QColorDialog* ColorDialog;
    QGroupBox* GroupBox3;
    QRadioButton* RBAuto;
    QRadioButton* RBPermanentEin;
    QRadioButton* RBPermanentAus;
    QToolButton* SBErase;
    QToolButton* SBSend;
    QTreeWidget* TVWorkflow;
    QTabWidget* PCMain;

    // Zeitplan
    QTreeWidget* LVZeitplan;
    QPushButton* BitBtn1;
    QLineEdit* EdZPKopf;
    QMenu* PopDBViewer;
    // Startliste
    TStringGrid* SGLIF;
    QPushButton* BBShowStartResultsList;
    QLineEdit* EdPnHeader;
    QCheckBox* CBShowPosition;
    QCheckBox* CBShowStartnr;
    std::array<QLabel*, 2> LifSBar;
    // Bild
    QToolButton* SBLoadPicture;
    TImage* ImShowPicture;
    QToolButton* SBShowPicture;
    QProgressBar* PBar;
    // Video
    QToolButton* SBOpenVideo;
    QWidget* PnVideo;
    QToolButton* SBShowVideo;
    QToolButton* SBLive;
    QToolButton* SBShowMJPEG;
    QProgressBar* PBarVideo;
    // FinishLynx
    TStringGrid* SGLynx;
    QPushButton* BBLynxStartResultsList;
    QLineEdit* EdLynxHeader;
    QCheckBox* CBShowPositionLynx;
    QCheckBox* CBShowStartnrLynx;
    QToolButton* SBSendToZwWertung;
    QToolButton* SBShowZwWertung;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormHide();
    bool MTextboxKeyPress(QKeyEvent* event);
    void stopVideo();
    void prepareGrid(TStringGrid& grid);
    void chooseColour(QToolButton* swatch);
    void mirrorColours();

    QWidget* buildPreview();
    QWidget* buildZeitplan();
    QWidget* buildStartlist();
    QWidget* buildBild();
    QWidget* buildVideo();
    QWidget* buildLynx();

    WallSink& m_wall;
    TMediaModule& m_media;
    ErrorReport& m_report;
    std::function<void()> m_stopVideo;
};
