#pragma once

#include "media/FtpClient.h"

#include <QObject>
#include <QString>

class QImage;
class TSleeper;
struct Ports;

// Puts pictures and videos on the wall computer. Every file goes first into the staging directory (the
// platform's folder for temporary files) under its upload name, so the remote name is always the local
// file name. An upload blocks the caller from connect to disconnect; only the short waits before it and
// at the end of the transfer let window events run.
//
// Errors (missing file, no server, refused log-in, failed transfer, unwritable file) are thrown as
// OperatorError to the caller.
class TMediaUpload final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMediaUpload)
public:
    // ports.ftp is read at every upload; the references must outlive this object.
    TMediaUpload(TSleeper& sleeper, const Ports& ports, QObject* parent = nullptr);

    static constexpr int kWaitBeforeUploadMs = 200;
    static inline const QString kPictureName = QStringLiteral("BrisalClient.jpg");

    // The staging directory, with a trailing '/'.
    static QString stagingDirectory();
    // Staging path of a video: "BrisalClient" plus the chosen file's extension with its dot (none if it
    // has none).
    static QString videoCopyPath(const QString& chosenFile);

    // Stages the picture under remoteName in the staging directory and uploads it to address: jpegFile,
    // the bytes of the JPEG file the picture came from, as they are; without them image, encoded as a
    // JPEG of quality kJpegQuality. A name not ending in ".jpg" (any case) does nothing at all. The file an
    // earlier call staged is removed first, so an image without a picture uploads nothing and throws.
    void SendStreamTo(const QString& address, const QImage& image, const QString& remoteName,
                      const QByteArray& jpegFile = {});
    static constexpr int kJpegQuality = 95;
    // Uploads the file at path under its own file name.
    void SendVideoTo(const QString& address, const QString& path);
    // Copies source to destination, replacing it only once the whole copy is written.
    static void CopyStreamedFile(const QString& source, const QString& destination);
    // Stages source as staged: the older staged file goes first, so a failed copy leaves nothing that a
    // later "Anzeigen" could take for the operator's choice.
    static void stage(const QString& source, const QString& staged);

    // The file the last upload sent (or tried to).
    const QString& pendingUploadPath() const { return m_pendingUploadPath; }

    TFtpClient Ftp;

Q_SIGNALS:
    // Around each transfer to the wall computer: the file, and at the end the error text (empty when it
    // arrived).
    void uploadStarted(const QString& path, const QString& address);
    void uploadEnded(const QString& path, const QString& error);

private:
    void uploadRun(const QString& address);

    TSleeper& m_sleeper;
    const Ports& m_ports;
    QString m_pendingUploadPath;
};
