#pragma once

#include "wall_link/WallCommands.h"

#include <QString>

class QWidget;
class TMediaModule;
class TImage;
class TOpenDialog;
class WallSink;

// The actions behind the picture and video buttons, shared by every window that offers them. Uploads
// and file errors are thrown (OperatorError) for the caller's error report; preview errors are swallowed
// here. Buttons, their enabled state and latching stay with the window.
namespace mediapage {

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
// Uploads the image as "BrisalClient.jpg" to the wall computer.
void uploadPicture(WallSink& wall, TMediaModule& media, const TImage& image);
// Uploads the image, then switches the wall to the picture page.
void showPicture(WallSink& wall, TMediaModule& media, const TImage& image);

// Asks for a video, stops the preview, stages the chosen file as copyPath (set before the copy, which
// removes the older staged file, so a failed copy leaves copyPath naming no file) and plays it in
// surface. False after "cancel".
bool openVideo(TMediaModule& media, TOpenDialog& open, QWidget* surface, QString& copyPath, QWidget* parent = nullptr);
// Sends pageBodies (by default: switch the wall to the video page) and uploads copyPath, when that file
// exists; returns whether it did. The caller stops the preview first.
bool showVideo(WallSink& wall, TMediaModule& media, const QString& copyPath,
               const wallcmd::Bodies& pageBodies = wallcmd::videoShow());
// The wall's video grabber and its network camera: the preview stops, nothing is uploaded.
void liveVideo(WallSink& wall, TMediaModule& media);
void camera(WallSink& wall, TMediaModule& media);

} // namespace mediapage
