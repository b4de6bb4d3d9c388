#include "textlist/PicturePage.h"

#include "media/Image.h"
#include "media/MediaModule.h"
#include "media/MediaPages.h"
#include "media/MediaWindow.h"
#include "media/OpenDialog.h"
#include "pages/PageForm.h"
#include "shell/ErrorReport.h"
#include "textlist/TextlistWidgets.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using textlist::named;

TPicturePage::TPicturePage(WallSink& wall, TMediaModule& media, TOpenDialog& open, ErrorReport& report, QWidget* parent)
    : QWidget(parent), m_wall(wall), m_media(media), m_open(open), m_report(report)
{
    setObjectName(QStringLiteral("TSBild"));
    auto* load = named(new QToolButton(this), QStringLiteral("SBLoadPicture"));
    load->setToolTip(QStringLiteral("Bild öffnen"));
    load->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    auto* title = named(new QLabel(QStringLiteral("Bild (JPG) anzeigen"), this), QStringLiteral("Label6"));
    auto* frame = named(new QWidget(this), QStringLiteral("PnPicture"));
    textlist::setFill(frame, Qt::black);
    m_picture = named(new TImage(frame), QStringLiteral("ImShowPicture"));
    (new QVBoxLayout(frame))->addWidget(m_picture);
    m_showPicture = pagewidgets::button(this, QStringLiteral("SBShowPicture"), QStringLiteral("Anzeigen"),
                                        QStringLiteral("Bild anzeigen"));
    m_showPicture->setEnabled(false);
    m_progress = named(new QProgressBar(this), QStringLiteral("PBar"));
    m_progress->setTextVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(load);
    top->addWidget(title, 1);
    QToolButton* cancel = mediawindow::cancelButton(this, QStringLiteral("SBCancelPicture"));
    QWidget* held = mediawindow::row(this, {}, {m_showPicture});
    media.Progress.addUploadControls(cancel, {held});

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(cancel);
    bottom->addWidget(held);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(frame, 1);
    column->addLayout(bottom);

    connect(load, &QToolButton::clicked, this, &TPicturePage::SBLoadPictureClick);
    connect(m_showPicture, &QToolButton::clicked, this, &TPicturePage::SBShowPictureClick);
}

void TPicturePage::showPicture(const QString& path)
{
    m_holdsPicture = false;
    m_showPicture->setEnabled(false);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    Q_EMIT showRequested();
    m_report.run([&] {
        m_picture->loadFromFile(path);
        m_holdsPicture = true;
        m_showPicture->setEnabled(true);
    });
}

void TPicturePage::SBLoadPictureClick()
{
    bool exists = false;
    // An unreadable picture ends the action; the button keeps its state.
    if (m_report.run([&] { exists = mediapage::loadPicture(m_open, *m_picture, window()); })) {
        m_holdsPicture = exists && !m_picture->picture().isNull();
        m_showPicture->setEnabled(m_holdsPicture);
    }
}

void TPicturePage::SBShowPictureClick()
{
    // Disabled while the upload runs, so that it cannot be started twice.
    m_showPicture->setEnabled(false);
    mediapage::showPicture(m_wall, m_media, m_report, *m_picture, this,
                           [this] { m_showPicture->setEnabled(m_holdsPicture); });
}

void TPicturePage::TSBildShow()
{
    m_showPicture->setEnabled(m_holdsPicture);
}
