#include "pages/ScorePage.h"

#include "pages/LengthCounter.h"
#include "pages/PageKeys.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QColor kNavy(0, 0, 128);

QLineEdit* nameBox(QWidget* parent, const QString& name, const QString& text, int maxLength)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    QFont f = e->font();
    f.setBold(true);
    f.setPointSize(12);
    e->setFont(f);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, kNavy);
    e->setPalette(pal);
    return e;
}
} // namespace

TScorePage::TScorePage(WallSink& wall, const QString& className, const QString& caption, Limits limits, QWidget* parent)
    : TPageForm(wall, className, caption, parent)
{
    using namespace pagewidgets;
    m_edVereinLinks = nameBox(this, QStringLiteral("EdVereinLinks"), QStringLiteral("Heim"), limits.nameLength);
    m_edVereinRechts = nameBox(this, QStringLiteral("EdVereinRechts"), QStringLiteral("Gäste"), limits.nameLength);
    m_pnToreLeft = scorePanel(this, QStringLiteral("PnToreLeft"), 26);
    m_pnToreRight = scorePanel(this, QStringLiteral("PnToreRight"), 26);
    m_udToreLinks = upDown(this, QStringLiteral("UDToreLinks"), limits.maxScore);
    m_udToreRechts = upDown(this, QStringLiteral("UDToreRechts"), limits.maxScore);
    for (QLabel* panel : {m_pnToreLeft, m_pnToreRight})
        panel->setFixedSize(110, 52);
    for (QSpinBox* ud : {m_udToreLinks, m_udToreRechts})
        ud->setFixedHeight(52);

    connect(m_udToreLinks, &QSpinBox::valueChanged, this, &TScorePage::UDToreLinksChangingEx);
    connect(m_udToreRechts, &QSpinBox::valueChanged, this, &TScorePage::UDToreRechtsChangingEx);
    for (QLineEdit* e : {m_edVereinLinks, m_edVereinRechts})
        connect(e, &QLineEdit::textChanged, this, &TScorePage::matchStateChanged);
    for (QSpinBox* ud : {m_udToreLinks, m_udToreRechts})
        connect(ud, &QSpinBox::valueChanged, this, &TScorePage::matchStateChanged);

    using shortcuts::Action;
    const struct
    {
        QSpinBox* score;
        QLabel* panel;
        Action up;
        Action down;
        QString side;
    } sides[] = {{m_udToreLinks, m_pnToreLeft, Action::HomeUp, Action::HomeDown, QStringLiteral("Heim")},
                 {m_udToreRechts, m_pnToreRight, Action::GuestUp, Action::GuestDown, QStringLiteral("Gäste")}};
    for (const auto& side : sides) {
        QSpinBox* score = side.score;
        pagekeys::bind(this, side.up, [score] { score->stepBy(1); });
        pagekeys::bind(this, side.down, [score] { score->stepBy(-1); });
        const QString keys =
            shortcuts::binding(side.up).keyText + QStringLiteral(" / ") + shortcuts::binding(side.down).keyText;
        for (QWidget* w : {static_cast<QWidget*>(score), static_cast<QWidget*>(side.panel)})
            pagekeys::setKeyText(w, keys, side.side + QStringLiteral(" +1 / −1"));
    }
}

MatchState::Score TScorePage::score() const
{
    return {m_edVereinLinks->text(), m_edVereinRechts->text(), m_udToreLinks->value(), m_udToreRechts->value()};
}

void TScorePage::setScore(const MatchState::Score& score)
{
    m_edVereinLinks->setText(score.home);
    m_edVereinRechts->setText(score.guest);
    m_udToreLinks->setValue(score.homePoints);
    m_udToreRechts->setValue(score.guestPoints);
}

QVBoxLayout* TScorePage::nameColumn(QLineEdit* box)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    column->addWidget(box);
    column->addWidget(new TLengthCounter(box));
    return column;
}

void TScorePage::UDToreLinksChangingEx(int value)
{
    m_pnToreLeft->setText(QString::number(value));
}

void TScorePage::UDToreRechtsChangingEx(int value)
{
    m_pnToreRight->setText(QString::number(value));
}

void TScorePage::FormHide()
{
    SBEraseClick();
}
