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

} // namespace

TFtpClient::TFtpClient(QObject* parent) : QObject(parent) {}

void TFtpClient::store(const QString& localPath, const QString& remoteName)
{
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        throw OperatorError(
            QStringLiteral("Datei \"%1\" kann nicht gelesen werden: %2").arg(localPath, file.errorString()));

    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        throw OperatorError(QStringLiteral("FTP: keine Verbindung möglich (libcurl)"));

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
        throw OperatorError(
            QStringLiteral("FTP-Übertragung von \"%1\" an %2 fehlgeschlagen: %3").arg(remoteName, Host, reason));
    }
    // Only a stored file ends the progress: a full bar must never stand for a failed transfer.
    if (transfer.begun)
        Q_EMIT WorkEnd();
}
