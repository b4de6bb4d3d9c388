#include "textlist/Textbox.h"

#include "media/Image.h"
#include "media/MediaModule.h"
#include "media/MediaPages.h"
#include "pages/PageForm.h"
#include "shell/ErrorReport.h"
#include "textlist/StringGrid.h"
#include "wall_link/WallSink.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kHeaderDefault(255, 0, 0);
const QColor kLineDefault(192, 192, 192);
const QColor kBoxDefault(255, 255, 255);
constexpr int kRulerWidth = 18;
constexpr int kEditorExtraWidth = 13;

const QStringList kDefaultLines{
    {}, {}, {}, QStringLiteral("      Herzlich willkommen"), QStringLiteral("       im Sportzentrum"), {}, {}, {}};

const QStringList kWorkflow{QStringLiteral("COSA Zeitplan"),   QStringLiteral("COSA Startliste"),
                            QStringLiteral("COSA Ergebnisse"), QStringLiteral("Bild zeigen"),
                            QStringLiteral("Video zeigen"),    QStringLiteral("Lynx Startliste"),
                            QStringLiteral("Lynx Ergebnisse"), QStringLiteral("MJPEG LiveCam")};

struct GridColumn
{
    const char* header;
    int width;
};
constexpr std::array<GridColumn, 5> kGridColumns{
    {{"Pos.", 50}, {"Nr.", 50}, {"Name", 160}, {"LV", 40}, {"Leistung", 80}}};

quint32 toWire(const QColor& c)
{
    return static_cast<quint32>(c.blue()) << 16 | static_cast<quint32>(c.green()) << 8 | static_cast<quint32>(c.red());
}

QFont monoFont()
{
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSize(9);
    return f;
}

void setTextColour(QWidget* w, const QColor& c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

void setFill(QWidget* w, const QColor& c)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
}

QToolButton* swatch(QWidget* parent, const QString& name, const QString& hint, const QColor& colour)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setFixedSize(40, 20);
    b->setProperty("colour", colour);
    b->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;").arg(colour.name()));
    return b;
}

QColor swatchColour(const QToolButton* b)
{
    return b->property("colour").value<QColor>();
}

template <typename T> T* named(T* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

QPushButton* toPreviewButton(QWidget* parent, const QString& name, const QString& hint)
{
    auto* b = named(new QPushButton(QStringLiteral("nach Vorschau"), parent), name);
    b->setToolTip(hint);
    b->setAutoDefault(true);
    return b;
}

} // namespace

TFormTextbox::TFormTextbox(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      m_wall(wall), m_media(media), m_report(report), m_stopVideo([&media] { media.Preview.StopVideo(); })
{
    setObjectName(QStringLiteral("TFormTextbox"));
    setWindowTitle(QStringLiteral("Textliste"));
    setMinimumSize(938, 396);

    Splitter1 = named(new QSplitter(Qt::Horizontal, this), QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(buildPreview());

    PnRight = named(new QWidget(Splitter1), QStringLiteral("PnRight"));
    PnRight->setMinimumWidth(100);
    TVWorkflow = named(new QTreeWidget(PnRight), QStringLiteral("TVWorkflow"));
    TVWorkflow->setHeaderHidden(true);
    TVWorkflow->setRootIsDecorated(false);
    TVWorkflow->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TVWorkflow->setMinimumWidth(70);
    TVWorkflow->setFixedWidth(130);
    for (const QString& caption : kWorkflow)
        TVWorkflow->addTopLevelItem(new QTreeWidgetItem(QStringList{caption}));

    PCMain = named(new QTabWidget(PnRight), QStringLiteral("PCMain"));
    PCMain->addTab(buildZeitplan(), QStringLiteral("Zeitplan"));
    PCMain->addTab(buildStartlist(), QStringLiteral("Startliste"));
    PCMain->addTab(buildBild(), QStringLiteral("Bild"));
    PCMain->addTab(buildVideo(), QStringLiteral("Video"));
    PCMain->addTab(buildLynx(), QStringLiteral("FinishLynx"));
    PCMain->tabBar()->hide();

    auto* right = new QHBoxLayout(PnRight);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(TVWorkflow);
    right->addWidget(PCMain, 1);
    Splitter1->addWidget(PnRight);
    Splitter1->setStretchFactor(1, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(Splitter1);
    resize(1040, 470);

    ColorDialog = named(new QColorDialog(Qt::white, this), QStringLiteral("ColorDialog"));
    ColorDialog->setOptions(QColorDialog::DontUseNativeDialog);

    // Creation defaults.
    EdKopfzeile->setText(QStringLiteral("Leichtathletiksportfest am ") +
                         QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    setLines(kDefaultLines);
    mirrorColours();
    videoCopyPath.clear();
    media.Progress.addWindow(this, {PBar, PBarVideo});

    connect(SBSend, &QToolButton::clicked, this, &TFormTextbox::SBSendClick);
    connect(SBErase, &QToolButton::clicked, this, &TFormTextbox::SBEraseClick);
    connect(PnFarbeHeader, &QToolButton::clicked, this, &TFormTextbox::PnFarbeHeaderClick);
    connect(PnTextLinienfarbe, &QToolButton::clicked, this, &TFormTextbox::PnTextLinienfarbeClick);
    connect(PnFarbeBox, &QToolButton::clicked, this, &TFormTextbox::PnFarbeBoxClick);
    connect(TVWorkflow, &QTreeWidget::itemSelectionChanged, this, &TFormTextbox::TVWorkflowChange);
    connect(TVWorkflow, &QTreeWidget::itemClicked, this, &TFormTextbox::TVWorkflowClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormTextbox::popTimeTableClick);
    connect(BBShowStartResultsList, &QPushButton::clicked, this, &TFormTextbox::BBShowStartResultsListClick);
    connect(BBLynxStartResultsList, &QPushButton::clicked, this, &TFormTextbox::BBLynxStartResultsListClick);
    connect(SBLoadPicture, &QToolButton::clicked, this, &TFormTextbox::SBLoadPictureClick);
    connect(SBShowPicture, &QToolButton::clicked, this, &TFormTextbox::SBShowPictureClick);
    connect(SBOpenVideo, &QToolButton::clicked, this, &TFormTextbox::SBOpenVideoClick);
    connect(SBShowVideo, &QToolButton::clicked, this, &TFormTextbox::SBShowVideoClick);
    connect(PCMain, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == TSBild)
            TSBildShow();
        else if (page == TSVideo)
            TSVideoShow();
    });
    connect(SBLive, &QToolButton::clicked, this, &TFormTextbox::SBLiveClick);
    connect(SBShowMJPEG, &QToolButton::clicked, this, &TFormTextbox::SBShowMJPEGClick);
    MTextbox->installEventFilter(this);
}

QWidget* TFormTextbox::buildPreview()
{
    auto* left = new QWidget(this);
    LbBlackBackground = named(new QWidget(left), QStringLiteral("LbBlackBackground"));
    setFill(LbBlackBackground, Qt::black);

    EdKopfzeile = named(new QLineEdit(LbBlackBackground), QStringLiteral("EdKopfzeile"));
    QFont headerFont(QStringLiteral("Liberation Sans Narrow"));
    headerFont.setStyleHint(QFont::SansSerif);
    headerFont.setBold(true);
    EdKopfzeile->setFont(headerFont);
    QPalette edPal = EdKopfzeile->palette();
    edPal.setColor(QPalette::Text, kNavy);
    EdKopfzeile->setPalette(edPal);

    Label2 = named(new QLabel(QStringLiteral("K"), LbBlackBackground), QStringLiteral("Label2"));
    QFont kFont = Label2->font();
    kFont.setBold(true);
    Label2->setFont(kFont);
    PnTextLinie = named(new QWidget(LbBlackBackground), QStringLiteral("PnTextLinie"));
    PnTextLinie->setFixedHeight(8);

    Label1 = named(new QLabel(LbBlackBackground), QStringLiteral("Label1"));
    Label1->setFont(monoFont());
    Label3 = named(new QLabel(LbBlackBackground), QStringLiteral("Label3"));
    Label3->setFont(monoFont());
    Label3->setWordWrap(true);
    Label3->setFixedWidth(kRulerWidth);
    Label3->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    MTextbox = named(new QPlainTextEdit(LbBlackBackground), QStringLiteral("MTextbox"));
    MTextbox->setFont(monoFont());
    MTextbox->setLineWrapMode(QPlainTextEdit::NoWrap);
    MTextbox->setFrameStyle(QFrame::NoFrame);
    MTextbox->document()->setDocumentMargin(0);
    QPalette mPal = MTextbox->palette();
    mPal.setColor(QPalette::Text, kNavy);
    MTextbox->setPalette(mPal);

    Label8 = named(new QLabel(QStringLiteral("(^A markieren, ^C kopieren, ^V einfügen)"), LbBlackBackground),
                   QStringLiteral("Label8"));
    setTextColour(Label8, Qt::lightGray);

    GroupBox2 = named(new QGroupBox(QStringLiteral("Farbe"), LbBlackBackground), QStringLiteral("GroupBox2"));
    setTextColour(GroupBox2, Qt::white);
    PnFarbeHeader = swatch(GroupBox2, QStringLiteral("PnFarbeHeader"),
                           QStringLiteral("Klicken, um Textfarbe einzustellen"), kHeaderDefault);
    PnTextLinienfarbe = swatch(GroupBox2, QStringLiteral("PnTextLinienfarbe"),
                               QStringLiteral("Klicken, um Linienfarbe einzustellen"), kLineDefault);
    PnFarbeBox = swatch(GroupBox2, QStringLiteral("PnFarbeBox"), QStringLiteral("Klicken um Textfarbe einzustellen"),
                        kBoxDefault);
    auto* swatches = new QHBoxLayout(GroupBox2);
    swatches->addWidget(PnFarbeHeader);
    swatches->addWidget(PnTextLinienfarbe);
    swatches->addWidget(PnFarbeBox);
    swatches->addStretch();

    auto* preview = new QGridLayout(LbBlackBackground);
    preview->setHorizontalSpacing(2);
    preview->setVerticalSpacing(2);
    preview->addWidget(EdKopfzeile, 0, 1, Qt::AlignLeft);
    preview->addWidget(Label2, 0, 2);
    preview->addWidget(PnTextLinie, 1, 1);
    preview->addWidget(Label1, 2, 1);
    preview->addWidget(Label3, 3, 0);
    preview->addWidget(MTextbox, 3, 1, Qt::AlignLeft);
    preview->addWidget(Label8, 4, 1);
    preview->addWidget(GroupBox2, 5, 1, 1, 2);
    preview->setRowStretch(3, 1);
    preview->setColumnStretch(3, 1);

    GroupBox3 = named(new QGroupBox(QStringLiteral("Zeit von der Zeitleiste der Zeitmessung ..."), left),
                      QStringLiteral("GroupBox3"));
    RBAuto = named(new QRadioButton(QStringLiteral("automatisch ein bei laufender Zeit"), GroupBox3),
                   QStringLiteral("RBAuto"));
    RBPermanentEin =
        named(new QRadioButton(QStringLiteral("permanent eingeschaltet"), GroupBox3), QStringLiteral("RBPermanentEin"));
    RBPermanentAus =
        named(new QRadioButton(QStringLiteral("permanent aus"), GroupBox3), QStringLiteral("RBPermanentAus"));
    RBPermanentAus->setChecked(true);
    auto* modes = new QVBoxLayout(GroupBox3);
    modes->addWidget(RBAuto);
    modes->addWidget(RBPermanentEin);
    modes->addWidget(RBPermanentAus);

    SBErase = pagewidgets::button(left, QStringLiteral("SBErase"), QStringLiteral("Löschen"),
                                  QStringLiteral("Anzeigetafel löschen"));
    SBSend = pagewidgets::button(left, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"),
                                 QStringLiteral("Text anzeigen"));
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SBErase);
    buttons->addWidget(SBSend);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GroupBox3, 1);
    bottom->addLayout(buttons);

    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(LbBlackBackground, 1);
    column->addLayout(bottom);
    return left;
}

QWidget* TFormTextbox::buildZeitplan()
{
    auto* page = named(new QWidget, QStringLiteral("TSZeitplan"));
    LVZeitplan = named(new QTreeWidget(page), QStringLiteral("LVZeitplan"));
    LVZeitplan->setColumnCount(3);
    LVZeitplan->setHeaderLabels(
        {QStringLiteral("ID Event Round"), QStringLiteral("Zeit"), QStringLiteral("Wettbewerb")});
    LVZeitplan->setRootIsDecorated(false);
    LVZeitplan->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVZeitplan->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVZeitplan->setAllColumnsShowFocus(true);
    LVZeitplan->header()->setStretchLastSection(false);
    LVZeitplan->header()->setMinimumSectionSize(0);
    LVZeitplan->setColumnWidth(0, 0);
    LVZeitplan->setColumnHidden(0, true);
    LVZeitplan->setColumnWidth(1, 60);
    LVZeitplan->setColumnWidth(2, 200);
    LVZeitplan->setStyleSheet(QStringLiteral("QTreeView::item { border-bottom: 1px solid lightgray; "
                                             "border-right: 1px solid lightgray; }"));

    PopDBViewer = named(new QMenu(LVZeitplan), QStringLiteral("PopDBViewer"));
    PopDBViewer->addAction(QStringLiteral("LIF erzeugen für ..."))->setEnabled(false);
    PopDBViewer->addSeparator()->setEnabled(false);
    QAction* popTimeTable = PopDBViewer->addAction(QStringLiteral("Zeitplan (ab hier) anzeigen"));
    popTimeTable->setObjectName(QStringLiteral("popTimeTable"));
    popTimeTable->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    popTimeTable->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    LVZeitplan->addAction(popTimeTable);
    LVZeitplan->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LVZeitplan, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopDBViewer->popup(LVZeitplan->viewport()->mapToGlobal(at)); });
    connect(popTimeTable, &QAction::triggered, this, &TFormTextbox::popTimeTableClick);

    auto* label4 = named(new QLabel(QStringLiteral("K"), page), QStringLiteral("Label4"));
    EdZPKopf = named(new QLineEdit(QStringLiteral("Zeitplan"), page), QStringLiteral("EdZPKopf"));
    BitBtn1 = toPreviewButton(page, QStringLiteral("BitBtn1"), QStringLiteral("Zeitplan in die Vorschau übernehmen"));
    auto* head = new QHBoxLayout;
    head->addWidget(label4);
    head->addWidget(EdZPKopf, 1);
    head->addWidget(BitBtn1);

    auto* column = new QVBoxLayout(page);
    column->addWidget(named(new QLabel(QStringLiteral("Wettkampf"), page), QStringLiteral("LbWkName")));
    column->addWidget(LVZeitplan, 1);
    column->addLayout(head);
    return page;
}

QWidget* TFormTextbox::buildStartlist()
{
    auto* page = named(new QWidget, QStringLiteral("TSStartlist"));
    SGLIF = named(new TStringGrid(page), QStringLiteral("SGLIF"));
    EdPnHeader = named(new QLineEdit(QStringLiteral("Zeitplan"), page), QStringLiteral("EdPnHeader"));
    BBShowStartResultsList = toPreviewButton(page, QStringLiteral("BBShowStartResultsList"),
                                             QStringLiteral("Liste in die Vorschau übernehmen"));
    CBShowPosition = named(new QCheckBox(QStringLiteral("Pos."), page), QStringLiteral("CBShowPosition"));
    CBShowStartnr = named(new QCheckBox(QStringLiteral("Startnr"), page), QStringLiteral("CBShowStartnr"));
    CBShowPosition->setChecked(true);
    CBShowStartnr->setChecked(true);

    auto* bar = named(new QStatusBar(page), QStringLiteral("LifSBar"));
    bar->setSizeGripEnabled(false);
    for (std::size_t i = 0; i < LifSBar.size(); ++i) {
        LifSBar[i] = named(new QLabel(bar), QStringLiteral("LifSBarPanel%1").arg(i));
        bar->addWidget(LifSBar[i], 1);
    }

    auto* options = new QHBoxLayout;
    options->addWidget(named(new QLabel(QStringLiteral("Anzeige mit ..."), page), QStringLiteral("LbTitle")));
    options->addWidget(CBShowPosition);
    options->addWidget(CBShowStartnr);
    options->addStretch();
    auto* head = new QHBoxLayout;
    head->addWidget(EdPnHeader, 1);
    head->addWidget(BBShowStartResultsList);

    auto* column = new QVBoxLayout(page);
    column->addLayout(head);
    column->addLayout(options);
    column->addWidget(SGLIF, 1);
    column->addWidget(bar);
    return page;
}

QWidget* TFormTextbox::buildBild()
{
    auto* page = named(new QWidget, QStringLiteral("TSBild"));
    SBLoadPicture = named(new QToolButton(page), QStringLiteral("SBLoadPicture"));
    SBLoadPicture->setToolTip(QStringLiteral("Bild öffnen"));
    SBLoadPicture->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    auto* title = named(new QLabel(QStringLiteral("Bild (JPG) anzeigen"), page), QStringLiteral("Label6"));
    auto* frame = named(new QWidget(page), QStringLiteral("PnPicture"));
    setFill(frame, Qt::black);
    ImShowPicture = named(new TImage(frame), QStringLiteral("ImShowPicture"));
    (new QVBoxLayout(frame))->addWidget(ImShowPicture);
    SBShowPicture = pagewidgets::button(page, QStringLiteral("SBShowPicture"), QStringLiteral("Anzeigen"),
                                        QStringLiteral("Bild anzeigen"));
    SBShowPicture->setEnabled(false);
    PBar = named(new QProgressBar(page), QStringLiteral("PBar"));
    PBar->setTextVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(SBLoadPicture);
    top->addWidget(title, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(PBar, 1);
    bottom->addWidget(SBShowPicture);
    auto* column = new QVBoxLayout(page);
    column->addLayout(top);
    column->addWidget(frame, 1);
    column->addLayout(bottom);
    return page;
}

QWidget* TFormTextbox::buildVideo()
{
    auto* page = named(new QWidget, QStringLiteral("TSVideo"));
    SBOpenVideo = named(new QToolButton(page), QStringLiteral("SBOpenVideo"));
    SBOpenVideo->setToolTip(QStringLiteral("Video öffnen"));
    SBOpenVideo->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    auto* title = named(new QLabel(QStringLiteral("Video anzeigen"), page), QStringLiteral("Label5"));
    PnVideo = named(new QWidget(page), QStringLiteral("PnVideo"));
    setFill(PnVideo, Qt::black);
    SBShowVideo = pagewidgets::button(page, QStringLiteral("SBShowVideo"), QStringLiteral("Anzeigen"),
                                      QStringLiteral("Video anzeigen"));
    SBShowVideo->setEnabled(false);
    SBLive = pagewidgets::button(page, QStringLiteral("SBLive"), QStringLiteral("LiveVideo"),
                                 QStringLiteral("Videograbber am Server"));
    SBShowMJPEG = pagewidgets::button(page, QStringLiteral("SBShowMJPEG"), QStringLiteral("MJPEG LiveCam"),
                                      QStringLiteral("MJPEG- Kamera am Server"));
    auto* latching = new QButtonGroup(page);
    for (QToolButton* b : {SBLive, SBShowMJPEG}) {
        b->setCheckable(true);
        latching->addButton(b);
    }
    PBarVideo = named(new QProgressBar(page), QStringLiteral("PBarVideo"));
    PBarVideo->setTextVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(SBOpenVideo);
    top->addWidget(title, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SBLive);
    bottom->addWidget(SBShowMJPEG);
    bottom->addStretch();
    bottom->addWidget(SBShowVideo);
    auto* column = new QVBoxLayout(page);
    column->addLayout(top);
    column->addWidget(PnVideo, 1);
    column->addWidget(PBarVideo);
    column->addLayout(bottom);
    return page;
}

QWidget* TFormTextbox::buildLynx()
{
    auto* page = named(new QWidget, QStringLiteral("TSLynx"));
    SGLynx = named(new TStringGrid(page), QStringLiteral("SGLynx"));
    EdLynxHeader = named(new QLineEdit(QStringLiteral("Startliste"), page), QStringLiteral("EdLynxHeader"));
    BBLynxStartResultsList = toPreviewButton(page, QStringLiteral("BBLynxStartResultsList"),
                                             QStringLiteral("Liste in die Vorschau übernehmen"));
    CBShowPositionLynx = named(new QCheckBox(QStringLiteral("Pos."), page), QStringLiteral("CBShowPositionLynx"));
    CBShowStartnrLynx = named(new QCheckBox(QStringLiteral("Startnr"), page), QStringLiteral("CBShowStartnrLynx"));
    CBShowPositionLynx->setChecked(true);
    CBShowStartnrLynx->setChecked(true);
    SBSendToZwWertung = named(new QToolButton(page), QStringLiteral("SBSendToZwWertung"));
    SBSendToZwWertung->setToolTip(QStringLiteral("Ergebnisse in Zwischenwertung aufnehmen"));
    SBSendToZwWertung->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    SBShowZwWertung = named(new QToolButton(page), QStringLiteral("SBShowZwWertung"));
    SBShowZwWertung->setToolTip(QStringLiteral("Zwischenwertung anzeigen"));
    SBShowZwWertung->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));

    auto* options = new QHBoxLayout;
    options->addWidget(named(new QLabel(QStringLiteral("Anzeige mit ..."), page), QStringLiteral("Label7")));
    options->addWidget(CBShowPositionLynx);
    options->addWidget(CBShowStartnrLynx);
    options->addStretch();
    options->addWidget(SBSendToZwWertung);
    options->addWidget(SBShowZwWertung);
    auto* head = new QHBoxLayout;
    head->addWidget(EdLynxHeader, 1);
    head->addWidget(BBLynxStartResultsList);

    auto* column = new QVBoxLayout(page);
    column->addLayout(head);
    column->addLayout(options);
    column->addWidget(SGLynx, 1);
    return page;
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
    prepareGrid(*SGLIF);
    prepareGrid(*SGLynx);

    // Rulers over the wall's text size, so that the operator sees where a line leaves the wall.
    const int columns = m_wall.textSize().columns;
    const int rows = m_wall.textSize().rows;
    Label1->setText(QStringLiteral("1234567890").repeated(columns / 10 + 1).left(columns));
    Label3->setText(QStringLiteral("1 2 3 4 5 6 7 8 9 0 ").repeated(rows / 10 + 1).left(2 * rows));
    const int width = Label1->fontMetrics().horizontalAdvance(Label1->text()) + kEditorExtraWidth;
    MTextbox->setFixedWidth(width);
    EdKopfzeile->setFixedWidth(width);
}

void TFormTextbox::FormHide()
{
    stopVideo();
}

void TFormTextbox::prepareGrid(TStringGrid& grid)
{
    grid.setColCount(static_cast<int>(kGridColumns.size()));
    grid.setRowCount(2);
    for (std::size_t c = 0; c < kGridColumns.size(); ++c) {
        const int column = static_cast<int>(c);
        grid.setCell(column, 0, QString::fromLatin1(kGridColumns[c].header));
        grid.setColumnWidth(column, kGridColumns[c].width);
    }
}

void TFormTextbox::stopVideo()
{
    if (!m_stopVideo)
        return;
    try {
        m_stopVideo();
    } catch (...) {
        // A preview that cannot be stopped must not keep the operator from switching pages.
    }
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
    stopVideo();
    const int page = pageOfWorkflow(index);
    PCMain->setCurrentIndex(page);
    // Enter takes the visible list into the preview.
    BitBtn1->setDefault(page == TSZeitplan);
    BBShowStartResultsList->setDefault(page == TSStartlist);
    BBLynxStartResultsList->setDefault(page == TSLynx);
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
        SBShowMJPEGClick();
    else
        ShowTab(index);
}

int TFormTextbox::workflowIndex() const
{
    const QList<QTreeWidgetItem*> selected = TVWorkflow->selectedItems();
    return selected.isEmpty() ? -1 : TVWorkflow->indexOfTopLevelItem(selected.first());
}

void TFormTextbox::SBSendClick()
{
    m_wall.send(wallcmd::textListShow(timeBarMode(), colours(), EdKopfzeile->text(), lines(), m_wall.textSize().rows));
}

void TFormTextbox::SBEraseClick()
{
    m_wall.send(wallcmd::eraseTextList());
}

void TFormTextbox::SBLoadPictureClick()
{
    bool exists = false;
    // An unreadable picture ends the action; the button keeps its state.
    if (m_report.run([&] { exists = mediapage::loadPicture(Open, *ImShowPicture, this); }))
        SBShowPicture->setEnabled(exists);
}

void TFormTextbox::SBShowPictureClick()
{
    // Disabled while the upload runs, so that it cannot be started twice.
    SBShowPicture->setEnabled(false);
    m_report.run([this] { mediapage::showPicture(m_wall, m_media, *ImShowPicture); });
    SBShowPicture->setEnabled(true);
}

void TFormTextbox::TSBildShow()
{
    SBShowPicture->setEnabled(QFileInfo(Open.FileName).isFile());
}

void TFormTextbox::SBOpenVideoClick()
{
    const bool wasEnabled = SBShowVideo->isEnabled();
    SBShowVideo->setEnabled(false);
    bool chosen = false;
    if (!m_report.run([&] { chosen = mediapage::openVideo(m_media, Open, PnVideo, videoCopyPath, this); }))
        return; // the copy failed: nothing new to show
    if (chosen)
        SBShowVideo->setEnabled(QFileInfo(videoCopyPath).isFile());
    else
        SBShowVideo->setEnabled(wasEnabled);
}

void TFormTextbox::SBShowVideoClick()
{
    stopVideo();
    SBShowVideo->setEnabled(false);
    // Without a staged copy nothing goes out and there stays nothing to show; a failed upload may be retried.
    const bool ran = QFileInfo(videoCopyPath).isFile();
    m_report.run([this] { mediapage::showVideo(m_wall, m_media, videoCopyPath); });
    SBShowVideo->setEnabled(ran);
}

void TFormTextbox::TSVideoShow()
{
    SBShowVideo->setEnabled(QFileInfo(videoCopyPath).isFile());
}

void TFormTextbox::SBLiveClick()
{
    mediapage::liveVideo(m_wall, m_media);
}

void TFormTextbox::SBShowMJPEGClick()
{
    mediapage::camera(m_wall, m_media);
}

wallcmd::TimeBarMode TFormTextbox::timeBarMode() const
{
    if (RBAuto->isChecked())
        return wallcmd::TimeBarMode::Automatic;
    if (RBPermanentEin->isChecked())
        return wallcmd::TimeBarMode::On;
    return wallcmd::TimeBarMode::Off;
}

wallcmd::TextListColours TFormTextbox::colours() const
{
    // What is sent is what the preview shows.
    return {toWire(Label2->palette().color(QPalette::WindowText)),
            toWire(PnTextLinie->palette().color(QPalette::Window)),
            toWire(Label1->palette().color(QPalette::WindowText))};
}

void TFormTextbox::mirrorColours()
{
    setTextColour(Label2, swatchColour(PnFarbeHeader));
    setTextColour(Label1, swatchColour(PnFarbeBox));
    setTextColour(Label3, Label1->palette().color(QPalette::WindowText));
    setFill(PnTextLinie, swatchColour(PnTextLinienfarbe));
}

void TFormTextbox::chooseColour(QToolButton* target)
{
    if (ColorDialog->exec() != QDialog::Accepted)
        return;
    const QColor chosen = ColorDialog->currentColor();
    target->setProperty("colour", chosen);
    target->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;").arg(chosen.name()));
    mirrorColours();
}

void TFormTextbox::PnFarbeHeaderClick()
{
    chooseColour(PnFarbeHeader);
}

void TFormTextbox::PnTextLinienfarbeClick()
{
    chooseColour(PnTextLinienfarbe);
}

void TFormTextbox::PnFarbeBoxClick()
{
    chooseColour(PnFarbeBox);
}

QStringList TFormTextbox::lines() const
{
    const QString text = MTextbox->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList out = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        out.removeLast();
    return out;
}

void TFormTextbox::setLines(const QStringList& newLines)
{
    MTextbox->setPlainText(newLines.isEmpty() ? QString() : newLines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void TFormTextbox::addLine(const QString& line)
{
    QStringList all = lines();
    all << line;
    setLines(all);
}

bool TFormTextbox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MTextbox && event->type() == QEvent::KeyPress)
        return MTextboxKeyPress(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

bool TFormTextbox::MTextboxKeyPress(QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_A:
        MTextbox->selectAll();
        return true;
    case Qt::Key_C: {
        const QString selected = MTextbox->textCursor().selection().toPlainText();
        if (!selected.isEmpty())
            QApplication::clipboard()->setText(selected);
        return true;
    }
    case Qt::Key_W:
        MTextbox->insertPlainText(QApplication::clipboard()->text());
        return false;
    default:
        return false;
    }
}

void TFormTextbox::addTimetableEntry(const QString& time, const QString& competition)
{
    LVZeitplan->addTopLevelItem(
        new QTreeWidgetItem(QStringList{QString::number(LVZeitplan->topLevelItemCount() + 1), time, competition}));
}

void TFormTextbox::popTimeTableClick()
{
    EdKopfzeile->setText(EdZPKopf->text());
    QList<listlayout::TimetableEntry> entries;
    for (int i = 0; i < LVZeitplan->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LVZeitplan->topLevelItem(i);
        entries.append({item->text(1), item->text(2)});
    }
    const QList<QTreeWidgetItem*> selected = LVZeitplan->selectedItems();
    const int first = selected.isEmpty() ? -1 : LVZeitplan->indexOfTopLevelItem(selected.first());
    setLines(listlayout::timetableLines(entries, first));
}

void TFormTextbox::listToPreview(const TStringGrid& grid, const QString& header, bool showPosition, bool showNumber)
{
    EdKopfzeile->setText(header);
    listlayout::ListOptions options;
    options.showPosition = showPosition;
    options.showNumber = showNumber;
    options.withResults = !listlayout::isStartListEntry(workflowIndex());
    options.wallColumns = m_wall.textSize().columns;
    options.currentRow = grid.Row();
    setLines(listlayout::listLines(grid.cells(), options));
    MTextbox->moveCursor(QTextCursor::Start);
}

void TFormTextbox::BBShowStartResultsListClick()
{
    listToPreview(*SGLIF, EdPnHeader->text(), CBShowPosition->isChecked(), CBShowStartnr->isChecked());
}

void TFormTextbox::BBLynxStartResultsListClick()
{
    listToPreview(*SGLynx, EdLynxHeader->text(), CBShowPositionLynx->isChecked(), CBShowStartnrLynx->isChecked());
}

void TFormTextbox::ClearGrid(int /*unused*/)
{
    for (int row = 1; row < SGLIF->RowCount(); ++row) {
        for (int column = 0; column < SGLIF->ColCount(); ++column)
            SGLIF->setCell(column, row, {});
    }
    for (QLabel* panel : LifSBar)
        panel->clear();
}
