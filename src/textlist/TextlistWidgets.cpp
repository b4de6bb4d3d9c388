#include "textlist/TextlistWidgets.h"

#include <QPalette>
#include <QPushButton>
#include <QToolButton>

namespace textlist {

void setFill(QWidget* widget, const QColor& colour)
{
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
}

QPushButton* toPreviewButton(QWidget* parent, const QString& name, const QString& hint)
{
    auto* b = named(new QPushButton(QStringLiteral("nach Vorschau"), parent), name);
    b->setToolTip(hint);
    b->setAutoDefault(true);
    return b;
}

QToolButton* iconButton(QWidget* parent, const QString& name, const QString& hint, QStyle::StandardPixmap icon)
{
    auto* b = named(new QToolButton(parent), name);
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

} // namespace textlist
