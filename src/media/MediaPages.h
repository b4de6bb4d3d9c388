#pragma once

#include "wall_link/WallCommands.h"

#include <QString>

#include <functional>

class ErrorReport;
class QObject;
class QWidget;
class TMediaModule;
class TImage;
class TOpenDialog;
class WallSink;

// The actions behind the picture and video buttons, shared by every window that offers them. File
// errors are thrown (OperatorError) for the caller's error report; uploads run on while the event loop
// goes on and report their own failure; preview errors are swallowed here. Buttons, their enabled state
// and latching stay with the window.
namespace mediapage {

// What a window does once its upload has ended, whatever the outcome (a failure is reported by then).
using UploadEnded = std::function<void()>;

inline const QString kPictureFilter = QStringLiteral("Bilder *.jpg|*.jpg");
inline const QString kVideoFilter = QStringLiteral("Videos *.*|*.*");

// The picture file for a chosen name: the name itself when it is a JPEG file (.jpg, .jpeg, .jpe, .jfif
// in any case), else the same name with the extension ".jpg".
QString pictureFile(const QString& chosen);
// Asks for a picture and loads it into image. The chosen name, as pictureFile() gives it, is kept as the
// dialog's file name (empty after "cancel"); a name that does not exist leaves the image as it was,
// reported when the operator chose an existing file that is not a JPEG. True when the dialog's file
// name names an existing file.
bool loadPicture(TOpenDialog& open, TImage& image, QWidget* parent = nullptr);
// Uploads the image as "BrisalClient.jpg" to the wall computer; a failure goes to report. ended runs once
// the upload has ended, unless context is gone by then.
void uploadPicture(WallSink& wall, TMediaModule& media, ErrorReport& report, const TImage& image,
                   const QObject* context, UploadEnded ended);
// The same, and only once the picture has arrived, switches the wall to the picture page.
void showPicture(WallSink& wall, TMediaModule& media, ErrorReport& report, const TImage& image, const QObject* context,
                 UploadEnded ended);

// Asks for a video, stops the preview, stages the chosen file as copyPath (set before the copy, which
// removes the older staged file, so a failed copy leaves copyPath naming no file) and plays it in
// surface. False after "cancel".
bool openVideo(TMediaModule& media, TOpenDialog& open, QWidget* surface, QString& copyPath, QWidget* parent = nullptr);
// Sends pageBodies (by default: switch the wall to the video page) and uploads copyPath, when that file
// exists; returns whether it did. ended runs as for pictures, and at once when nothing went up. The
// caller stops the preview first.
bool showVideo(WallSink& wall, TMediaModule& media, ErrorReport& report, const QString& copyPath,
               const QObject* context, UploadEnded ended, const wallcmd::Bodies& pageBodies = wallcmd::videoShow());
// The wall's video grabber and its network camera: the preview stops, nothing is uploaded.
void liveVideo(WallSink& wall, TMediaModule& media);
void camera(WallSink& wall, TMediaModule& media);

} // namespace mediapage
