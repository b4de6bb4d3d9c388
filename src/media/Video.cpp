#include "media/Video.h"

#include "media/MediaModule.h"
#include "media/MediaPages.h"
#include "media/MediaWindow.h"
#include "pages/PageKeys.h"
#include "shell/ErrorReport.h"
#include "shell/PageGlyphs.h"
#include "wall_link/WallCommands.h"

#include <QFileInfo>
#include <QFrame>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

TFormVideo::TFormVideo(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent)
    : TPageForm(wall, QStringLiteral("TFormVideo"), QStringLiteral("Video anzeigen"), parent), m_media(media),
      m_report(report)
{
    QToolButton* open = mediawindow::openButton(this, QStringLiteral("SBOpenVideo"), QStringLiteral("Bild öffnen"));

    QFrame* frame = mediawindow::blackFrame(this, QStringLiteral("PnPicture"));
    m_surface = mediawindow::videoSurface(frame, QStringLiteral("PnVideo"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(m_surface);

    QProgressBar* bar = mediawindow::progressBar(this, QStringLiteral("PBarVideo"));

    QToolButton* erase = pagewidgets::button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"),
                                             QStringLiteral("Anzeigetafel löschen"));
    QToolButton* live = mediawindow::iconButton(this, QStringLiteral("SBLive"), pageGlyph(PageGlyph::LiveVideo),
                                                QStringLiteral("Videograbber am Server"));
    QToolButton* camera = mediawindow::iconButton(this, QStringLiteral("SBShowMJPEG"), pageGlyph(PageGlyph::Camera),
                                                  QStringLiteral("MJPEG- Kamera am Server"));
    m_sbSend = pagewidgets::button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"));
    m_sbSend->setIcon(pageGlyph(PageGlyph::Video));
    mediawindow::assemble(this, media.Progress, open, QStringLiteral("Video anzeigen"), frame, bar, erase,
                          {live, camera, m_sbSend});

    connect(open, &QToolButton::clicked, this, &TFormVideo::SBOpenVideoClick);
    connect(m_sbSend, &QToolButton::clicked, this, &TFormVideo::SBSendClick);
    connect(erase, &QToolButton::clicked, this, &TFormVideo::SBEraseClick);
    connect(live, &QToolButton::clicked, this, &TFormVideo::SBLiveClick);
    connect(camera, &QToolButton::clicked, this, &TFormVideo::SBShowMJPEGClick);
    pagekeys::bindButton(this, shortcuts::Action::Open, open);
    finishPage(m_sbSend, erase, open);
}

void TFormVideo::SBOpenVideoClick()
{
    m_report.run([this] {
        if (mediapage::openVideo(m_media, m_media.Open, m_surface, m_videoCopyPath, this))
            ++m_videosOpened;
    });
    contentChanged();
}

TUnsentChanges::Held TFormVideo::held() const
{
    if (!QFileInfo::exists(m_videoCopyPath))
        return {};
    return {wallcmd::videoShow(), QByteArray::number(m_videosOpened)};
}

void TFormVideo::SBSendClick()
{
    m_media.Preview.stopQuietly();
    m_sbSend->setEnabled(false);
    mediapage::showVideo(m_wall, m_media, m_report, m_videoCopyPath, this, [this] {
        m_sbSend->setEnabled(true);
        pagewidgets::release(m_sbSend);
    });
}

void TFormVideo::SBEraseClick()
{
    TPageForm::SBEraseClick();
    m_media.Preview.stopQuietly();
}

void TFormVideo::SBLiveClick()
{
    mediapage::liveVideo(m_wall, m_media);
}

void TFormVideo::SBShowMJPEGClick()
{
    mediapage::camera(m_wall, m_media);
}

void TFormVideo::FormHide()
{
    // The rest of a video on its way is of no use to a blank wall.
    if (m_media.Upload.runsFor(this))
        m_media.Upload.cancel();
    SBEraseClick();
    pagewidgets::release(m_sbSend);
}
