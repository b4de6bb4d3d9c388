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

void CoalescingReport::present(Icon icon, const QString& caption, const QString& text, bool onTop)
{
    const QString kind = QString::number(static_cast<int>(icon)) + QLatin1Char('\n') + caption;
    const auto open = m_open.find(kind);
    if (open != m_open.end()) {
        open->latest = text;
        ++open->count;
        return;
    }
    m_open.insert(kind, {});
    QString shown = text;
    for (;;) {
        m_target.showMessage(icon, caption, shown, onTop);
        const Held held = m_open.value(kind);
        if (held.count == 0)
            break;
        m_open.insert(kind, {});
        shown = QStringLiteral("%1 (%2 weitere)").arg(held.latest).arg(held.count);
    }
    m_open.remove(kind);
}
