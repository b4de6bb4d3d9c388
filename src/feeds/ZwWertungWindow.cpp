#include "feeds/ZwWertungWindow.h"

#include "feeds/ZwWertung.h"
#include "textlist/StringGrid.h"
#include "textlist/Textbox.h"
#include "textlist/TextlistWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

using textlist::iconButton;
using textlist::named;

namespace {

constexpr std::array<TStringGrid::Column, zwwertung::kColumns> kGridColumns{
    {{"Pos.", 50}, {"Nr.", 50}, {"Name", 160}, {"LV", 40}, {"Leistung", 80}, {"Zeit ms", 0}}};
constexpr int kDefaultPlaces = 3;

} // namespace

TFormWertung::TFormWertung(TFormTextbox& textbox)
    : QDialog(&textbox, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_textbox(textbox)
{
    setObjectName(QStringLiteral("TFormWertung"));
    setWindowTitle(QStringLiteral("Auswertung Zwischenstand"));
    setMinimumSize(150, 100);
    setModal(false);

    auto* top = named(new QWidget(this), QStringLiteral("PnTop"));
    m_toPreview = textlist::toPreviewButton(top, QStringLiteral("BBLynxStartResultsList"),
                                            QStringLiteral("Liste in die Vorschau übernehmen"));
    m_toPreview->setDefault(true);
    m_header = named(new QLineEdit(QStringLiteral("Zwischenstand"), top), QStringLiteral("EdLynxHeader"));
    m_showPosition = named(new QCheckBox(QStringLiteral("Pos."), top), QStringLiteral("CBShowPositionLynx"));
    m_showNumber = named(new QCheckBox(QStringLiteral("Startnr"), top), QStringLiteral("CBShowStartnrLynx"));
    m_showPosition->setChecked(true);
    auto* headLine = new QHBoxLayout;
    headLine->addWidget(m_header, 1);
    headLine->addWidget(m_toPreview);
    auto* options = new QHBoxLayout;
    options->addWidget(named(new QLabel(QStringLiteral("Anzeige mit ..."), top), QStringLiteral("Label7")));
    options->addWidget(m_showPosition);
    options->addWidget(m_showNumber);
    options->addStretch();
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addLayout(headLine);
    topLayout->addLayout(options);

    auto* left = named(new QWidget(this), QStringLiteral("PnLeft"));
    m_printPlaces = iconButton(left, QStringLiteral("SBPrintMWList"),
                               QStringLiteral("Anzahl unten in Vorschau einfügen"), QStyle::SP_ArrowLeft);
    m_places = named(new QSpinBox(left), QStringLiteral("UDMWWertungBisPlatz"));
    m_places->setRange(zwwertung::kMinPlaces, zwwertung::kMaxPlaces);
    m_places->setValue(kDefaultPlaces);
    m_places->setToolTip(QStringLiteral("MW- Wertung bis Platz ..., 0:alle"));
    // The number changes only by the arrows.
    auto* placesEdit = named(m_places->findChild<QLineEdit*>(), QStringLiteral("EdMWWertungBisPlatz"));
    placesEdit->setReadOnly(true);
    placesEdit->setToolTip(m_places->toolTip());
    m_places->setFixedWidth(44);
    m_clear = iconButton(left, QStringLiteral("SBClearList"), QStringLiteral("Liste löschen"), QStyle::SP_TrashIcon);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_printPlaces, 0, Qt::AlignHCenter);
    leftLayout->addWidget(m_places);
    leftLayout->addStretch();
    leftLayout->addWidget(m_clear, 0, Qt::AlignHCenter);

    m_grid = named(new TStringGrid(this), QStringLiteral("SGLynx"));
    auto* body = new QHBoxLayout;
    body->addWidget(left);
    body->addWidget(m_grid, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(top);
    column->addLayout(body, 1);
    // The hand-over may come before the first showing.
    FormShow();
    resize(460, 420);

    connect(m_toPreview, &QPushButton::clicked, this, &TFormWertung::BBLynxStartResultsListClick);
    connect(m_printPlaces, &QToolButton::clicked, this, &TFormWertung::SBPrintMWListClick);
    connect(m_clear, &QToolButton::clicked, this, &TFormWertung::SBClearListClick);
    connect(&textbox, &TFormTextbox::lynxResultsToStandings, this, &TFormWertung::SBSendToZwWertungClick);
    connect(&textbox, &TFormTextbox::standingsRequested, this, &TFormWertung::SBShowZwWertungClick);
}

void TFormWertung::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormWertung::FormShow()
{
    m_grid->setColumns(kGridColumns);
    m_grid->setRowCount(zwwertung::kRows);
}

void TFormWertung::RecalculateZwWertung()
{
    listlayout::Grid cells = m_grid->cells();
    zwwertung::recalculate(cells);
    m_grid->setCells(cells);
}

void TFormWertung::SBSendToZwWertungClick(const listlayout::Grid& lynx)
{
    listlayout::Grid cells = m_grid->cells();
    zwwertung::handOver(cells, lynx);
    m_grid->setCells(cells);
    RecalculateZwWertung();
    SBShowZwWertungClick();
}

void TFormWertung::SBShowZwWertungClick()
{
    RecalculateZwWertung();
    show();
    raise();
    activateWindow();
}

listlayout::ListOptions TFormWertung::listOptions() const
{
    listlayout::ListOptions options;
    options.showPosition = m_showPosition->isChecked();
    options.showNumber = m_showNumber->isChecked();
    options.currentRow = m_grid->Row();
    return options;
}

void TFormWertung::BBLynxStartResultsListClick()
{
    m_textbox.listToPreview(m_header->text(), m_grid->cells(), listOptions());
}

void TFormWertung::SBPrintMWListClick()
{
    const QStringList preview = m_textbox.lines();
    const QStringList printed =
        zwwertung::withPlacesBelow(preview, m_textbox.listLines(m_grid->cells(), listOptions()), m_places->value());
    if (printed != preview)
        m_textbox.setLines(printed);
    m_textbox.moveCaretToStart();
}

void TFormWertung::SBClearListClick()
{
    m_grid->clearCells();
}
