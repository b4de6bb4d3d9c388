#include "pages/PageForm.h"

#include "pages/PageKeys.h"
#include "wall_link/WallCommands.h"
#include "wall_link/WallSink.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>
#include <QSpinBox>
#include <QToolButton>

TPageForm::TPageForm(WallSink& wall, const QString& className, const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowSystemMenuHint),
      m_unsentChanges(new TUnsentChanges(wall, this)), m_wall(*m_unsentChanges)
{
    setObjectName(className);
    setWindowTitle(caption);
    setSizeGripEnabled(false);
    connect(m_unsentChanges, &TUnsentChanges::changed, this, &TPageForm::unsentChangesChanged);
}

void TPageForm::finishPage(QAbstractButton* send, QAbstractButton* erase, QWidget* firstInput)
{
    m_firstInput = firstInput;
    pagekeys::bindButton(this, shortcuts::Action::Show, send);
    pagekeys::bindButton(this, shortcuts::Action::Erase, erase);
    m_unsentChanges->markOn(send);
    m_unsentChanges->watchInputs(this);
    m_unsentChanges->setHeld([this] { return held(); });
}

void TPageForm::SBEraseClick()
{
    m_wall.send(wallcmd::erase());
}

void TPageForm::fixFrame()
{
    if (layout())
        layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TPageForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_firstInput)
        m_firstInput->setFocus(Qt::OtherFocusReason);
    FormShow();
}

void TPageForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TPageForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

namespace pagewidgets {

namespace {
const QColor kNavy(0, 0, 128);
}

QToolButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setMinimumSize(75, 25);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QLabel* timePanel(QWidget* parent, const QString& name, const QString& text)
{
    auto* p = new QLabel(text, parent);
    p->setObjectName(name);
    p->setAlignment(Qt::AlignCenter);
    p->setAutoFillBackground(true);
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(255, 255, 0));
    p->setPalette(pal);
    QFont f(QStringLiteral("Liberation Sans Narrow"));
    f.setStyleHint(QFont::SansSerif);
    f.setStretch(QFont::Condensed);
    f.setPointSize(48);
    f.setBold(true);
    p->setFont(f);
    p->setMinimumSize(300, 100);
    return p;
}

QLabel* scorePanel(QWidget* parent, const QString& name, int pointSize)
{
    auto* p = new QLabel(QStringLiteral("0"), parent);
    p->setObjectName(name);
    p->setAlignment(Qt::AlignCenter);
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette pal = p->palette();
    pal.setColor(QPalette::WindowText, kNavy);
    p->setPalette(pal);
    QFont f = p->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    p->setFont(f);
    return p;
}

QSpinBox* upDown(QWidget* parent, const QString& name, int maximum)
{
    auto* u = new QSpinBox(parent);
    u->setObjectName(name);
    u->setRange(0, maximum);
    u->setSingleStep(1);
    u->setValue(0);
    u->setWrapping(false);
    // Only the arrows are seen: the panel beside it shows the value.
    u->setFixedWidth(18);
    u->setAlignment(Qt::AlignRight);
    return u;
}

void release(QAbstractButton* button)
{
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    button->setChecked(false);
    if (exclusive)
        group->setExclusive(true);
}

void latchedLook(QToolButton* button)
{
    button->setStyleSheet(QStringLiteral("QToolButton:checked { background-color: #2e7d32; color: white; "
                                         "font-weight: bold; border: 1px solid #1b5e20; border-radius: 3px; }"));
}

QIcon icon(Glyph glyph)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case Glyph::AnalogClock:
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
        p.drawLine(QPointF(8, 8), QPointF(11.5, 9.5));
        break;
    case Glyph::Run: {
        QPainterPath path;
        path.moveTo(4, 2);
        path.lineTo(13, 8);
        path.lineTo(4, 14);
        path.closeSubpath();
        p.fillPath(path, QColor(0, 128, 0));
        break;
    }
    case Glyph::Stop:
        p.fillRect(QRectF(3, 3, 10, 10), QColor(128, 0, 0));
        break;
    case Glyph::SetClock: {
        p.setPen(QPen(kNavy, 2));
        p.drawLine(QPointF(2, 8), QPointF(12, 8));
        QPainterPath head;
        head.moveTo(9, 4);
        head.lineTo(14, 8);
        head.lineTo(9, 12);
        head.closeSubpath();
        p.fillPath(head, kNavy);
        break;
    }
    case Glyph::ClearClock:
        p.setPen(QPen(kNavy, 2));
        p.drawEllipse(QRectF(4, 2, 8, 12));
        break;
    }
    return QIcon(pm);
}

} // namespace pagewidgets
