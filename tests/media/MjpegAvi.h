#pragma once

#include <QByteArray>
#include <QSize>

// A small MJPEG video in an AVI file, made in the test so that no video tool is needed: frames of a
// coloured square moving over a dark ground, each frame one JPEG.
namespace mjpegavi {
QByteArray make(QSize size, int frames, int framesPerSecond);
}
