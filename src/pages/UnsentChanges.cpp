#include "pages/UnsentChanges.h"

#include "pages/PageKeys.h"
#include "wall_link/Frame.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

constexpr int kDot = 8;
const QColor kDotColour(255, 140, 0);
const QColor kDotEdge(150, 70, 0);

// The mark: an orange dot in the top right corner of the button, which it keeps to when resized.
class UnsentDot final : public QWidget
{
public:
    explicit UnsentDot(QWidget* button) : QWidget(button)
    {
        setObjectName(QStringLiteral("UnsentMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedSize(kDot, kDot);
        button->installEventFilter(this);
        place();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kDotEdge, 1));
        p.setBrush(kDotColour);
        p.drawEllipse(QRectF(0.5, 0.5, kDot - 1, kDot - 1));
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            place();
        return false;
    }

private:
    void place() { move(parentWidget()->width() - kDot - 3, 3); }
};

} // namespace

const QString TUnsentChanges::kNote = QStringLiteral("Änderungen noch nicht angezeigt");

TUnsentChanges::TUnsentChanges(WallSink& wall, QObject* parent)
    : QObject(parent), m_wall(wall), m_tell(new QTimer(this))
{
    m_tell->setSingleShot(true);
    m_tell->setInterval(0);
    connect(m_tell, &QTimer::timeout, this, [this] {
        if (m_unsent == m_told)
            return;
        m_told = m_unsent;
        Q_EMIT changed(m_told);
    });
}

void TUnsentChanges::setHeld(std::function<Held()> held)
{
    m_held = std::move(held);
    update();
}

void TUnsentChanges::markOn(QAbstractButton* button)
{
    m_button = button;
    m_dot = new UnsentDot(button);
    showMark();
}

void TUnsentChanges::watchInputs(QWidget* widget)
{
    const auto compare = [this] { update(); };
    for (auto* e : widget->findChildren<QLineEdit*>()) {
        // A spin box's own text box signals through the spin box.
        if (!qobject_cast<QAbstractSpinBox*>(e->parentWidget()))
            connect(e, &QLineEdit::textChanged, this, compare);
    }
    for (auto* s : widget->findChildren<QSpinBox*>())
        connect(s, &QSpinBox::valueChanged, this, compare);
    for (auto* b : widget->findChildren<QAbstractButton*>())
        connect(b, &QAbstractButton::toggled, this, compare);
    for (auto* c : widget->findChildren<QComboBox*>())
        connect(c, &QComboBox::currentIndexChanged, this, compare);
    for (auto* t : widget->findChildren<QPlainTextEdit*>())
        connect(t, &QPlainTextEdit::textChanged, this, compare);
}

bool TUnsentChanges::onAir(const wallcmd::Bodies& bodies) const
{
    WallModel shown = m_sent;
    for (const QByteArray& body : bodies)
        shown.apply(body, 0);
    return shown.showsSame(m_sent);
}

void TUnsentChanges::update()
{
    bool unsent = false;
    if (m_held) {
        const Held held = m_held();
        unsent = !held.bodies.isEmpty() && (!onAir(held.bodies) || held.media != m_mediaSent);
    }
    if (unsent == m_unsent)
        return;
    m_unsent = unsent;
    showMark();
    m_tell->start();
}

void TUnsentChanges::send(const wallcmd::Bodies& bodies)
{
    m_wall.send(bodies);
    // What the link drops never reaches the wall.
    for (const QByteArray& body : bodies) {
        if (body.size() <= frame::kMaxBody)
            m_sent.apply(body, 0);
    }
    if (m_held) {
        const Held held = m_held();
        if (!held.bodies.isEmpty() && onAir(held.bodies))
            m_mediaSent = held.media;
    }
    update();
}

QString TUnsentChanges::address() const
{
    return m_wall.address();
}

WallTextSize TUnsentChanges::textSize() const
{
    return m_wall.textSize();
}

void TUnsentChanges::showMark()
{
    if (!m_button)
        return;
    m_dot->setVisible(m_unsent);
    pagekeys::setNote(m_button, m_unsent ? kNote : QString());
}
