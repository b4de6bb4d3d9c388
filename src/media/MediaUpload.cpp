#include "media/MediaUpload.h"

#include "shell/LogCategories.h"
#include "shell/OperatorError.h"
#include "wall_link/Ports.h"
#include "wall_link/ZELTools.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include <utility>

namespace {

constexpr qsizetype kCopyChunkBytes = 1024 * 1024;

OperatorError unreadable(const QString& path, const QString& why)
{
    return OperatorError(QStringLiteral("Datei \"%1\" kann nicht gelesen werden (%2). Bitte prüfen, ob sie "
                                        "vorhanden und lesbar ist.")
                             .arg(path, why));
}

OperatorError unwritable(const QString& path, const QString& why)
{
    return OperatorError(QStringLiteral("Datei \"%1\" kann nicht geschrieben werden (%2). Bitte freien Platz und "
                                        "Schreibrechte im Ordner für temporäre Dateien prüfen.")
                             .arg(path, why));
}

void tell(const TMediaUpload::Done& done, const QString& error)
{
    if (done)
        done(error);
}

QString busyReason()
{
    return QStringLiteral("Es wird gerade ein Bild oder Video auf den Wandrechner hochgeladen. Bitte warten, bis es "
                          "fertig ist, oder es mit \"Abbrechen\" beenden.");
}

} // namespace

TMediaUpload::TMediaUpload(const Ports& ports, QObject* parent) : QObject(parent), m_ports(ports)
{
    Ftp.setObjectName(QStringLiteral("IdFTP1"));
    m_wait.setSingleShot(true);
    m_wait.setInterval(kWaitBeforeUploadMs);
    connect(&m_wait, &QTimer::timeout, this, &TMediaUpload::uploadRun);
    connect(&Ftp, &TFtpClient::finished, this, [this](const QString& error) {
        if (m_transferring)
            end(error);
    });
}

QString TMediaUpload::stagingDirectory()
{
    return TZELTools::TempFolder();
}

QString TMediaUpload::videoCopyPath(const QString& chosenFile)
{
    const QString suffix = QFileInfo(chosenFile).suffix();
    return stagingDirectory() + QStringLiteral("BrisalClient") +
           (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

void TMediaUpload::SendStreamTo(const QString& address, const QImage& image, const QString& remoteName,
                                const QByteArray& jpegFile, const QObject* context, Done done)
{
    if (m_busy) {
        tell(done, busyReason());
        return;
    }
    m_pendingUploadPath = stagingDirectory() + remoteName;
    if (QFileInfo(m_pendingUploadPath).suffix().toUpper() != QLatin1String("JPG")) {
        tell(done, QString());
        return;
    }
    QFile::remove(m_pendingUploadPath);
    if (jpegFile.isEmpty() && image.isNull()) {
        tell(done, QStringLiteral("Kein Bild zum Anzeigen: bitte zuerst ein Bild öffnen."));
        return;
    }
    // The operator's own file as it is: decoding and encoding again would lose quality and metadata.
    QSaveFile out(m_pendingUploadPath);
    const bool written =
        out.open(QIODevice::WriteOnly) &&
        (jpegFile.isEmpty() ? image.save(&out, "JPG", kJpegQuality) : out.write(jpegFile) == jpegFile.size());
    if (!written || !out.commit()) {
        tell(done, unwritable(m_pendingUploadPath, out.errorString()).text());
        return;
    }
    begin(address, context, std::move(done));
}

void TMediaUpload::SendVideoTo(const QString& address, const QString& path, const QObject* context, Done done)
{
    if (m_busy) {
        tell(done, busyReason());
        return;
    }
    m_pendingUploadPath = path;
    begin(address, context, std::move(done));
}

void TMediaUpload::cancel()
{
    if (!m_busy)
        return;
    if (m_transferring) {
        Ftp.cancel();
        return;
    }
    m_wait.stop();
    end(TFtpClient::cancelledReason(QFileInfo(m_pendingUploadPath).fileName(), m_address));
}

void TMediaUpload::begin(const QString& address, const QObject* context, Done done)
{
    m_address = address;
    m_hasContext = context != nullptr;
    m_context = context;
    m_done = std::move(done);
    m_busy = true;
    m_wait.start();
    Q_EMIT busyChanged(true);
}

void TMediaUpload::uploadRun()
{
    Ftp.Host = m_address;
    Ftp.Port = m_ports.ftp;
    qCInfo(lcUpload) << "upload of" << m_pendingUploadPath << "to" << m_address << "port" << m_ports.ftp;
    m_transferring = true;
    Q_EMIT uploadStarted(m_pendingUploadPath, m_address);
    if (!Ftp.store(m_pendingUploadPath, QFileInfo(m_pendingUploadPath).fileName()))
        end(busyReason());
}

void TMediaUpload::end(const QString& error)
{
    if (!m_busy)
        return;
    if (error.isEmpty())
        qCInfo(lcUpload) << "upload done";
    else
        qCWarning(lcUpload) << "upload failed:" << error;
    if (m_transferring)
        Q_EMIT uploadEnded(m_pendingUploadPath, error);
    m_busy = false;
    m_transferring = false;
    const Done done = std::exchange(m_done, {});
    const bool heard = !m_hasContext || m_context;
    m_context = nullptr;
    Q_EMIT busyChanged(false);
    // Last: the caller may report in a modal box, whose event loop may start the next upload.
    if (done && heard)
        done(error);
}

void TMediaUpload::stage(const QString& source, const QString& staged)
{
    if (QFileInfo(source).canonicalFilePath() != QFileInfo(staged).canonicalFilePath())
        QFile::remove(staged);
    CopyStreamedFile(source, staged);
}

void TMediaUpload::CopyStreamedFile(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw unreadable(source, in.errorString());
    // Written through a temporary file so that copying a file onto itself, or a failed write, never
    // leaves a truncated destination. Piece by piece, so a video of any size costs one buffer of memory.
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        throw unwritable(destination, out.errorString());
    QByteArray chunk(kCopyChunkBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(chunk.data(), chunk.size());
        if (got < 0)
            throw unreadable(source, in.errorString());
        if (got == 0)
            break;
        if (out.write(chunk.constData(), got) != got)
            break; // the commit below reports it
    }
    if (!out.commit())
        throw unwritable(destination, out.errorString());
}
