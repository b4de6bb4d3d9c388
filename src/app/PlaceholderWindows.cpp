#include "app/PlaceholderWindows.h"

#include <QLabel>
#include <QVBoxLayout>

namespace placeholder {

PageWindow::PageWindow(const QString& className, const QString& caption, QWidget* parent) : QDialog(parent)
{
    setObjectName(className);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption, this));
    resize(320, 200);
}

} // namespace placeholder
