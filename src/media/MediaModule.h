#pragma once

#include "media/MediaUpload.h"
#include "media/OpenDialog.h"
#include "media/QtMediaPlayer.h"
#include "media/UploadProgress.h"
#include "media/VideoPreview.h"

class TSleeper;
struct Ports;

// The media parts the windows share: the upload with its FTP client, the progress display on the
// windows' bars, the one local video preview, and the open dialog the picture and video windows share.
class TMediaModule final
{
    Q_DISABLE_COPY_MOVE(TMediaModule)
public:
    // Both references are only stored: they may name members of an owner still being built.
    TMediaModule(TSleeper& sleeper, const Ports& ports)
        : Upload(ports), Preview(Player), Progress(Upload), m_sleeper(sleeper)
    {}

    // The wait for pages that pause before an upload.
    TSleeper& sleeper() const { return m_sleeper; }

    TMediaUpload Upload;
    TQtMediaPlayer Player;
    TVideoPreview Preview;
    TUploadProgress Progress;
    TOpenDialog Open;

private:
    TSleeper& m_sleeper;
};
