#include "media/FtpClient.h"

#include "shell/OperatorError.h"

#include <QFile>
#include <QUrl>

#include <curl/curl.h>

#include <memory>

namespace {

struct Transfer
{
    TFtpClient* client = nullptr;
    QFile* file = nullptr;
    qint64 total = 0;
    qint64 sent = 0;
    bool begun = false;
};

size_t readChunk(char* buffer, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    if (!t->begun) {
        t->begun = true;
        Q_EMIT t->client->WorkBegin(t->total);
    }
    const qint64 n = t->file->read(buffer, static_cast<qint64>(size * count));
    if (n < 0)
        return CURL_READFUNC_ABORT;
    t->sent += n;
    if (n > 0)
        Q_EMIT t->client->Work(t->sent);
    return static_cast<size_t>(n);
}

struct CurlDeleter
{
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};

// What went wrong and what the operator can do about it; libcurl's own text follows as the detail.
QString germanReason(CURLcode result)
{
    switch (result) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Der Wandrechner nimmt keine FTP-Verbindung an. Bitte prüfen, ob er eingeschaltet "
                              "ist, sein FTP-Server läuft und die Adresse des Wandrechners stimmt.");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("Der FTP-Server des Wandrechners hat die Anmeldung abgelehnt. Bitte das FTP-Konto "
                              "auf dem Wandrechner prüfen.");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("Der Wandrechner antwortet nicht mehr (Zeitüberschreitung). Bitte Netzwerk und "
                              "Wandrechner prüfen und erneut versuchen.");
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_PORT_FAILED:
        return QStringLiteral("Der Wandrechner hat die Datenverbindung nicht aufgebaut. Bitte prüfen, ob eine "
                              "Firewall auf diesem Rechner eingehende Verbindungen sperrt.");
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_DISK_FULL:
        return QStringLiteral("Der Wandrechner hat die Datei nicht angenommen. Bitte Speicherplatz und Rechte "
                              "des FTP-Ordners auf dem Wandrechner prüfen.");
    default:
        return QStringLiteral("Die Übertragung ist abgebrochen. Bitte Netzwerk und Wandrechner prüfen und erneut "
                              "versuchen.");
    }
}

} // namespace

TFtpClient::TFtpClient(QObject* parent) : QObject(parent) {}

void TFtpClient::store(const QString& localPath, const QString& remoteName)
{
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        throw OperatorError(QStringLiteral("Datei \"%1\" kann nicht gelesen werden (%2). Bitte die Datei erneut "
                                           "wählen.")
                                .arg(localPath, file.errorString()));

    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        throw OperatorError(QStringLiteral("Das Hochladen ist nicht möglich: die FTP-Bibliothek startet nicht. Bitte "
                                           "das Programm neu starten."));

    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(Host);
    url.setPort(Port);
    url.setPath(QLatin1Char('/') + remoteName);
    const QByteArray urlBytes = url.toEncoded();
    const QByteArray user = Username.toUtf8();
    const QByteArray password = Password.toUtf8();

    Transfer transfer{this, &file, file.size(), 0, false};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(transfer.total));
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &readChunk);
    curl_easy_setopt(c, CURLOPT_READDATA, &transfer);
    // Active mode on the address of the control connection; plain PORT, as simple servers expect.
    curl_easy_setopt(c, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 0L);
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ConnectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_FTP_RESPONSE_TIMEOUT, static_cast<long>((ResponseTimeoutMs + 999) / 1000));
    curl_easy_setopt(c, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(AcceptTimeoutMs));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(StallTimeoutS));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);

    const CURLcode result = curl_easy_perform(c);
    curl.reset(); // closes the connection before anyone hears about the outcome
    if (result != CURLE_OK) {
        const QString reason =
            errorBuffer[0] ? QString::fromLocal8Bit(errorBuffer) : QString::fromLatin1(curl_easy_strerror(result));
        throw OperatorError(QStringLiteral("Das Hochladen von \"%1\" auf den Wandrechner %2 ist fehlgeschlagen. %3\n"
                                           "(Meldung der FTP-Bibliothek: %4)")
                                .arg(remoteName, Host, germanReason(result), reason));
    }
    // Only a stored file ends the progress: a full bar must never stand for a failed transfer.
    if (transfer.begun)
        Q_EMIT WorkEnd();
}
