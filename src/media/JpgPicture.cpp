#include "media/JpgPicture.h"

#include "media/Image.h"
#include "media/MediaModule.h"
#include "media/MediaPages.h"
#include "media/MediaWindow.h"
#include "pages/PageKeys.h"
#include "shell/ErrorReport.h"
#include "shell/PageGlyphs.h"
#include "wall_link/WallCommands.h"

#include <QFrame>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

TFormJpg::TFormJpg(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent)
    : TPageForm(wall, QStringLiteral("TFormJpg"), QStringLiteral("Bild (JPG) anzeigen"), parent), m_media(media),
      m_report(report)
{
    QToolButton* load = mediawindow::openButton(this, QStringLiteral("SBLoadPicture"), QStringLiteral("Bild öffnen"));

    QFrame* frame = mediawindow::blackFrame(this, QStringLiteral("PnPicture"));
    m_picture = new TImage(frame);
    m_picture->setObjectName(QStringLiteral("ImShowPicture"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(m_picture);

    QProgressBar* bar = mediawindow::progressBar(this, QStringLiteral("PBar"));

    QToolButton* erase = pagewidgets::button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"),
                                             QStringLiteral("Anzeigetafel löschen"));
    QToolButton* live = pagewidgets::button(this, QStringLiteral("SBLive"), QStringLiteral("LiveVideo"),
                                            QStringLiteral("Videograbber am Server"));
    live->setIcon(pageGlyph(PageGlyph::LiveVideo));
    m_sbSend = pagewidgets::button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"));
    m_sbSend->setIcon(pageGlyph(PageGlyph::Picture));
    m_sbSend->setEnabled(false); // nothing to show before a picture is loaded here
    mediawindow::assemble(this, media.Progress, load, QStringLiteral("Bild (JPG) anzeigen"), frame, bar, erase,
                          {live, m_sbSend});

    connect(load, &QToolButton::clicked, this, &TFormJpg::SBLoadPictureClick);
    connect(m_sbSend, &QToolButton::clicked, this, &TFormJpg::SBSendClick);
    connect(erase, &QToolButton::clicked, this, &TFormJpg::SBEraseClick);
    connect(live, &QToolButton::clicked, this, &TFormJpg::SBLiveClick);
    pagekeys::bindButton(this, shortcuts::Action::Open, load);
    finishPage(m_sbSend, erase, load);
}

void TFormJpg::SBLoadPictureClick()
{
    m_report.run([this] { mediapage::loadPicture(m_media.Open, *m_picture, this); });
    m_sbSend->setEnabled(!m_picture->picture().isNull());
    contentChanged();
}

TUnsentChanges::Held TFormJpg::held() const
{
    const QImage& picture = m_picture->picture();
    if (picture.isNull())
        return {};
    return {wallcmd::pictureShow(), QByteArray::number(picture.cacheKey())};
}

void TFormJpg::SBSendClick()
{
    m_sbSend->setEnabled(false);
    mediapage::showPicture(m_wall, m_media, m_report, *m_picture, this, [this] {
        m_sbSend->setEnabled(!m_picture->picture().isNull());
        pagewidgets::release(m_sbSend);
    });
}

void TFormJpg::SBLiveClick()
{
    mediapage::liveVideo(m_wall, m_media);
}

void TFormJpg::FormHide()
{
    // A picture still on its way would switch the wall back on after the erase.
    if (m_media.Upload.runsFor(this))
        m_media.Upload.cancel();
    SBEraseClick();
    pagewidgets::release(m_sbSend);
}
