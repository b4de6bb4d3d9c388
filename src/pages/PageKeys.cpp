#include "pages/PageKeys.h"

#include <QAbstractButton>
#include <QHelpEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QToolTip>

namespace pagekeys {

namespace {

const char* const kKeysProperty = "brisalKeys";
const char* const kCaptionProperty = "brisalCaption";
const char* const kNoteProperty = "brisalNote";
const char* const kFilterProperty = "brisalToolTipFilter";

// Shows toolTipText() instead of the bare hint; a child of the control it serves.
class ToolTipExtras final : public QObject
{
public:
    explicit ToolTipExtras(QWidget* control) : QObject(control) { control->installEventFilter(this); }

    // Marked by a property: without Q_OBJECT, findChild<ToolTipExtras*> would match any child
    // (a spin box's line edit) and skip the filter.
    static void ensure(QWidget* control)
    {
        if (control->property(kFilterProperty).toBool())
            return;
        control->setProperty(kFilterProperty, true);
        new ToolTipExtras(control);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* control = static_cast<QWidget*>(watched);
        const QString text = toolTipText(control);
        if (text.isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
        return true;
    }
};

} // namespace

void bind(QWidget* window, shortcuts::Action action, std::function<void()> run)
{
    for (const QKeyCombination key : shortcuts::binding(action).keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), window);
        QObject::connect(shortcut, &QShortcut::activated, window, run);
    }
}

void bindButton(QWidget* window, shortcuts::Action action, QAbstractButton* button)
{
    bind(window, action, [button] { button->click(); });
    setKeyText(button, shortcuts::binding(action).keyText);
}

QString toolTipText(const QWidget* control)
{
    QString text = control->toolTip();
    if (text.isEmpty())
        text = control->property(kCaptionProperty).toString();
    if (text.isEmpty()) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            text = button->text();
    }
    const QString keys = control->property(kKeysProperty).toString();
    if (!keys.isEmpty())
        text += QStringLiteral(" (") + keys + QLatin1Char(')');
    const QString note = control->property(kNoteProperty).toString();
    if (!note.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + note;
    return text.trimmed();
}

void setKeyText(QWidget* control, const QString& keyText, const QString& caption)
{
    control->setProperty(kKeysProperty, keyText);
    if (!caption.isEmpty())
        control->setProperty(kCaptionProperty, caption);
    ToolTipExtras::ensure(control);
}

void setNote(QWidget* control, const QString& note)
{
    control->setProperty(kNoteProperty, note);
    ToolTipExtras::ensure(control);
}

} // namespace pagekeys
