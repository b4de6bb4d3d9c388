// Takes the documentation screenshots of the picture, video and game-and-set windows: run it on an X display (a video
// widget shows its frames only in a real screen grab) with the output folder as argument.
#include "MjpegAvi.h"
#include "media/Image.h"
#include "media/JpgPicture.h"
#include "media/MediaModule.h"
#include "media/Video.h"
#include "pages/SpielUndSatz.h"
#include "shell/ErrorReport.h"
#include "support/RecordingWallSink.h"
#include "support/ScreenShot.h"
#include "wall_link/Ports.h"
#include "wall_link/Sleeper.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool shoot(QWidget& window, const QString& file)
{
    QTest::qWait(800);
    return testsupport::shootWindow(window, file);
}

QImage samplePicture()
{
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 400);
    sky.setColorAt(0, QColor(30, 90, 170));
    sky.setColorAt(1, QColor(150, 200, 240));
    p.fillRect(image.rect(), sky);
    p.fillRect(0, 280, 640, 120, QColor(40, 140, 60));
    p.setPen(QPen(Qt::white, 4));
    p.drawRect(60, 300, 520, 80);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Bold));
    p.drawText(QRect(0, 60, 640, 120), Qt::AlignCenter, QStringLiteral("Stadion"));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = testsupport::screenshotFolder(argc, argv);
    if (out.isEmpty())
        return 2;
    QTemporaryDir work;
    qputenv("TMPDIR", QFile::encodeName(work.path()));
    RecordingReport report;
    Ports ports;
    RecordingWallSink wall;
    TSleeper sleeper;
    TMediaModule media(sleeper, ports);

    TFormJpg jpg(wall, media, report);
    const QString picture = work.filePath(QStringLiteral("Stadion.jpg"));
    samplePicture().save(picture, "JPG");
    media.Open.chooser = [&](const TOpenDialog&) { return picture; };
    jpg.move(40, 40);
    jpg.show();
    jpg.SBLoadPictureClick();
    bool ok = shoot(jpg, out + QStringLiteral("/page-jpg.png"));
    jpg.hide();

    TFormVideo video(wall, media, report);
    const QString clip = work.filePath(QStringLiteral("Clip.avi"));
    QFile f(clip);
    if (!f.open(QIODevice::WriteOnly) || f.write(mjpegavi::make(QSize(320, 240), 100, 10)) < 0)
        return 1;
    f.close();
    media.Open.chooser = [&](const TOpenDialog&) { return clip; };
    video.move(40, 40);
    video.show();
    video.SBOpenVideoClick();
    ok = shoot(video, out + QStringLiteral("/page-video.png")) && ok;
    video.hide();

    TFormSpielUndSatz sets(wall, media, report);
    media.Open.chooser = [&](const TOpenDialog&) { return picture; };
    sets.findChild<QLineEdit*>(QStringLiteral("EdVereinLinks"))->setText(QStringLiteral("TV Süd"));
    sets.findChild<QLineEdit*>(QStringLiteral("EdVereinRechts"))->setText(QStringLiteral("Blau-Weiß Nord"));
    sets.findChild<QSpinBox*>(QStringLiteral("UDSatzLeft"))->setValue(2);
    sets.findChild<QSpinBox*>(QStringLiteral("UDSatzRight"))->setValue(1);
    sets.findChild<QSpinBox*>(QStringLiteral("UDToreLinks"))->setValue(21);
    sets.findChild<QSpinBox*>(QStringLiteral("UDToreRechts"))->setValue(18);
    sets.findChild<QComboBox*>(QStringLiteral("CBImageAction"))
        ->setCurrentIndex(static_cast<int>(TFormSpielUndSatz::ImageAction::LoadPicture));
    sets.move(40, 40);
    sets.show();
    sets.SBDoImageClick();
    ok = shoot(sets, out + QStringLiteral("/page-spielundsatz.png")) && ok;
    sets.hide();
    return ok && report.entries.isEmpty() ? 0 : 1;
}
