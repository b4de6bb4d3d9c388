#pragma once

#include <QDialog>

// The intermediate standings as an empty dialog with its class name as
// object name and its caption, so the start-up order, the main window's page rule and the
// link-error reaction treat it like every other window.
namespace placeholder {

class PageWindow : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageWindow)
public:
    PageWindow(const QString& className, const QString& caption, QWidget* parent);
};

#define BRISAL_PLACEHOLDER(ClassName, Caption)                                                                         \
    class ClassName final : public PageWindow                                                                          \
    {                                                                                                                  \
    public:                                                                                                            \
        explicit ClassName(QWidget* parent = nullptr)                                                                  \
            : PageWindow(QStringLiteral(#ClassName), QStringLiteral(Caption), parent)                                  \
        {}                                                                                                             \
    };

BRISAL_PLACEHOLDER(TFormWertung, "Auswertung Zwischenstand")

#undef BRISAL_PLACEHOLDER

} // namespace placeholder
