#pragma once

#include <QColor>
#include <QString>
#include <QStyle>

class QPushButton;
class QToolButton;
class QWidget;

// Small building blocks shared by the text list window and its pages.
namespace textlist {

template <typename T> T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// Fills the widget's background with colour.
void setFill(QWidget* widget, const QColor& colour);
// A page's "nach Vorschau" button.
QPushButton* toPreviewButton(QWidget* parent, const QString& name, const QString& hint);
// A button that shows only an icon of the style, explained by its hint.
QToolButton* iconButton(QWidget* parent, const QString& name, const QString& hint, QStyle::StandardPixmap icon);

} // namespace textlist
