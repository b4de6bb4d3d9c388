#include "pages/LengthCounter.h"

#include <QLineEdit>

namespace {
const QColor kWarning(220, 0, 0);
}

TLengthCounter::TLengthCounter(QLineEdit* box, std::function<int()> limit, QWidget* parent)
    : QLabel(parent ? parent : box->parentWidget()), m_box(box), m_limit(std::move(limit))
{
    setObjectName(box->objectName() + QStringLiteral("Laenge"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    f.setBold(false);
    setFont(f);
    m_normal = palette().color(QPalette::Disabled, QPalette::WindowText);
    setToolTip(QStringLiteral("Zeichen im Feld / Zeichen, die die Wand zeigt"));
    if (!m_limit)
        m_limit = [box] { return box->maxLength(); };
    connect(box, &QLineEdit::textChanged, this, &TLengthCounter::refresh);
    refresh();
}

void TLengthCounter::refresh()
{
    const int length = static_cast<int>(m_box->text().size());
    const int limit = m_limit();
    m_warns = length > limit || (length == limit && m_box->maxLength() <= limit);
    setText(QStringLiteral("%1/%2").arg(length).arg(limit));
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, m_warns ? kWarning : m_normal);
    setPalette(pal);
}
