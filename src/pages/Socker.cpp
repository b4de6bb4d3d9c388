#include "pages/Socker.h"

#include "wall_link/WallCommands.h"
#include "wall_link/WallSink.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

TFormSocker::TFormSocker(WallSink& wall, QWidget* parent)
    : TScorePage(wall, QStringLiteral("TFormSocker"), QStringLiteral("Spielstand"), pagelimits::kSoccer, parent)
{
    using namespace pagewidgets;

    auto* teams = new QGroupBox(QStringLiteral("Mannschaften:"), this);
    auto* teamsRow = new QHBoxLayout(teams);
    for (QLineEdit* e : {m_edVereinLinks, m_edVereinRechts})
        e->setFixedWidth(150);
    teamsRow->addLayout(nameColumn(m_edVereinLinks));
    teamsRow->addSpacing(12);
    teamsRow->addLayout(nameColumn(m_edVereinRechts));

    auto* score = new QGroupBox(QStringLiteral("Spielstand:"), this);
    auto* scoreRow = new QHBoxLayout(score);
    scoreRow->setSpacing(0);
    scoreRow->addStretch();
    scoreRow->addWidget(m_pnToreLeft);
    scoreRow->addWidget(m_udToreLinks);
    scoreRow->addSpacing(44);
    scoreRow->addWidget(m_pnToreRight);
    scoreRow->addWidget(m_udToreRechts);
    scoreRow->addStretch();

    QToolButton* erase =
        button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"), QStringLiteral("Anzeigetafel löschen"));
    QToolButton* send = button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(erase);
    bar->addStretch();
    bar->addWidget(send);

    auto* column = new QVBoxLayout(this);
    column->addWidget(teams);
    column->addWidget(score);
    column->addLayout(bar);
    fixFrame();

    connect(send, &QToolButton::clicked, this, &TFormSocker::SBSendClick);
    connect(erase, &QToolButton::clicked, this, &TFormSocker::SBEraseClick);
    finishPage(send, erase, m_edVereinLinks);
}

void TFormSocker::SBSendClick()
{
    m_wall.send(held().bodies);
}

TUnsentChanges::Held TFormSocker::held() const
{
    return {wallcmd::soccerShow(m_edVereinLinks->text(), m_edVereinRechts->text(), m_udToreLinks->value(),
                                m_udToreRechts->value()),
            {}};
}
