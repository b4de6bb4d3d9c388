#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real FTP server for tests: pyftpdlib on 127.0.0.1, a free port, a fresh home folder, write access
// for one account.
class FtpServer final
{
    Q_DISABLE_COPY_MOVE(FtpServer)
public:
    FtpServer(const QString& user, const QString& password);
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
    QTemporaryDir m_home;
    QProcess m_process;
    quint16 m_port = 0;
};
