#pragma once

#include "media/OpenDialog.h"
#include "textlist/ListLayout.h"
#include "wall_link/WallCommands.h"

#include <QDialog>

#include <functional>

class ErrorReport;
class QTabWidget;
class QTreeWidget;
class TListPage;
class TMediaModule;
class TPicturePage;
class TTextPreview;
class TTimetablePage;
class TUnsentChanges;
class TVideoPage;
class WallSink;

// The text list window: the preview of the wall's text box page on the left; on the right the workflow
// tree and the page stack (timetable, COSA list, picture, video, FinishLynx list) that bring timetables,
// start and result lists, pictures and videos into the preview or onto the wall.
//
// Needs: the wall (the way to it and its text size), the media parts (upload, video preview) and the
// general error report, which shows what ends a picture or video action. The feeds and the standings
// hand their data to the methods below; sending stays the operator's action. Created once at start-up,
// then only shown (modally) and hidden, so its content survives between openings. Its "Anzeigen" is
// marked while the preview holds what the wall does not show.
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
    // The page of PCMain in front.
    int currentPage() const;
    // Index of the selected workflow entry, -1 when none is selected.
    int workflowIndex() const;

    // The preview's header and lines (see TTextPreview) and the wall blanked as its "Löschen" does.
    QString header() const;
    void setHeader(const QString& header);
    QStringList lines() const;
    void setLines(const QStringList& lines);
    void SBEraseClick();
    // The rest of the text box page as the operator edits it, and its "Anzeigen".
    wallcmd::TextListColours colours() const;
    void setColours(const wallcmd::TextListColours& colours);
    void setTimeBarMode(wallcmd::TimeBarMode mode);
    void SBSendClick();

    // The timetable: emptied, or an entry appended, numbered after the entries already there.
    void clearTimetable();
    void addTimetableEntry(const QString& time, const QString& competition);

    // The COSA list: its header, and rows of Pos., Nr., Name, LV, Leistung that replace the data rows
    // (without rows: every data cell emptied, the row count kept).
    void setListHeader(const QString& header);
    void showList(const QString& header, const QList<QStringList>& rows);
    // The FinishLynx list: its header, and lines of cells in column order that replace the cells of the
    // data rows; its grid grows to hold them, within the limits of TListPage.
    void setLynxHeader(const QString& header);
    void showLynxRows(const QList<QStringList>& rows);

    // A picture or video named by a feed, brought onto its page for the operator to show.
    void showPicture(const QString& path);
    void showVideo(const QString& path);
    // The staged copy of the video page; empty until a video was staged.
    QString videoCopyPath() const;

    // The list layout as the list pages and the standings use it: the grid's cells laid out with options
    // whose result column (by the selected workflow entry) and wall width this window sets.
    QStringList listLines(const listlayout::Grid& cells, listlayout::ListOptions options) const;
    // Those lines into the preview, with the header; the caret to the start.
    void listToPreview(const QString& header, const listlayout::Grid& cells, const listlayout::ListOptions& options);
    // The preview's caret to the start of its lines, nothing selected.
    void moveCaretToStart();

    // Replaces the local video preview's stop (the media parts' by default); errors it throws are
    // swallowed.
    void setStopVideo(std::function<void()> stopVideo);
    // This window's own open dialog for pictures and videos.
    TOpenDialog& openDialog() { return m_open; }

    // True while the preview holds what the wall does not show: "Anzeigen" would change the wall.
    bool hasUnsentChanges() const;

Q_SIGNALS:
    // The preview's header or lines changed.
    void previewChanged();
    // Told once control is back in the event loop, and only when it differs from what was told last.
    void unsentChangesChanged(bool unsent);
    // The FinishLynx page's standings buttons: its results (the grid's cells) handed over to the
    // standings, and the standings asked for.
    void lynxResultsToStandings(const listlayout::Grid& cells);
    void standingsRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void TVWorkflowChange();
    void TVWorkflowClick();

    TUnsentChanges* m_unsentChanges;
    WallSink& m_wall; // the unsent changes, through which every send goes
    TOpenDialog m_open;
    TTextPreview* m_preview;
    QTreeWidget* m_workflow;     // TVWorkflow
    QTabWidget* m_pages;         // PCMain
    TTimetablePage* m_timetable; // TSZeitplan
    TListPage* m_cosaList;       // TSStartlist
    TPicturePage* m_picture;     // TSBild
    TVideoPage* m_video;         // TSVideo
    TListPage* m_lynxList;       // TSLynx
};
