#include "pages/SpielUndSatz.h"

#include "media/Image.h"
#include "media/MediaModule.h"
#include "media/MediaPages.h"
#include "media/MediaWindow.h"
#include "shell/ErrorReport.h"
#include "wall_link/Sleeper.h"
#include "wall_link/WallCommands.h"
#include "wall_link/WallSink.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kMaroon(128, 0, 0);

void paint(QWidget* w, QPalette::ColorRole role, bool bold)
{
    QPalette pal = w->palette();
    pal.setColor(role, kMaroon);
    w->setPalette(pal);
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

// One score row of a group box: home panel and arrows, gap, guest panel and arrows.
QGroupBox* scoreRow(QWidget* parent, const QString& caption, QLabel* home, QSpinBox* homeUd, QLabel* guest,
                    QSpinBox* guestUd)
{
    auto* box = new QGroupBox(caption, parent);
    auto* row = new QHBoxLayout(box);
    row->setSpacing(0);
    row->addStretch();
    row->addWidget(home);
    row->addWidget(homeUd);
    row->addSpacing(44);
    row->addWidget(guest);
    row->addWidget(guestUd);
    row->addStretch();
    return box;
}

} // namespace

TFormSpielUndSatz::TFormSpielUndSatz(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent)
    : TScorePage(wall, QStringLiteral("TFormSpielUndSatz"), QStringLiteral("Spiel-/Satzstand"), {20, 99}, parent),
      m_media(media), m_report(report)
{
    using namespace pagewidgets;

    // Names and games in bold maroon, sets in plain maroon.
    for (QLineEdit* e : {m_edVereinLinks, m_edVereinRechts}) {
        paint(e, QPalette::Text, true);
        e->setFixedWidth(150);
    }
    for (QLabel* p : {m_pnToreLeft, m_pnToreRight})
        paint(p, QPalette::WindowText, true);
    m_pnSatzLeft = scorePanel(this, QStringLiteral("PnSatzLeft"), 26);
    m_pnSatzRight = scorePanel(this, QStringLiteral("PnSatzRight"), 26);
    m_udSatzLeft = upDown(this, QStringLiteral("UDSatzLeft"), 999);
    m_udSatzRight = upDown(this, QStringLiteral("UDSatzRight"), 999);
    for (QLabel* p : {m_pnSatzLeft, m_pnSatzRight}) {
        paint(p, QPalette::WindowText, false);
        p->setFixedSize(110, 52);
    }
    for (QSpinBox* ud : {m_udSatzLeft, m_udSatzRight})
        ud->setFixedHeight(52);

    auto* teams = new QGroupBox(QStringLiteral("Mannschaften:"), this);
    auto* teamsRow = new QHBoxLayout(teams);
    teamsRow->addLayout(nameColumn(m_edVereinLinks));
    teamsRow->addSpacing(12);
    teamsRow->addLayout(nameColumn(m_edVereinRechts));
    QGroupBox* sets =
        scoreRow(this, QStringLiteral("Satzstand:"), m_pnSatzLeft, m_udSatzLeft, m_pnSatzRight, m_udSatzRight);
    QGroupBox* games =
        scoreRow(this, QStringLiteral("Spielstand:"), m_pnToreLeft, m_udToreLinks, m_pnToreRight, m_udToreRechts);

    // The preview area: black, holding the picture and the video surface, one of them shown at a time.
    QFrame* preview = mediawindow::blackFrame(this, QStringLiteral("PnPreview"));
    preview->setFixedSize(204, 156);
    m_picture = new TImage(preview);
    m_picture->setObjectName(QStringLiteral("ImJpgSatzUndSpiel"));
    m_videoSurface = mediawindow::videoSurface(preview, QStringLiteral("PnVideoSatzUndSpiel"));
    auto* previewLayout = new QGridLayout(preview);
    previewLayout->setContentsMargins(2, 2, 2, 2);
    previewLayout->addWidget(m_picture, 0, 0);
    previewLayout->addWidget(m_videoSurface, 0, 0);
    m_videoSurface->hide();

    auto* actionLabel = new QLabel(QStringLiteral("Aktion:"), this);
    m_cbImageAction = new QComboBox(this);
    m_cbImageAction->setObjectName(QStringLiteral("CBImageAction"));
    m_cbImageAction->addItems({QStringLiteral("1: Bild löschen"), QStringLiteral("2: Video löschen"),
                               QStringLiteral("3: Bild laden"), QStringLiteral("4. Bild anzeigen"),
                               QStringLiteral("5: Video laden"), QStringLiteral("6: Video anzeigen")});
    m_cbImageAction->setCurrentIndex(0);
    actionLabel->setBuddy(m_cbImageAction);
    m_sbDoImage = button(this, QStringLiteral("SBDoImage"), QStringLiteral("Ausführen"), QStringLiteral("Ausführen"));
    auto* actionRow = new QHBoxLayout;
    actionRow->addWidget(m_cbImageAction, 1);
    actionRow->addWidget(m_sbDoImage);

    auto* mediaColumn = new QVBoxLayout;
    mediaColumn->addWidget(preview);
    mediaColumn->addSpacing(4);
    mediaColumn->addWidget(actionLabel);
    mediaColumn->addLayout(actionRow);
    mediaColumn->addStretch();

    auto* scoreColumn = new QVBoxLayout;
    scoreColumn->addWidget(teams);
    scoreColumn->addWidget(sets);
    scoreColumn->addWidget(games);

    QToolButton* erase =
        button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"), QStringLiteral("Anzeigetafel löschen"));
    m_sbSend = button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(erase);
    bar->addStretch();
    bar->addWidget(m_sbSend);

    auto* top = new QHBoxLayout;
    top->addLayout(scoreColumn);
    top->addSpacing(8);
    top->addLayout(mediaColumn);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(bar);
    fixFrame();

    connect(m_sbSend, &QToolButton::clicked, this, &TFormSpielUndSatz::SBSendClick);
    connect(erase, &QToolButton::clicked, this, &TFormSpielUndSatz::SBEraseClick);
    connect(m_sbDoImage, &QToolButton::clicked, this, &TFormSpielUndSatz::SBDoImageClick);
    connect(m_udSatzLeft, &QSpinBox::valueChanged, this, &TFormSpielUndSatz::UDSatzLeftChangingEx);
    connect(m_udSatzRight, &QSpinBox::valueChanged, this, &TFormSpielUndSatz::UDSatzRightChangingEx);
    for (QSpinBox* ud : {m_udSatzLeft, m_udSatzRight})
        connect(ud, &QSpinBox::valueChanged, this, &TFormSpielUndSatz::matchStateChanged);
    finishPage(m_sbSend, erase, m_edVereinLinks);
}

std::pair<int, int> TFormSpielUndSatz::sets() const
{
    return {m_udSatzLeft->value(), m_udSatzRight->value()};
}

void TFormSpielUndSatz::setSets(int home, int guest)
{
    m_udSatzLeft->setValue(home);
    m_udSatzRight->setValue(guest);
}

void TFormSpielUndSatz::SBSendClick()
{
    m_wall.send(held().bodies);
}

TUnsentChanges::Held TFormSpielUndSatz::held() const
{
    return {wallcmd::setsShow(m_edVereinLinks->text(), m_edVereinRechts->text(), m_udToreLinks->value(),
                              m_udToreRechts->value(), m_udSatzLeft->value(), m_udSatzRight->value()),
            {}};
}

void TFormSpielUndSatz::UDSatzLeftChangingEx(int value)
{
    m_pnSatzLeft->setText(QString::number(value));
}

void TFormSpielUndSatz::UDSatzRightChangingEx(int value)
{
    m_pnSatzRight->setText(QString::number(value));
}

void TFormSpielUndSatz::FormShow()
{
    if (m_cbImageAction->currentIndex() < 0)
        m_cbImageAction->setCurrentIndex(0);
}

void TFormSpielUndSatz::SBDoImageClick()
{
    switch (static_cast<ImageAction>(m_cbImageAction->currentIndex())) {
    case ImageAction::ErasePicture:
    case ImageAction::EraseVideo:
        clearMedia();
        break;
    case ImageAction::LoadPicture:
        loadPicture();
        break;
    case ImageAction::ShowPicture:
        showPicture();
        break;
    case ImageAction::LoadVideo:
        loadVideo();
        break;
    case ImageAction::ShowVideo:
        showVideo();
        break;
    }
}

void TFormSpielUndSatz::clearMedia()
{
    m_picture->setPicture({});
    m_picture->hide();
    m_videoSurface->hide();
    m_media.Preview.stopQuietly();
    m_wall.send(wallcmd::setsClearMedia());
}

void TFormSpielUndSatz::loadPicture()
{
    m_picture->setPicture({});
    m_picture->show();
    m_videoSurface->hide();
    m_media.Preview.stopQuietly();
    // An unreadable picture ends the step before the list moves on.
    if (m_report.run([this] { mediapage::loadPicture(m_media.Open, *m_picture, this); }))
        selectAction(ImageAction::ShowPicture);
}

void TFormSpielUndSatz::showPicture()
{
    // Only the upload: the wall server puts the picture into the page's media area.
    holdWhileUploading(true);
    mediapage::uploadPicture(m_wall, m_media, m_report, *m_picture, this, [this] { holdWhileUploading(false); });
}

void TFormSpielUndSatz::loadVideo()
{
    m_picture->hide();
    m_videoSurface->show();
    bool chosen = true; // a failed copy comes after the choice
    const bool done = m_report.run([this, &chosen] {
        chosen = mediapage::openVideo(m_media, m_media.Open, m_videoSurface, m_videoCopyPath, this);
    });
    if (chosen)
        m_picture->setPicture({});
    if (done)
        selectAction(ImageAction::ShowVideo);
}

void TFormSpielUndSatz::showVideo()
{
    m_media.Preview.stopQuietly();
    holdWhileUploading(true);
    m_media.sleeper().Sleep(kVideoPauseMs);
    mediapage::showVideo(
        m_wall, m_media, m_report, m_videoCopyPath, this, [this] { holdWhileUploading(false); },
        wallcmd::setsVideoPrelude());
}

void TFormSpielUndSatz::holdWhileUploading(bool hold)
{
    m_sbSend->setEnabled(!hold);
    m_sbDoImage->setEnabled(!hold);
}

void TFormSpielUndSatz::selectAction(ImageAction action)
{
    m_cbImageAction->setCurrentIndex(static_cast<int>(action));
}
