#include "media/MediaWindow.h"

#include "media/UploadProgress.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace mediawindow {

QLabel* caption(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    f.setItalic(true);
    f.setPointSize(f.pointSize() + 2);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    l->setPalette(pal);
    return l;
}

QToolButton* iconButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setIconSize(QSize(18, 18));
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setMinimumSize(28, 25);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QFrame* blackFrame(QWidget* parent, const QString& name)
{
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    f->setLineWidth(1);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::black);
    f->setPalette(pal);
    f->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return f;
}

QWidget* videoSurface(QWidget* parent, const QString& name)
{
    auto* s = new QWidget(parent);
    s->setObjectName(name);
    s->setAutoFillBackground(true);
    QPalette pal = s->palette();
    pal.setColor(QPalette::Window, Qt::black);
    s->setPalette(pal);
    return s;
}

QProgressBar* progressBar(QWidget* parent, const QString& name)
{
    auto* p = new QProgressBar(parent);
    p->setObjectName(name);
    p->setRange(0, 100);
    p->setValue(0);
    p->setTextVisible(false);
    p->setFixedHeight(12);
    return p;
}

QToolButton* cancelButton(QWidget* parent, const QString& name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(QStringLiteral("Abbrechen"));
    b->setToolTip(QStringLiteral("Hochladen abbrechen"));
    b->setEnabled(false);
    return b;
}

QWidget* row(QWidget* parent, const QList<QWidget*>& left, const QList<QWidget*>& right)
{
    auto* r = new QWidget(parent);
    auto* layout = new QHBoxLayout(r);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : left)
        layout->addWidget(w);
    layout->addStretch();
    for (QWidget* w : right)
        layout->addWidget(w);
    return r;
}

QToolButton* openButton(QWidget* parent, const QString& name, const QString& hint)
{
    return iconButton(parent, name, parent->style()->standardIcon(QStyle::SP_DialogOpenButton), hint);
}

void assemble(QWidget* window, TUploadProgress& progress, QToolButton* open, const QString& captionText, QFrame* frame,
              QProgressBar* bar, QToolButton* erase, const QList<QToolButton*>& right)
{
    auto* top = new QHBoxLayout;
    top->addWidget(open);
    top->addSpacing(8);
    top->addWidget(caption(window, QStringLiteral("Label6"), captionText));
    top->addStretch();

    QToolButton* cancel = cancelButton(window, QStringLiteral("SBCancelUpload"));
    auto* barRow = new QHBoxLayout;
    barRow->addWidget(bar, 1);
    barRow->addWidget(cancel);

    QWidget* bottom = row(window, {erase}, {right.cbegin(), right.cend()});
    latchTogether(QList<QToolButton*>{erase} + right);

    auto* column = new QVBoxLayout(window);
    column->addLayout(top);
    column->addWidget(frame, 1);
    column->addLayout(barRow);
    column->addWidget(bottom);

    progress.addWindow(window, {bar});
    progress.addUploadControls(cancel, {bottom});
    window->setMinimumSize(kMinWidth, kMinHeight);
    window->setMaximumSize(kMaxWidth, kMaxHeight);
    window->resize(kMinWidth, kMinHeight);
}

void latchTogether(const QList<QToolButton*>& buttons)
{
    for (QToolButton* b : buttons) {
        b->setCheckable(true);
        QObject::connect(b, &QToolButton::toggled, b, [b, buttons](bool down) {
            if (!down)
                return;
            for (QToolButton* other : buttons) {
                if (other != b)
                    other->setChecked(false);
            }
        });
    }
}

} // namespace mediawindow
