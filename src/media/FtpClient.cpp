#include "media/FtpClient.h"

#include "shell/LogCategories.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMetaObject>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <system_error>

// One store, shared by the client and its worker thread. The settings are written before the worker
// starts and only read after; the flags and libcurl's wake-up are the only things both threads touch.
struct FtpJob
{
    Q_DISABLE_COPY_MOVE(FtpJob)
    FtpJob() = default;
    ~FtpJob()
    {
        if (multi)
            curl_multi_cleanup(multi);
    }

    QString localPath;
    QString remoteName;
    QString host;
    QByteArray url;
    QByteArray folderUrl;
    QByteArray user;
    QByteArray password;
    long connectMs = 0;
    long responseS = 0;
    long acceptMs = 0;
    long cleanupMs = 0;
    qint64 stallMs = 0;

    // Reports to the client, posted into its event loop.
    std::function<void(qint64 total)> begin;
    std::function<void(qint64 count)> work;
    std::function<void(const QString& error, bool begun)> end;

    CURLM* multi = nullptr;
    std::atomic<bool> cancelled{false}; // by the operator: ends the transfer
    std::atomic<bool> abandoned{false}; // by the client going away or starting anew: ends everything
};

namespace {

constexpr long kPollMs = 100;         // the longest nap of the worker: stop requests and stalls are seen this soon
constexpr qint64 kWorkEveryMs = 50;   // progress goes to the event loop at most this often
constexpr qint64 kForceStopMs = 1000; // a pass asked to stop that libcurl has not ended by then is dropped

struct EasyDeleter
{
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

struct ListDeleter
{
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// The store pass, on the worker thread.
struct Transfer
{
    explicit Transfer(FtpJob& j) : job(j) {}

    FtpJob& job;
    QFile file;
    qint64 total = 0;
    qint64 read = 0;
    bool begun = false;
    bool stalled = false;
    QString fileError;
    QByteArray lastReply;
    curl_off_t lastSent = -1;
    QElapsedTimer sinceMove;
    curl_off_t reported = 0;
    QElapsedTimer sinceReport;
};

size_t readChunk(char* buffer, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    if (!t->begun) {
        t->begun = true;
        t->sinceMove.start();
        t->sinceReport.start();
        t->job.begin(t->total);
    }
    // The size taken at the start is what the server is told: a file that grows is cut there.
    const qint64 wanted = std::min(static_cast<qint64>(size * count), t->total - t->read);
    const qint64 n = wanted > 0 ? t->file.read(buffer, wanted) : 0;
    if (n < 0 || (n == 0 && t->read < t->total)) {
        t->fileError = n < 0 ? t->file.errorString() : QStringLiteral("sie ist beim Hochladen kürzer geworden");
        return CURL_READFUNC_ABORT;
    }
    t->read += n;
    return static_cast<size_t>(n);
}

// The server's replies come through libcurl's header callback; the last one tells what it refused.
size_t keepReply(char* data, size_t size, size_t count, void* user)
{
    *static_cast<QByteArray*>(user) = QByteArray(data, static_cast<qsizetype>(size * count)).trimmed();
    return size * count;
}

// Called by libcurl on every turn of its loop, in every phase: stop requests, the stall limit and the
// progress report. A non-zero return ends the pass as an error, which closes the connection at once
// without waiting for the server to say goodbye.
int watchTransfer(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent)
{
    auto* t = static_cast<Transfer*>(user);
    if (t->job.cancelled || t->job.abandoned)
        return 1;
    if (!t->begun)
        return 0;
    if (sent < t->total) {
        if (sent != t->lastSent) {
            t->lastSent = sent;
            t->sinceMove.restart();
        } else if (t->sinceMove.hasExpired(t->job.stallMs)) {
            t->stalled = true;
            return 1;
        }
    }
    if (sent > t->reported && t->sinceReport.hasExpired(kWorkEveryMs)) {
        t->reported = sent;
        t->sinceReport.restart();
        t->job.work(sent);
    }
    return 0;
}

int watchCleanup(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<FtpJob*>(user)->abandoned ? 1 : 0;
}

// Settings both passes share. No reuse of connections: each closes inside its own pass, on the worker
// thread, never later in the client's.
void setCommon(CURL* c, const FtpJob& job)
{
    curl_easy_setopt(c, CURLOPT_USERNAME, job.user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, job.password.constData());
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(c, CURLOPT_QUICK_EXIT, 1L); // a pending name lookup is left behind, not waited for
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
}

// Runs one easy handle on the job's multi handle until libcurl is done with it. stopping says whether
// the pass was asked to stop; one that does not end soon after is dropped.
CURLcode drive(FtpJob& job, CURL* easy, const std::function<bool()>& stopping)
{
    curl_multi_add_handle(job.multi, easy);
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    QElapsedTimer asked;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(job.multi, &running) != CURLM_OK) {
            result = CURLE_OUT_OF_MEMORY;
            break;
        }
        bool done = false;
        int queued = 0;
        while (CURLMsg* m = curl_multi_info_read(job.multi, &queued)) {
            if (m->msg == CURLMSG_DONE && m->easy_handle == easy) {
                result = m->data.result;
                done = true;
            }
        }
        if (done)
            break;
        if (stopping() && !asked.isValid())
            asked.start();
        if (asked.isValid() && asked.hasExpired(kForceStopMs))
            break;
        curl_multi_poll(job.multi, nullptr, 0, kPollMs, nullptr);
    }
    curl_multi_remove_handle(job.multi, easy);
    return result;
}

// What went wrong and what the operator can do about it.
QString germanReason(CURLcode result, bool connected)
{
    switch (result) {
    case CURLE_OPERATION_TIMEDOUT:
        if (connected)
            return QStringLiteral("Der Wandrechner antwortet nicht mehr (Zeitüberschreitung). Bitte Netzwerk und "
                                  "Wandrechner prüfen und erneut versuchen.");
        [[fallthrough]];
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Der Wandrechner nimmt keine FTP-Verbindung an. Bitte prüfen, ob er eingeschaltet "
                              "ist, sein FTP-Server läuft und die Adresse des Wandrechners stimmt.");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("Der FTP-Server des Wandrechners hat die Anmeldung abgelehnt. Bitte das FTP-Konto "
                              "auf dem Wandrechner prüfen.");
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

QString unreadable(const QString& path, const QString& why)
{
    return QStringLiteral("Datei \"%1\" kann nicht gelesen werden (%2). Bitte die Datei erneut wählen.").arg(path, why);
}

QString libraryFails()
{
    return QStringLiteral("Das Hochladen ist nicht möglich: die FTP-Bibliothek startet nicht. Bitte das Programm "
                          "neu starten.");
}

// libcurl's error buffer is not used: libcurl 7.88 fills it with a notice about the active-mode listening
// socket ("sa_addr inet_ntop() failed with errno 97", an address it never has) on every upload, and keeps
// the first message, so the real cause of a later failure would never show.
QString failure(const FtpJob& job, const Transfer& t, CURLcode result, bool connected)
{
    if (job.cancelled)
        return TFtpClient::cancelledReason(job.remoteName, job.host);
    QString why;
    if (t.stalled) {
        why = QStringLiteral("Die Übertragung steht seit %1 s still: der Wandrechner nimmt keine Daten mehr an. "
                             "Bitte Netzwerk und Wandrechner prüfen und erneut versuchen.")
                  .arg((job.stallMs + 999) / 1000);
    } else if (!t.fileError.isEmpty()) {
        why = unreadable(job.localPath, t.fileError);
    } else {
        QString detail = QString::fromLatin1(curl_easy_strerror(result));
        if (!t.lastReply.isEmpty())
            detail += QStringLiteral("; letzte Antwort des Servers: ") + QString::fromLatin1(t.lastReply);
        why = germanReason(result, connected) + QStringLiteral("\n(Meldung der FTP-Bibliothek: %1)").arg(detail);
    }
    return QStringLiteral("Das Hochladen von \"%1\" auf den Wandrechner %2 ist fehlgeschlagen. %3")
        .arg(job.remoteName, job.host, why);
}

// Deletes what a broken transfer left of the file on the server, as far as the server still answers
// within the clean-up limit. Nobody waits for it.
void removePartial(FtpJob& job)
{
    Easy easy(curl_easy_init());
    const QByteArray command = "DELE " + job.remoteName.toUtf8();
    std::unique_ptr<curl_slist, ListDeleter> commands(curl_slist_append(nullptr, command.constData()));
    if (!easy || !commands)
        return;
    CURL* c = easy.get();
    setCommon(c, job);
    curl_easy_setopt(c, CURLOPT_URL, job.folderUrl.constData());
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(c, CURLOPT_QUOTE, commands.get());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, std::min(job.connectMs, job.cleanupMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, job.cleanupMs);
    curl_easy_setopt(c, CURLOPT_FTP_RESPONSE_TIMEOUT, (job.cleanupMs + 999) / 1000);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &watchCleanup);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &job);
    const CURLcode result = drive(job, c, [&job] { return job.abandoned.load(); });
    if (result == CURLE_OK)
        qCInfo(lcUpload) << "partial" << job.remoteName << "removed from the server";
    else
        qCWarning(lcUpload) << "partial" << job.remoteName << "not removed:" << curl_easy_strerror(result);
}

void runJob(const std::shared_ptr<FtpJob>& shared)
{
    FtpJob& job = *shared;
    Transfer t(job);
    t.file.setFileName(job.localPath);
    if (!t.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        job.end(unreadable(job.localPath, t.file.errorString()), false);
        return;
    }
    t.total = t.file.size();
    Easy easy(curl_easy_init());
    if (!easy) {
        job.end(libraryFails(), false);
        return;
    }
    CURL* c = easy.get();
    setCommon(c, job);
    curl_easy_setopt(c, CURLOPT_URL, job.url.constData());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(t.total));
    curl_easy_setopt(c, CURLOPT_UPLOAD_BUFFERSIZE, TFtpClient::kUploadBufferBytes);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &readChunk);
    curl_easy_setopt(c, CURLOPT_READDATA, &t);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &keepReply);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &t.lastReply);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &watchTransfer);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    // Active mode on the address of the control connection; plain PORT, as simple servers expect.
    curl_easy_setopt(c, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 0L);
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, job.connectMs);
    curl_easy_setopt(c, CURLOPT_FTP_RESPONSE_TIMEOUT, job.responseS);
    curl_easy_setopt(c, CURLOPT_ACCEPTTIMEOUT_MS, job.acceptMs);

    const CURLcode result = drive(job, c, [&job] { return job.cancelled || job.abandoned; });
    curl_off_t connectUs = 0;
    curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connectUs);
    easy.reset();
    t.file.close();
    if (job.abandoned)
        return;
    if (result != CURLE_OK) {
        job.end(failure(job, t, result, connectUs > 0), t.begun);
        if (t.begun)
            removePartial(job);
        return;
    }
    if (t.begun && t.reported < t.total)
        job.work(t.total);
    job.end(QString(), t.begun);
}

} // namespace

TFtpClient::TFtpClient(QObject* parent) : QObject(parent)
{
    // Once, before any worker thread exists.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    Q_UNUSED(initialised)
}

TFtpClient::~TFtpClient()
{
    joinWorker();
}

QString TFtpClient::cancelledReason(const QString& remoteName, const QString& host)
{
    return QStringLiteral("Das Hochladen von \"%1\" auf den Wandrechner %2 wurde abgebrochen: der Bediener hat es "
                          "beendet. Die Datei ist nicht übertragen.")
        .arg(remoteName, host);
}

bool TFtpClient::store(const QString& localPath, const QString& remoteName)
{
    if (m_busy)
        return false;
    joinWorker();

    auto job = std::make_shared<FtpJob>();
    job->localPath = localPath;
    job->remoteName = remoteName;
    job->host = Host;
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(Host);
    url.setPort(Port);
    url.setPath(QStringLiteral("/"));
    job->folderUrl = url.toEncoded();
    url.setPath(QLatin1Char('/') + remoteName);
    job->url = url.toEncoded();
    job->user = Username.toUtf8();
    job->password = Password.toUtf8();
    job->connectMs = ConnectTimeoutMs;
    job->responseS = (ResponseTimeoutMs + 999) / 1000;
    job->acceptMs = AcceptTimeoutMs;
    job->cleanupMs = CleanupTimeoutMs;
    job->stallMs = StallTimeoutMs;
    const quint64 number = ++m_number;
    job->begin = [this, number](qint64 total) {
        QMetaObject::invokeMethod(
            this, [this, number, total] { deliverBegin(number, total); }, Qt::QueuedConnection);
    };
    job->work = [this, number](qint64 count) {
        QMetaObject::invokeMethod(
            this, [this, number, count] { deliverWork(number, count); }, Qt::QueuedConnection);
    };
    job->end = [this, number](const QString& error, bool begun) {
        QMetaObject::invokeMethod(
            this, [this, number, error, begun] { deliverEnd(number, error, begun); }, Qt::QueuedConnection);
    };
    job->multi = curl_multi_init();
    m_job = job;
    m_busy = true;
    if (!job->multi) {
        job->end(libraryFails(), false);
        return true;
    }
    try {
        m_worker = std::thread(&runJob, job);
    } catch (const std::system_error&) {
        job->end(libraryFails(), false);
    }
    return true;
}

void TFtpClient::cancel()
{
    if (!m_busy || !m_job || m_job->cancelled)
        return;
    m_job->cancelled = true;
    if (m_job->multi)
        curl_multi_wakeup(m_job->multi);
}

void TFtpClient::joinWorker()
{
    if (!m_worker.joinable())
        return;
    m_job->abandoned = true;
    curl_multi_wakeup(m_job->multi);
    m_worker.join();
}

void TFtpClient::deliverBegin(quint64 number, qint64 total)
{
    if (number == m_number && m_busy)
        Q_EMIT WorkBegin(total);
}

void TFtpClient::deliverWork(quint64 number, qint64 count)
{
    if (number == m_number && m_busy)
        Q_EMIT Work(count);
}

void TFtpClient::deliverEnd(quint64 number, const QString& error, bool begun)
{
    if (number != m_number || !m_busy)
        return;
    m_busy = false;
    // Only a stored file ends the progress: a full bar must never stand for a failed transfer.
    if (error.isEmpty() && begun)
        Q_EMIT WorkEnd();
    Q_EMIT finished(error);
}
