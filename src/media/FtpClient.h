#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <thread>

struct FtpJob;

// The FTP client of the media upload: one control connection per store, log-in with a fixed account,
// active-mode data connection, binary transfer. The transfer runs on a thread of its own and reports
// through the event loop, so the program goes on while it lasts. Every wait has a limit, and each way
// it can end has a German reason.
//
// Progress: WorkBegin (total bytes) when the data connection starts taking the file, Work (bytes so far)
// while it runs, WorkEnd once the file is stored, then finished() with an empty error. A failed or
// cancelled transfer ends with finished(reason) alone: no bar ever shows full for it. When a transfer
// breaks off after the file began to arrive, the client deletes the partial file on the server
// afterwards, in the background, as far as the server still answers.
class TFtpClient final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFtpClient)
public:
    explicit TFtpClient(QObject* parent = nullptr);
    ~TFtpClient() override;

    QString Host;
    quint16 Port = 21;
    QString Username = QStringLiteral("TORVEK");
    QString Password = QStringLiteral("mirtelo.kq");

    // Limits of each kind of wait.
    int ConnectTimeoutMs = 5000;   // connecting, greeting and log-in
    int ResponseTimeoutMs = 10000; // each reply of the server (whole seconds)
    int AcceptTimeoutMs = 5000;    // the server connecting back for the active-mode data connection
    int StallTimeoutMs = 15000;    // the transfer moving no byte at all
    int CleanupTimeoutMs = 3000;   // deleting a partial file after a broken transfer

    // Bytes libcurl takes from the file at a time: larger pieces cost fewer turns of its loop.
    static constexpr long kUploadBufferBytes = 512 * 1024;

    // Starts storing the local file under remoteName in the login directory (replacing a file of that
    // name) on Host:Port and returns at once; the outcome arrives as finished(). False, and nothing
    // started, while another store runs.
    bool store(const QString& localPath, const QString& remoteName);
    // Ends the running store with the operator's reason; nothing when none runs.
    void cancel();
    bool busy() const { return m_busy; }

    // The reason a store ends with when the operator cancels it.
    static QString cancelledReason(const QString& remoteName, const QString& host);

Q_SIGNALS:
    void WorkBegin(qint64 total);
    void Work(qint64 count);
    void WorkEnd();
    // The store has ended: error is empty when the file is stored, else what went wrong and what to do.
    void finished(const QString& error);

private:
    void deliverBegin(quint64 number, qint64 total);
    void deliverWork(quint64 number, qint64 count);
    void deliverEnd(quint64 number, const QString& error, bool begun);
    // Stops a worker still busy with a former store's clean-up and waits for it.
    void joinWorker();

    std::shared_ptr<FtpJob> m_job;
    std::thread m_worker;
    quint64 m_number = 0; // of the current store; reports of an earlier one are dropped
    bool m_busy = false;
};
