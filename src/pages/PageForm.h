#pragma once

#include "pages/UnsentChanges.h"

#include <QDialog>
#include <QPointer>

class QAbstractButton;
class QLabel;
class QSpinBox;
class QToolButton;
class WallSink;

// Base of the page windows: a fixed dialog frame created once and afterwards only shown (modally, by
// the main window) and hidden. FormShow and FormHide run on every showing and hiding the program does,
// not on minimising and restoring.
//
// Every send of a page goes through m_wall, which notes what the wall shows, so the window marks
// "Anzeigen" while it holds what the wall does not show yet. "Anzeigen" and "Löschen" have their keys,
// and the window opens with the focus on its first input: no single key blanks the wall (Escape, which
// would close the window and with it blank the wall, does nothing).
class TPageForm : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPageForm)
public:
    TPageForm(WallSink& wall, const QString& className, const QString& caption, QWidget* parent);

    // "Löschen": blanks the wall.
    void SBEraseClick();

    // True while the window holds what the wall does not show: "Anzeigen" would change the wall.
    bool hasUnsentChanges() const { return m_unsentChanges->unsent(); }

Q_SIGNALS:
    // Told once control is back in the event loop, and only when it differs from what was told last.
    void unsentChangesChanged(bool unsent);

protected:
    // What "Anzeigen" would send now (nothing when the window holds nothing to show).
    virtual TUnsentChanges::Held held() const = 0;
    // Call at the end of the constructor: marks "Anzeigen", binds the keys of both buttons, watches the
    // inputs for changes, and names the control that has the focus whenever the window opens.
    void finishPage(QAbstractButton* send, QAbstractButton* erase, QWidget* firstInput);
    // After a change that no input signals (a display, a loaded picture).
    void contentChanged() { m_unsentChanges->update(); }

    virtual void FormShow() {}
    virtual void FormHide() {}

    // Call once the layout is complete: fixes the window at the size the layout asks for.
    void fixFrame();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TUnsentChanges* m_unsentChanges; // before m_wall, which it is
    QPointer<QWidget> m_firstInput;

protected:
    WallSink& m_wall;
};

// Building blocks shared by the pages, so that captions, names and looks are made in one place.
namespace pagewidgets {

QToolButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& hint = {});
// The black panel with the large bold yellow digits of the time pages.
QLabel* timePanel(QWidget* parent, const QString& name, const QString& text);
// A sunken panel with large bold navy digits that shows a score.
QLabel* scorePanel(QWidget* parent, const QString& name, int pointSize);
// An up/down control (arrows only) over 0..maximum, step 1, starting at 0.
QSpinBox* upDown(QWidget* parent, const QString& name, int maximum);
// Releases a latching button, also when it belongs to an exclusive group.
void release(QAbstractButton* button);
// A latching button that is down shows it plainly: green, with bold white text.
void latchedLook(QToolButton* button);

enum class Glyph
{
    AnalogClock,
    Run,
    Stop,
    SetClock,
    ClearClock
};
QIcon icon(Glyph glyph);

} // namespace pagewidgets
