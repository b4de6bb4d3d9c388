#include "shell/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxReport::present(Icon icon, const QString& caption, const QString& text, bool onTop)
{
    const QMessageBox::Icon boxIcon = icon == Icon::Critical  ? QMessageBox::Critical
                                      : icon == Icon::Warning ? QMessageBox::Warning
                                                              : QMessageBox::Information;
    QMessageBox box(boxIcon, caption.isEmpty() ? QApplication::applicationName() : caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    if (onTop)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
