#pragma once

#include <QList>

class QFrame;
class QIcon;
class QString;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QToolButton;
class QWidget;
class TUploadProgress;

// Building blocks of the picture and video windows, so both look alike.
namespace mediawindow {

constexpr int kMinWidth = 325;
constexpr int kMinHeight = 350;
constexpr int kMaxWidth = 350;
constexpr int kMaxHeight = 400;

// The top bar's caption: bold italic navy.
QLabel* caption(QWidget* parent, const QString& name, const QString& text);
// An icon-only button of the bars.
QToolButton* iconButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& hint);
// The black frame around the picture or the video surface.
QFrame* blackFrame(QWidget* parent, const QString& name);
// The black surface the local preview plays a video on.
QWidget* videoSurface(QWidget* parent, const QString& name);
QProgressBar* progressBar(QWidget* parent, const QString& name);
// "Abbrechen" beside an upload's progress bar: ends the running upload, off while none runs.
QToolButton* cancelButton(QWidget* parent, const QString& name);
// A row of controls without margins: left ones, a stretch, right ones. A row can wait as a whole while an
// upload runs, its controls keeping their own enabled state for afterwards.
QWidget* row(QWidget* parent, const QList<QWidget*>& left, const QList<QWidget*>& right);
// The folder button of the top bar.
QToolButton* openButton(QWidget* parent, const QString& name, const QString& hint);
// Lays a picture or video window out: top bar (open button, caption), the black frame, the progress bar
// with "Abbrechen" beside it, bottom bar (erase on the left, the others on the right, all latching
// together, all waiting while an upload runs); sets the size limits. The bar and the buttons join the
// upload's progress display.
void assemble(QWidget* window, TUploadProgress& progress, QToolButton* open, const QString& caption, QFrame* frame,
              QProgressBar* bar, QToolButton* erase, const QList<QToolButton*>& right);

// Latching buttons of one group: a pressed button stays down until another of the group is pressed or
// it is pressed again.
void latchTogether(const QList<QToolButton*>& buttons);

} // namespace mediawindow
