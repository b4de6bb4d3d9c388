#include "media/MediaPages.h"

#include "media/Image.h"
#include "media/MediaModule.h"
#include "media/OpenDialog.h"
#include "shell/ErrorReport.h"
#include "shell/OperatorError.h"
#include "wall_link/WallSink.h"

#include <QApplication>
#include <QFileInfo>

namespace mediapage {

namespace {

// The hourglass while files are read or copied, restored however the action ends.
class WaitCursor final
{
    Q_DISABLE_COPY_MOVE(WaitCursor)
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The end of an upload: a failure goes to report, a success runs arrived; then the window's own ending.
TMediaUpload::Done reportThen(ErrorReport& report, UploadEnded ended, std::function<void()> arrived = {})
{
    return [&report, ended = std::move(ended), arrived = std::move(arrived)](const QString& error) {
        if (!error.isEmpty())
            report.report(error);
        else if (arrived)
            report.run(arrived);
        if (ended)
            ended();
    };
}

void sendPicture(WallSink& wall, TMediaModule& media, const TImage& image, const QObject* context,
                 TMediaUpload::Done done)
{
    media.Upload.SendStreamTo(wall.address(), image.picture(), TMediaUpload::kPictureName, image.jpegFile(), context,
                              std::move(done));
}

// Replaces the last extension (or appends one).
QString withJpgExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return (dot > slash ? path.left(dot) : path) + QStringLiteral(".jpg");
}

} // namespace

QString pictureFile(const QString& chosen)
{
    static const QStringList kJpegSuffixes{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                                           QStringLiteral("jfif")};
    const QFileInfo info(chosen);
    if (kJpegSuffixes.contains(info.suffix(), Qt::CaseInsensitive) && info.isFile())
        return chosen;
    return withJpgExtension(chosen);
}

bool loadPicture(TOpenDialog& open, TImage& image, QWidget* parent)
{
    open.Title = QStringLiteral("Bild öffnen ...");
    open.FileName.clear();
    open.Filter = kPictureFilter;
    if (open.Execute(parent)) {
        const QString chosen = open.FileName;
        open.FileName = pictureFile(chosen);
        if (QFileInfo::exists(open.FileName)) {
            WaitCursor wait;
            image.loadFromFile(open.FileName);
        } else if (QFileInfo(chosen).isFile()) {
            throw OperatorError(
                QStringLiteral("Bild \"%1\" wird nicht geladen: nur JPEG-Dateien (.jpg, .jpeg) können angezeigt "
                               "werden.")
                    .arg(chosen));
        }
    }
    return !open.FileName.isEmpty() && QFileInfo(open.FileName).isFile();
}

void uploadPicture(WallSink& wall, TMediaModule& media, ErrorReport& report, const TImage& image,
                   const QObject* context, UploadEnded ended)
{
    sendPicture(wall, media, image, context, reportThen(report, std::move(ended)));
}

void showPicture(WallSink& wall, TMediaModule& media, ErrorReport& report, const TImage& image, const QObject* context,
                 UploadEnded ended)
{
    sendPicture(wall, media, image, context,
                reportThen(report, std::move(ended), [&wall] { wall.send(wallcmd::pictureShow()); }));
}

bool openVideo(TMediaModule& media, TOpenDialog& open, QWidget* surface, QString& copyPath, QWidget* parent)
{
    open.Title = QStringLiteral("Video öffnen ...");
    open.FileName.clear();
    open.Filter = kVideoFilter;
    if (!open.Execute(parent))
        return false;
    WaitCursor wait;
    media.Preview.stopQuietly();
    copyPath = TMediaUpload::videoCopyPath(open.FileName);
    TMediaUpload::stage(open.FileName, copyPath);
    try {
        media.Preview.LoadVideo(copyPath, surface);
        media.Preview.PlayVideo(surface);
    } catch (...) {
        // No preview: the copy is staged all the same and can be shown on the wall.
    }
    return true;
}

bool showVideo(WallSink& wall, TMediaModule& media, ErrorReport& report, const QString& copyPath,
               const QObject* context, UploadEnded ended, const wallcmd::Bodies& pageBodies)
{
    if (copyPath.isEmpty() || !QFileInfo(copyPath).isFile()) {
        if (ended)
            ended();
        return false;
    }
    wall.send(pageBodies);
    media.Upload.SendVideoTo(wall.address(), copyPath, context, reportThen(report, std::move(ended)));
    return true;
}

void liveVideo(WallSink& wall, TMediaModule& media)
{
    media.Preview.stopQuietly();
    wall.send(wallcmd::liveVideoShow());
}

void camera(WallSink& wall, TMediaModule& media)
{
    media.Preview.stopQuietly();
    wall.send(wallcmd::cameraShow());
}

} // namespace mediapage
