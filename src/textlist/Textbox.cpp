#include "textlist/Textbox.h"

#include "media/MediaModule.h"
#include "pages/UnsentChanges.h"
#include "textlist/ListPage.h"
#include "textlist/PicturePage.h"
#include "textlist/TextPreview.h"
#include "textlist/TextlistWidgets.h"
#include "textlist/TimetablePage.h"
#include "textlist/VideoPage.h"
#include "wall_link/WallSink.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QShowEvent>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using textlist::named;

namespace {

const QStringList kWorkflow{QStringLiteral("COSA Zeitplan"),   QStringLiteral("COSA Startliste"),
                            QStringLiteral("COSA Ergebnisse"), QStringLiteral("Bild zeigen"),
                            QStringLiteral("Video zeigen"),    QStringLiteral("Lynx Startliste"),
                            QStringLiteral("Lynx Ergebnisse"), QStringLiteral("MJPEG LiveCam")};

} // namespace

TFormTextbox::TFormTextbox(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      m_unsentChanges(new TUnsentChanges(wall, this)), m_wall(*m_unsentChanges)
{
    setObjectName(QStringLiteral("TFormTextbox"));
    setWindowTitle(QStringLiteral("Textliste"));
    setMinimumSize(938, 396);

    auto* splitter = named(new QSplitter(Qt::Horizontal, this), QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);
    m_preview = new TTextPreview(m_wall, this);
    splitter->addWidget(m_preview);

    auto* right = named(new QWidget(splitter), QStringLiteral("PnRight"));
    right->setMinimumWidth(100);
    m_workflow = named(new QTreeWidget(right), QStringLiteral("TVWorkflow"));
    m_workflow->setHeaderHidden(true);
    m_workflow->setRootIsDecorated(false);
    m_workflow->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_workflow->setMinimumWidth(70);
    m_workflow->setFixedWidth(130);
    for (const QString& caption : kWorkflow)
        m_workflow->addTopLevelItem(new QTreeWidgetItem(QStringList{caption}));

    m_pages = named(new QTabWidget(right), QStringLiteral("PCMain"));
    m_timetable = new TTimetablePage;
    m_cosaList = new TListPage(TListPage::cosaNames());
    m_picture = new TPicturePage(m_wall, media, m_open, report);
    m_video = new TVideoPage(m_wall, media, m_open, report);
    m_lynxList = new TListPage(TListPage::lynxNames());
    m_pages->addTab(m_timetable, QStringLiteral("Zeitplan"));
    m_pages->addTab(m_cosaList, QStringLiteral("Startliste"));
    m_pages->addTab(m_picture, QStringLiteral("Bild"));
    m_pages->addTab(m_video, QStringLiteral("Video"));
    m_pages->addTab(m_lynxList, QStringLiteral("FinishLynx"));
    m_pages->tabBar()->hide();

    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_workflow);
    rightLayout->addWidget(m_pages, 1);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(splitter);
    resize(990, 470); // fits a 1024 x 768 screen with its frame

    media.Progress.addWindow(this, {m_picture->progressBar(), m_video->progressBar()});

    connect(m_preview, &TTextPreview::contentChanged, this, &TFormTextbox::previewChanged);
    connect(m_workflow, &QTreeWidget::itemSelectionChanged, this, &TFormTextbox::TVWorkflowChange);
    connect(m_workflow, &QTreeWidget::itemClicked, this, &TFormTextbox::TVWorkflowClick);
    connect(m_timetable, &TTimetablePage::previewRequested, this, [this](const QString& header, const QStringList& l) {
        m_preview->setHeader(header);
        m_preview->setLines(l);
    });
    for (TListPage* list : {m_cosaList, m_lynxList})
        connect(list, &TListPage::previewRequested, this, &TFormTextbox::listToPreview);
    connect(m_lynxList, &TListPage::standingsHandOver, this, &TFormTextbox::lynxResultsToStandings);
    connect(m_lynxList, &TListPage::standingsRequested, this, &TFormTextbox::standingsRequested);
    connect(m_picture, &TPicturePage::showRequested, this, [this] { ShowTab(BildZeigen); });
    connect(m_video, &TVideoPage::showRequested, this, [this] { ShowTab(VideoZeigen); });
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == TSBild)
            m_picture->TSBildShow();
        else if (page == TSVideo)
            m_video->TSVideoShow();
    });

    m_unsentChanges->markOn(m_preview->showButton());
    m_unsentChanges->watchInputs(m_preview);
    m_unsentChanges->setHeld([this] { return TUnsentChanges::Held{m_preview->showBodies(), {}}; });
    connect(m_preview, &TTextPreview::coloursChanged, m_unsentChanges, &TUnsentChanges::update);
    connect(m_unsentChanges, &TUnsentChanges::changed, this, &TFormTextbox::unsentChangesChanged);
}

bool TFormTextbox::hasUnsentChanges() const
{
    return m_unsentChanges->unsent();
}

void TFormTextbox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormTextbox::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TFormTextbox::FormShow()
{
    ShowTab(CosaZeitplan);
    m_cosaList->reset();
    // FinishLynx lists also arrive while the window is hidden; the operator who opens it finds them whole.
    m_lynxList->resetColumns();
    m_preview->fitToWall();
    // The wall may report another number of rows meanwhile.
    m_unsentChanges->update();
    m_preview->focusHeader();
}

void TFormTextbox::FormHide()
{
    m_video->stopVideo();
}

int TFormTextbox::pageOfWorkflow(int index)
{
    switch (index) {
    case CosaStartliste:
    case CosaErgebnisse:
        return TSStartlist;
    case BildZeigen:
        return TSBild;
    case VideoZeigen:
        return TSVideo;
    case LynxStartliste:
    case LynxErgebnisse:
        return TSLynx;
    default:
        return TSZeitplan;
    }
}

void TFormTextbox::ShowTab(int index)
{
    m_video->stopVideo();
    const int page = pageOfWorkflow(index);
    m_pages->setCurrentIndex(page);
    // Enter takes the visible list into the preview.
    m_timetable->setPreviewDefault(page == TSZeitplan);
    m_cosaList->setPreviewDefault(page == TSStartlist);
    m_lynxList->setPreviewDefault(page == TSLynx);
}

int TFormTextbox::currentPage() const
{
    return m_pages->currentIndex();
}

void TFormTextbox::TVWorkflowChange()
{
    const int index = workflowIndex();
    if (index >= 0)
        ShowTab(index);
}

void TFormTextbox::TVWorkflowClick()
{
    const int index = workflowIndex();
    if (index < 0)
        return;
    if (index == MjpegLiveCam)
        m_video->SBShowMJPEGClick();
    else
        ShowTab(index);
}

int TFormTextbox::workflowIndex() const
{
    const QList<QTreeWidgetItem*> selected = m_workflow->selectedItems();
    return selected.isEmpty() ? -1 : m_workflow->indexOfTopLevelItem(selected.first());
}

QString TFormTextbox::header() const
{
    return m_preview->header();
}

void TFormTextbox::setHeader(const QString& header)
{
    m_preview->setHeader(header);
}

QStringList TFormTextbox::lines() const
{
    return m_preview->lines();
}

void TFormTextbox::setLines(const QStringList& lines)
{
    m_preview->setLines(lines);
}

void TFormTextbox::SBEraseClick()
{
    m_preview->SBEraseClick();
}

wallcmd::TextListColours TFormTextbox::colours() const
{
    return m_preview->colours();
}

void TFormTextbox::setColours(const wallcmd::TextListColours& colours)
{
    m_preview->setColours(colours);
}

void TFormTextbox::setTimeBarMode(wallcmd::TimeBarMode mode)
{
    m_preview->setTimeBarMode(mode);
}

void TFormTextbox::SBSendClick()
{
    m_preview->SBSendClick();
}

void TFormTextbox::clearTimetable()
{
    m_timetable->clear();
}

void TFormTextbox::addTimetableEntry(const QString& time, const QString& competition)
{
    m_timetable->addEntry(time, competition);
}

void TFormTextbox::setListHeader(const QString& header)
{
    m_cosaList->setHeader(header);
}

void TFormTextbox::showList(const QString& header, const QList<QStringList>& rows)
{
    m_cosaList->setHeader(header);
    m_cosaList->showRows(rows);
}

void TFormTextbox::setLynxHeader(const QString& header)
{
    m_lynxList->setHeader(header);
}

void TFormTextbox::showLynxRows(const QList<QStringList>& rows)
{
    m_lynxList->showGrowingRows(rows);
}

void TFormTextbox::showPicture(const QString& path)
{
    m_picture->showPicture(path);
}

void TFormTextbox::showVideo(const QString& path)
{
    m_video->showVideo(path);
}

QString TFormTextbox::videoCopyPath() const
{
    return m_video->videoCopyPath();
}

void TFormTextbox::setStopVideo(std::function<void()> stopVideo)
{
    m_video->setStopVideo(std::move(stopVideo));
}

QStringList TFormTextbox::listLines(const listlayout::Grid& cells, listlayout::ListOptions options) const
{
    options.withResults = !listlayout::isStartListEntry(workflowIndex());
    options.wallColumns = m_wall.textSize().columns;
    return listlayout::listLines(cells, options);
}

void TFormTextbox::listToPreview(const QString& header, const listlayout::Grid& cells,
                                 const listlayout::ListOptions& options)
{
    m_preview->setHeader(header);
    m_preview->setLines(listLines(cells, options));
    m_preview->moveCaretToStart();
}

void TFormTextbox::moveCaretToStart()
{
    m_preview->moveCaretToStart();
}
