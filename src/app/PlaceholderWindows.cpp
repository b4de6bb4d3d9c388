#include "app/PlaceholderWindows.h"

#include <QLabel>
#include <QVBoxLayout>

namespace placeholder {

PageWindow::PageWindow(TDM& dm, const QString& className, const QString& caption, QWidget* parent)
    : QDialog(parent), m_dm(dm)
{
    setObjectName(className);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption, this));
    resize(320, 200);
}

} // namespace placeholder
