#include "shell/Shortcuts.h"

namespace shortcuts {

namespace {
const QString kEveryPage = QStringLiteral("jedes Seitenfenster");
const QString kScorePages = QStringLiteral("Spielstand, Spielstand/Spielzeit, Spielstand/Satzstand");
const QString kClock = QStringLiteral("Spieluhr (American Football), wenn die Uhranzeige den Fokus hat");
const QString kMedia = QStringLiteral("Bild anzeigen, Video anzeigen");
} // namespace

const QList<Binding>& pageBindings()
{
    // Return and the keypad's Enter alike. The score keys use Alt with the arrow of the team's side,
    // which no text box uses (Ctrl with an arrow moves by words).
    static const QList<Binding> kBindings{
        {Action::Show,
         {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter},
         QStringLiteral("Strg+Eingabe"),
         QStringLiteral("Anzeigen"),
         kEveryPage},
        {Action::Erase,
         {Qt::CTRL | Qt::Key_Backspace},
         QStringLiteral("Strg+Rücktaste"),
         QStringLiteral("Löschen"),
         kEveryPage},
        {Action::HomeUp, {Qt::ALT | Qt::Key_Left}, QStringLiteral("Alt+←"), QStringLiteral("Heim +1"), kScorePages},
        {Action::HomeDown,
         {Qt::ALT | Qt::SHIFT | Qt::Key_Left},
         QStringLiteral("Alt+Umschalt+←"),
         QStringLiteral("Heim −1"),
         kScorePages},
        {Action::GuestUp, {Qt::ALT | Qt::Key_Right}, QStringLiteral("Alt+→"), QStringLiteral("Gäste +1"), kScorePages},
        {Action::GuestDown,
         {Qt::ALT | Qt::SHIFT | Qt::Key_Right},
         QStringLiteral("Alt+Umschalt+→"),
         QStringLiteral("Gäste −1"),
         kScorePages},
        {Action::Open,
         {Qt::CTRL | Qt::Key_O},
         QStringLiteral("Strg+O"),
         QStringLiteral("Bild oder Video öffnen"),
         kMedia},
        {Action::ClockRunStop,
         {QKeyCombination(Qt::Key_Space)},
         QStringLiteral("Leertaste"),
         QStringLiteral("Zeit läuft / Zeit steht"),
         kClock},
        {Action::ClockSecondUp, {QKeyCombination(Qt::Key_Up)}, QStringLiteral("↑"), QStringLiteral("Uhr +1 s"), kClock},
        {Action::ClockSecondDown,
         {QKeyCombination(Qt::Key_Down)},
         QStringLiteral("↓"),
         QStringLiteral("Uhr −1 s"),
         kClock},
        {Action::ClockMinuteUp,
         {QKeyCombination(Qt::Key_PageUp)},
         QStringLiteral("Bild↑"),
         QStringLiteral("Uhr +1 min"),
         kClock},
        {Action::ClockMinuteDown,
         {QKeyCombination(Qt::Key_PageDown)},
         QStringLiteral("Bild↓"),
         QStringLiteral("Uhr −1 min"),
         kClock},
    };
    return kBindings;
}

const Binding& binding(Action action)
{
    for (const Binding& b : pageBindings()) {
        if (b.action == action)
            return b;
    }
    Q_UNREACHABLE();
}

bool matches(Action action, QKeyCombination key)
{
    // The keypad adds its own modifier to Enter and to the arrows when Num Lock is off.
    const QKeyCombination plain(key.keyboardModifiers() & ~Qt::KeypadModifier, key.key());
    return binding(action).keys.contains(plain);
}

QKeyCombination launcherKey(int row)
{
    return QKeyCombination(static_cast<Qt::Key>(Qt::Key_F2 + row));
}

QString launcherKeyText(int row)
{
    return QStringLiteral("F%1").arg(row + 2);
}

} // namespace shortcuts
