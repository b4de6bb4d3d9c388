#pragma once

#include <QDialog>

class QAbstractButton;
class QLabel;
class QSpinBox;
class QToolButton;
class WallSink;

// Base of the page windows: a fixed dialog frame created once and afterwards only shown (modally, by
// the main window) and hidden. FormShow and FormHide run on every showing and hiding the program does,
// not on minimising and restoring.
class TPageForm : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPageForm)
public:
    TPageForm(WallSink& wall, const QString& className, const QString& caption, QWidget* parent);

    // "Löschen": blanks the wall.
    void SBEraseClick();

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}

    // Call once the layout is complete: fixes the window at the size the layout asks for.
    void fixFrame();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

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
