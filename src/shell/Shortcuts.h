#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>

// The keys the operator can use instead of the mouse, with the German words that tool tips and
// "Hilfe" → "Tastenkürzel" show for them. The windows bind the keys of this table, so what the help
// says is what the keys do.
namespace shortcuts {

enum class Action
{
    Show,  // "Anzeigen" in every page window
    Erase, // "Löschen" in every page window
    HomeUp,
    HomeDown,
    GuestUp,
    GuestDown,
    Open, // the open button of the picture and video windows
    // The game clock, while its display has the focus.
    ClockRunStop,
    ClockSecondUp,
    ClockSecondDown,
    ClockMinuteUp,
    ClockMinuteDown
};

struct Binding
{
    Action action;
    QList<QKeyCombination> keys; // the first is the one named
    QString keyText;             // "Strg+Eingabe"
    QString what;                // "Anzeigen"
    QString where;               // the windows it works in
};

// Every binding of the page windows, in the order the help lists them.
const QList<Binding>& pageBindings();
const Binding& binding(Action action);
bool matches(Action action, QKeyCombination key);

// The launcher's page buttons open with F2, F3, … in the launcher's order; F1 stays help.
constexpr int kLauncherKeys = 10;
QKeyCombination launcherKey(int row);
QString launcherKeyText(int row);

} // namespace shortcuts
