#include "textlist/ListPage.h"

#include "textlist/StringGrid.h"
#include "textlist/TextlistWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using textlist::iconButton;
using textlist::named;

namespace {

constexpr std::array<TStringGrid::Column, 5> kGridColumns{
    {{"Pos.", 50}, {"Nr.", 50}, {"Name", 160}, {"LV", 40}, {"Leistung", 80}}};
constexpr int kStatusPanels = 2;

} // namespace

TListPage::Names TListPage::cosaNames()
{
    Names n;
    n.page = QStringLiteral("TSStartlist");
    n.grid = QStringLiteral("SGLIF");
    n.header = QStringLiteral("EdPnHeader");
    n.headerText = QStringLiteral("Zeitplan");
    n.toPreview = QStringLiteral("BBShowStartResultsList");
    n.optionsLabel = QStringLiteral("LbTitle");
    n.showPosition = QStringLiteral("CBShowPosition");
    n.showNumber = QStringLiteral("CBShowStartnr");
    n.statusBar = true;
    return n;
}

TListPage::Names TListPage::lynxNames()
{
    Names n;
    n.page = QStringLiteral("TSLynx");
    n.grid = QStringLiteral("SGLynx");
    n.header = QStringLiteral("EdLynxHeader");
    n.headerText = QStringLiteral("Startliste");
    n.toPreview = QStringLiteral("BBLynxStartResultsList");
    n.optionsLabel = QStringLiteral("Label7");
    n.showPosition = QStringLiteral("CBShowPositionLynx");
    n.showNumber = QStringLiteral("CBShowStartnrLynx");
    n.standingsButtons = true;
    return n;
}

TListPage::TListPage(const Names& names, QWidget* parent) : QWidget(parent)
{
    setObjectName(names.page);
    m_grid = named(new TStringGrid(this), names.grid);
    m_header = named(new QLineEdit(names.headerText, this), names.header);
    m_toPreview = textlist::toPreviewButton(this, names.toPreview, QStringLiteral("Liste in die Vorschau übernehmen"));
    m_showPosition = named(new QCheckBox(QStringLiteral("Pos."), this), names.showPosition);
    m_showNumber = named(new QCheckBox(QStringLiteral("Startnr"), this), names.showNumber);
    m_showPosition->setChecked(true);
    m_showNumber->setChecked(true);

    QStatusBar* bar = nullptr;
    if (names.statusBar) {
        bar = named(new QStatusBar(this), QStringLiteral("LifSBar"));
        bar->setSizeGripEnabled(false);
        for (int i = 0; i < kStatusPanels; ++i) {
            m_statusPanels.append(named(new QLabel(bar), QStringLiteral("LifSBarPanel%1").arg(i)));
            bar->addWidget(m_statusPanels.last(), 1);
        }
    }
    QToolButton* toStandings = nullptr;
    QToolButton* showStandings = nullptr;
    if (names.standingsButtons) {
        toStandings = iconButton(this, QStringLiteral("SBSendToZwWertung"),
                                 QStringLiteral("Ergebnisse in Zwischenwertung aufnehmen"), QStyle::SP_ArrowRight);
        showStandings = iconButton(this, QStringLiteral("SBShowZwWertung"), QStringLiteral("Zwischenwertung anzeigen"),
                                   QStyle::SP_FileDialogDetailedView);
    }

    auto* options = new QHBoxLayout;
    options->addWidget(named(new QLabel(QStringLiteral("Anzeige mit ..."), this), names.optionsLabel));
    options->addWidget(m_showPosition);
    options->addWidget(m_showNumber);
    options->addStretch();
    if (toStandings) {
        options->addWidget(toStandings);
        options->addWidget(showStandings);
    }
    auto* head = new QHBoxLayout;
    head->addWidget(m_header, 1);
    head->addWidget(m_toPreview);

    auto* column = new QVBoxLayout(this);
    column->addLayout(head);
    column->addLayout(options);
    column->addWidget(m_grid, 1);
    if (bar)
        column->addWidget(bar);

    if (toStandings) {
        connect(toStandings, &QToolButton::clicked, this, [this] { Q_EMIT standingsHandOver(m_grid->cells()); });
        connect(showStandings, &QToolButton::clicked, this, &TListPage::standingsRequested);
    }
    connect(m_toPreview, &QPushButton::clicked, this, [this] {
        listlayout::ListOptions chosen;
        chosen.showPosition = m_showPosition->isChecked();
        chosen.showNumber = m_showNumber->isChecked();
        chosen.currentRow = m_grid->Row();
        Q_EMIT previewRequested(m_header->text(), m_grid->cells(), chosen);
    });
}

void TListPage::reset()
{
    resetColumns();
    m_grid->setRowCount(2);
}

void TListPage::resetColumns()
{
    m_grid->setColumns(kGridColumns);
}

void TListPage::setHeader(const QString& header)
{
    m_header->setText(header);
}

void TListPage::showRows(const QList<QStringList>& rows)
{
    if (!rows.isEmpty())
        m_grid->setRowCount(static_cast<int>(rows.size()) + 1);
    writeRows(rows);
}

void TListPage::showGrowingRows(const QList<QStringList>& rows)
{
    const int lines = static_cast<int>(std::min<qsizetype>(rows.size(), kMaxGrowingRows));
    int rowCount = m_grid->RowCount();
    if (lines >= rowCount)
        rowCount += ((lines - rowCount) / 2 + 1) * 2;
    int columns = m_grid->ColCount();
    for (int r = 0; r < lines; ++r)
        columns = std::max(columns, static_cast<int>(std::min<qsizetype>(rows[r].size(), kMaxGrowingColumns)));
    m_grid->setRowCount(std::min(rowCount, kMaxGrowingRows + 1));
    m_grid->setColCount(columns);
    writeRows(rows.first(lines));
}

void TListPage::writeRows(const QList<QStringList>& rows)
{
    // Cell by cell over the items there are: a feed may send thousands of lists a second, and emptying the
    // grid first would rebuild the whole view (and lose the focused cell) for each.
    listlayout::Grid grid{QStringList()};
    grid += rows;
    m_grid->setCells(grid);
    for (QLabel* panel : std::as_const(m_statusPanels)) {
        if (!panel->text().isEmpty())
            panel->clear();
    }
}

void TListPage::setPreviewDefault(bool isDefault)
{
    m_toPreview->setDefault(isDefault);
}
