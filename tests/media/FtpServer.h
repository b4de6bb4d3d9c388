#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// How a test server's data connections take an upload.
struct FtpPace
{
    int readLimit = 0;     // bytes per second; 0: as fast as it can
    qint64 stallAfter = 0; // stops reading for good after this many bytes; 0: never
};

// A real FTP server for tests: pyftpdlib on 127.0.0.1, a free port, a fresh home folder, write access
// for one account. Its data connections take uploads at the given pace.
class FtpServer final
{
    Q_DISABLE_COPY_MOVE(FtpServer)
public:
    FtpServer(const QString& user, const QString& password, FtpPace pace = {});
    ~FtpServer();

    static bool available(); // pyftpdlib is installed
    bool start();            // true once the server accepts connections
    quint16 port() const { return m_port; }
    QString home() const { return m_home.path(); }
    QString path(const QString& name) const { return m_home.filePath(name); }
    QByteArray content(const QString& name) const;

    static quint16 freeTcpPort();

private:
    QString m_user;
    QString m_password;
    FtpPace m_pace;
    QTemporaryDir m_home;
    QProcess m_process;
    quint16 m_port = 0;
};
