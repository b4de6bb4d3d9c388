#pragma once

#include "shell/Shortcuts.h"

#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

// Keys and tool tips of the windows. A control keeps the hint it was given (toolTip()); what the
// operator sees on hovering adds its keys in brackets and a note line below, such as the unsent mark's.
namespace pagekeys {

// The action's keys anywhere in window run run.
void bind(QWidget* window, shortcuts::Action action, std::function<void()> run);
// The action's keys click button (nothing happens while it is disabled), and its tool tip names them.
void bindButton(QWidget* window, shortcuts::Action action, QAbstractButton* button);

// What the tool tip of control shows: its hint, or its caption when it has none, the keys in
// brackets, and the note on a line of its own.
QString toolTipText(const QWidget* control);
void setKeyText(QWidget* control, const QString& keyText, const QString& caption = {});
void setNote(QWidget* control, const QString& note);

} // namespace pagekeys
