#pragma once

#include <QObject>
#include <QString>

// The FTP client of the media upload: one control connection per store, log-in with a fixed account,
// active-mode data connection, binary transfer. Every wait has a limit, so a wall computer that stops
// answering ends the upload with an error instead of freezing the program.
//
// Progress: WorkBegin (total bytes) when the data connection starts taking the file, Work (bytes so far)
// while it runs, WorkEnd once the file is stored. A failed transfer ends without WorkEnd: its bars stay
// where it stopped and the error is thrown.
class TFtpClient final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFtpClient)
public:
    explicit TFtpClient(QObject* parent = nullptr);

    QString Host;
    quint16 Port = 21;
    QString Username = QStringLiteral("TORVEK");
    QString Password = QStringLiteral("mirtelo.kq");

    // Limits of each kind of wait.
    int ConnectTimeoutMs = 5000;   // control connection to the server
    int ResponseTimeoutMs = 10000; // each reply of the server
    int AcceptTimeoutMs = 5000;    // the server connecting back for the active-mode data connection
    int StallTimeoutS = 15;        // the transfer making no progress at all

    // Connects to Host:Port, logs in, stores the local file under remoteName in the login directory
    // (replacing a file of that name) and disconnects. Throws OperatorError with the reason on any
    // failure; the connection is closed by then.
    void store(const QString& localPath, const QString& remoteName);

Q_SIGNALS:
    void WorkBegin(qint64 total);
    void Work(qint64 count);
    void WorkEnd();
};
