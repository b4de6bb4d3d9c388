#include "shell/KeysHelp.h"

#include "shell/Shortcuts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

TFormTastenkuerzel::TFormTastenkuerzel(const QList<Row>& launcherRows, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormTastenkuerzel"));
    setWindowTitle(QStringLiteral("Tastenkürzel"));

    QList<Row> rows = launcherRows;
    for (const shortcuts::Binding& b : shortcuts::pageBindings())
        rows.append({b.keyText, b.what, b.where});

    auto* table = new QTableWidget(static_cast<int>(rows.size()), 3, this);
    table->setObjectName(QStringLiteral("TabTastenkuerzel"));
    table->setHorizontalHeaderLabels({QStringLiteral("Taste"), QStringLiteral("Wirkung"), QStringLiteral("Wo")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setWordWrap(false);
    for (int r = 0; r < rows.size(); ++r) {
        int c = 0;
        for (const QString& text : {rows[r].keys, rows[r].what, rows[r].where})
            table->setItem(r, c++, new QTableWidgetItem(text));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* column = new QVBoxLayout(this);
    column->addWidget(table);
    column->addWidget(buttons);
    resize(680, 600);
}
