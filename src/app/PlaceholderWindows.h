#pragma once

#include <QDialog>

class TDM;

// Stand-ins for page windows that are not built yet: each is an empty dialog with its class name as
// object name and its caption, so the start-up order, the main window's page rule and the link-error
// reaction work end to end. Replace one by including the real window and changing its member type in
// Application.h.
namespace placeholder {

class PageWindow : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageWindow)
public:
    PageWindow(TDM& dm, const QString& className, const QString& caption, QWidget* parent);

protected:
    TDM& m_dm;
};

#define BRISAL_PLACEHOLDER(ClassName, Caption)                                                                         \
    class ClassName final : public PageWindow                                                                          \
    {                                                                                                                  \
    public:                                                                                                            \
        explicit ClassName(TDM& dm, QWidget* parent = nullptr)                                                         \
            : PageWindow(dm, QStringLiteral(#ClassName), QStringLiteral(Caption), parent)                              \
        {}                                                                                                             \
    };

BRISAL_PLACEHOLDER(TFormSpielUndSatz, "Spiel-/Satzstand")
BRISAL_PLACEHOLDER(TFormWertung, "Auswertung Zwischenstand")

#undef BRISAL_PLACEHOLDER

} // namespace placeholder
