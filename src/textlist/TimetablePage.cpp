#include "textlist/TimetablePage.h"

#include "textlist/ListLayout.h"
#include "textlist/TextlistWidgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using textlist::named;

TTimetablePage::TTimetablePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TSZeitplan"));
    m_timetable = named(new QTreeWidget(this), QStringLiteral("LVZeitplan"));
    m_timetable->setColumnCount(3);
    m_timetable->setHeaderLabels(
        {QStringLiteral("ID Event Round"), QStringLiteral("Zeit"), QStringLiteral("Wettbewerb")});
    m_timetable->setRootIsDecorated(false);
    m_timetable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_timetable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_timetable->setAllColumnsShowFocus(true);
    m_timetable->header()->setStretchLastSection(false);
    m_timetable->header()->setMinimumSectionSize(0);
    m_timetable->setColumnWidth(0, 0);
    m_timetable->setColumnHidden(0, true);
    m_timetable->setColumnWidth(1, 60);
    m_timetable->setColumnWidth(2, 200);
    m_timetable->setStyleSheet(QStringLiteral("QTreeView::item { border-bottom: 1px solid lightgray; "
                                              "border-right: 1px solid lightgray; }"));

    m_menu = named(new QMenu(m_timetable), QStringLiteral("PopDBViewer"));
    m_menu->addAction(QStringLiteral("LIF erzeugen für ..."))->setEnabled(false);
    m_menu->addSeparator()->setEnabled(false);
    QAction* popTimeTable = m_menu->addAction(QStringLiteral("Zeitplan (ab hier) anzeigen"));
    popTimeTable->setObjectName(QStringLiteral("popTimeTable"));
    popTimeTable->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    popTimeTable->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_timetable->addAction(popTimeTable);
    m_timetable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_timetable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_timetable->viewport()->mapToGlobal(at)); });
    connect(popTimeTable, &QAction::triggered, this, &TTimetablePage::popTimeTableClick);

    auto* mark = named(new QLabel(QStringLiteral("K"), this), QStringLiteral("Label4"));
    m_header = named(new QLineEdit(QStringLiteral("Zeitplan"), this), QStringLiteral("EdZPKopf"));
    m_toPreview = textlist::toPreviewButton(this, QStringLiteral("BitBtn1"),
                                            QStringLiteral("Zeitplan in die Vorschau übernehmen"));
    auto* head = new QHBoxLayout;
    head->addWidget(mark);
    head->addWidget(m_header, 1);
    head->addWidget(m_toPreview);

    auto* column = new QVBoxLayout(this);
    column->addWidget(named(new QLabel(QStringLiteral("Wettkampf"), this), QStringLiteral("LbWkName")));
    column->addWidget(m_timetable, 1);
    column->addLayout(head);

    connect(m_toPreview, &QPushButton::clicked, this, &TTimetablePage::popTimeTableClick);
}

void TTimetablePage::clear()
{
    m_timetable->clear();
}

void TTimetablePage::addEntry(const QString& time, const QString& competition)
{
    m_timetable->addTopLevelItem(
        new QTreeWidgetItem(QStringList{QString::number(m_timetable->topLevelItemCount() + 1), time, competition}));
}

void TTimetablePage::setPreviewDefault(bool isDefault)
{
    m_toPreview->setDefault(isDefault);
}

void TTimetablePage::popTimeTableClick()
{
    QList<listlayout::TimetableEntry> entries;
    for (int i = 0; i < m_timetable->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_timetable->topLevelItem(i);
        entries.append({item->text(1), item->text(2)});
    }
    const QList<QTreeWidgetItem*> selected = m_timetable->selectedItems();
    const int first = selected.isEmpty() ? -1 : m_timetable->indexOfTopLevelItem(selected.first());
    Q_EMIT previewRequested(m_header->text(), listlayout::timetableLines(entries, first));
}
