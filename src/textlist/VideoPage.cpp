#include "textlist/VideoPage.h"

#include "media/MediaModule.h"
#include "media/MediaPages.h"
#include "media/MediaWindow.h"
#include "pages/PageForm.h"
#include "shell/ErrorReport.h"
#include "textlist/TextlistWidgets.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using textlist::named;

TVideoPage::TVideoPage(WallSink& wall, TMediaModule& media, TOpenDialog& open, ErrorReport& report, QWidget* parent)
    : QWidget(parent), m_wall(wall), m_media(media), m_open(open), m_report(report),
      m_stopVideo([&media] { media.Preview.StopVideo(); })
{
    setObjectName(QStringLiteral("TSVideo"));
    auto* openButton = named(new QToolButton(this), QStringLiteral("SBOpenVideo"));
    openButton->setToolTip(QStringLiteral("Video öffnen"));
    openButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    auto* title = named(new QLabel(QStringLiteral("Video anzeigen"), this), QStringLiteral("Label5"));
    m_surface = named(new QWidget(this), QStringLiteral("PnVideo"));
    textlist::setFill(m_surface, Qt::black);
    m_showVideo = pagewidgets::button(this, QStringLiteral("SBShowVideo"), QStringLiteral("Anzeigen"),
                                      QStringLiteral("Video anzeigen"));
    m_showVideo->setEnabled(false);
    QToolButton* live = pagewidgets::button(this, QStringLiteral("SBLive"), QStringLiteral("LiveVideo"),
                                            QStringLiteral("Videograbber am Server"));
    QToolButton* camera = pagewidgets::button(this, QStringLiteral("SBShowMJPEG"), QStringLiteral("MJPEG LiveCam"),
                                              QStringLiteral("MJPEG- Kamera am Server"));
    auto* latching = new QButtonGroup(this);
    for (QToolButton* b : {live, camera}) {
        b->setCheckable(true);
        latching->addButton(b);
    }
    m_progress = named(new QProgressBar(this), QStringLiteral("PBarVideo"));
    m_progress->setTextVisible(false);

    QToolButton* cancel = mediawindow::cancelButton(this, QStringLiteral("SBCancelVideo"));
    QWidget* bottom = mediawindow::row(this, {live, camera}, {m_showVideo});
    media.Progress.addUploadControls(cancel, {bottom});

    auto* top = new QHBoxLayout;
    top->addWidget(openButton);
    top->addWidget(title, 1);
    auto* barRow = new QHBoxLayout;
    barRow->addWidget(m_progress, 1);
    barRow->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(m_surface, 1);
    column->addLayout(barRow);
    column->addWidget(bottom);

    connect(openButton, &QToolButton::clicked, this, &TVideoPage::SBOpenVideoClick);
    connect(m_showVideo, &QToolButton::clicked, this, &TVideoPage::SBShowVideoClick);
    connect(live, &QToolButton::clicked, this, &TVideoPage::SBLiveClick);
    connect(camera, &QToolButton::clicked, this, &TVideoPage::SBShowMJPEGClick);
}

void TVideoPage::stopVideo()
{
    if (!m_stopVideo)
        return;
    try {
        m_stopVideo();
    } catch (...) {
        // A preview that cannot be stopped must not keep the operator from switching pages.
    }
}

void TVideoPage::showVideo(const QString& path)
{
    m_showVideo->setEnabled(false);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    m_media.Preview.stopQuietly();
    Q_EMIT showRequested();
    m_videoCopyPath = TMediaUpload::videoCopyPath(path);
    if (!m_report.run([&] { TMediaUpload::stage(path, m_videoCopyPath); }))
        return;
    try {
        m_media.Preview.LoadVideo(m_videoCopyPath, m_surface);
        m_media.Preview.PlayVideo(m_surface);
        m_showVideo->setEnabled(true);
    } catch (...) {
        // Without a preview the operator cannot check the video; the button stays off.
    }
}

void TVideoPage::SBOpenVideoClick()
{
    const bool wasEnabled = m_showVideo->isEnabled();
    m_showVideo->setEnabled(false);
    bool chosen = false;
    if (!m_report.run([&] { chosen = mediapage::openVideo(m_media, m_open, m_surface, m_videoCopyPath, window()); }))
        return; // the copy failed: nothing new to show
    if (chosen)
        m_showVideo->setEnabled(QFileInfo(m_videoCopyPath).isFile());
    else
        m_showVideo->setEnabled(wasEnabled);
}

void TVideoPage::SBShowVideoClick()
{
    stopVideo();
    m_showVideo->setEnabled(false);
    // Without a staged copy nothing goes out and there stays nothing to show; a failed upload may be retried.
    const bool ran = QFileInfo(m_videoCopyPath).isFile();
    mediapage::showVideo(m_wall, m_media, m_report, m_videoCopyPath, this,
                         [this, ran] { m_showVideo->setEnabled(ran); });
}

void TVideoPage::TSVideoShow()
{
    m_showVideo->setEnabled(QFileInfo(m_videoCopyPath).isFile());
}

void TVideoPage::SBLiveClick()
{
    mediapage::liveVideo(m_wall, m_media);
}

void TVideoPage::SBShowMJPEGClick()
{
    mediapage::camera(m_wall, m_media);
}
