#pragma once

#include "media/FtpClient.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QImage;
struct Ports;

// Puts pictures and videos on the wall computer, one at a time. Every file goes first into the staging
// directory (the platform's folder for temporary files) under its upload name, so the remote name is
// always the local file name. An upload starts kWaitBeforeUploadMs after it was asked for and runs while
// the event loop goes on; the caller hears the outcome through its Done function.
//
// The errors of an upload (missing file, no server, refused log-in, failed or stalled transfer,
// unwritable file, the operator's cancel) reach Done as a German text saying what went wrong and what to
// do; copying and staging throw theirs as OperatorError.
class TMediaUpload final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMediaUpload)
public:
    // ports.ftp is read at every upload; the reference must outlive this object.
    explicit TMediaUpload(const Ports& ports, QObject* parent = nullptr);

    // What the caller does when its upload has ended: error is empty when the file arrived.
    using Done = std::function<void(const QString& error)>;

    static constexpr int kWaitBeforeUploadMs = 200;
    static inline const QString kPictureName = QStringLiteral("BrisalClient.jpg");

    // The staging directory, with a trailing '/'.
    static QString stagingDirectory();
    // Staging path of a video: "BrisalClient" plus the chosen file's extension with its dot (none if it
    // has none).
    static QString videoCopyPath(const QString& chosenFile);

    // Stages the picture under remoteName in the staging directory and uploads it to address: jpegFile,
    // the bytes of the JPEG file the picture came from, as they are; without them image, encoded as a
    // JPEG of quality kJpegQuality. A name not ending in ".jpg" (any case) stages and uploads nothing and
    // tells done at once that all went well. The file an earlier call staged is removed first, so an
    // image without a picture uploads nothing and fails.
    //
    // done runs once, when the upload has ended (at once when it cannot start: staging failed, or
    // another upload runs), unless context is gone by then.
    void SendStreamTo(const QString& address, const QImage& image, const QString& remoteName,
                      const QByteArray& jpegFile, const QObject* context, Done done);
    static constexpr int kJpegQuality = 95;
    // Uploads the file at path under its own file name; done as above.
    void SendVideoTo(const QString& address, const QString& path, const QObject* context, Done done);

    // Ends the running upload, in its wait or its transfer, with the operator's reason.
    void cancel();
    // From the request to the end of an upload.
    bool busy() const { return m_busy; }
    // An upload runs that context asked for.
    bool runsFor(const QObject* context) const { return m_busy && context && m_context == context; }
    // Copies source to destination, replacing it only once the whole copy is written.
    static void CopyStreamedFile(const QString& source, const QString& destination);
    // Stages source as staged: the older staged file goes first, so a failed copy leaves nothing that a
    // later "Anzeigen" could take for the operator's choice.
    static void stage(const QString& source, const QString& staged);

    // The file the last upload sent (or tried to).
    const QString& pendingUploadPath() const { return m_pendingUploadPath; }

    TFtpClient Ftp;

Q_SIGNALS:
    // An upload was asked for (true) or has ended (false).
    void busyChanged(bool busy);
    // Around each transfer to the wall computer: the file, and at the end the error text (empty when it
    // arrived).
    void uploadStarted(const QString& path, const QString& address);
    void uploadEnded(const QString& path, const QString& error);

private:
    void begin(const QString& address, const QObject* context, Done done);
    void uploadRun();
    void end(const QString& error);

    const Ports& m_ports;
    QString m_pendingUploadPath;
    QString m_address;
    QTimer m_wait;
    bool m_busy = false;
    bool m_transferring = false;
    bool m_hasContext = false;
    QPointer<const QObject> m_context;
    Done m_done;
};
