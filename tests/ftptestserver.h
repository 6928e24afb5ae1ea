#pragma once
// A loopback FTP server (Debian's pyftpdlib) serving a temporary folder, for
// tests of the FTP client. Started by the constructor, ended by the
// destructor whatever the test's outcome.
#include <QProcess>
#include <QString>
#include <memory>

namespace veltra::test {

class FtpTestServer
{
public:
    // `rate` limits the bytes per second the server sends (0: no limit).
    FtpTestServer(const QString &root, const QString &user, const QString &password, int rate = 0);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer &) = delete;
    FtpTestServer &operator=(const FtpTestServer &) = delete;

    // False with the reason in error() when no server could be started.
    bool isRunning() const { return m_port > 0; }
    QString error() const { return m_error; }
    int port() const { return m_port; }
    // "127.0.0.1:<port>"
    QString hostWithPort() const;

private:
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
    QString m_error;
};

} // namespace veltra::test
