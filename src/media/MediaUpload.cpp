#include "media/MediaUpload.h"

#include "shell/LogCategories.h"
#include "shell/OperatorError.h"
#include "wall_link/Ports.h"
#include "wall_link/Sleeper.h"
#include "wall_link/ZELTools.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

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

} // namespace

TMediaUpload::TMediaUpload(TSleeper& sleeper, const Ports& ports, QObject* parent)
    : QObject(parent), m_sleeper(sleeper), m_ports(ports)
{
    Ftp.setObjectName(QStringLiteral("IdFTP1"));
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
                                const QByteArray& jpegFile)
{
    m_sleeper.Sleep(kWaitBeforeUploadMs);
    m_pendingUploadPath = stagingDirectory() + remoteName;
    if (QFileInfo(m_pendingUploadPath).suffix().toUpper() != QLatin1String("JPG"))
        return;
    QFile::remove(m_pendingUploadPath);
    if (jpegFile.isEmpty() && image.isNull())
        throw OperatorError(QStringLiteral("Kein Bild zum Anzeigen: bitte zuerst ein Bild öffnen."));
    // The operator's own file as it is: decoding and encoding again would lose quality and metadata.
    QSaveFile out(m_pendingUploadPath);
    const bool written =
        out.open(QIODevice::WriteOnly) &&
        (jpegFile.isEmpty() ? image.save(&out, "JPG", kJpegQuality) : out.write(jpegFile) == jpegFile.size());
    if (!written || !out.commit())
        throw unwritable(m_pendingUploadPath, out.errorString());
    uploadRun(address);
}

void TMediaUpload::SendVideoTo(const QString& address, const QString& path)
{
    m_sleeper.Sleep(kWaitBeforeUploadMs);
    m_pendingUploadPath = path;
    uploadRun(address);
}

void TMediaUpload::uploadRun(const QString& address)
{
    Ftp.Host = address;
    Ftp.Port = m_ports.ftp;
    qCInfo(lcUpload) << "upload of" << m_pendingUploadPath << "to" << address << "port" << m_ports.ftp;
    Q_EMIT uploadStarted(m_pendingUploadPath, address);
    try {
        Ftp.store(m_pendingUploadPath, QFileInfo(m_pendingUploadPath).fileName());
    } catch (const OperatorError& e) {
        qCWarning(lcUpload) << "upload failed:" << e.text();
        Q_EMIT uploadEnded(m_pendingUploadPath, e.text());
        throw;
    }
    qCInfo(lcUpload) << "upload done";
    Q_EMIT uploadEnded(m_pendingUploadPath, QString());
    QCoreApplication::processEvents();
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
