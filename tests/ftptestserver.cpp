#include "ftptestserver.h"
#include "testsupport.h"

#include <QDir>

namespace veltra::test {

FtpTestServer::FtpTestServer(const QString &root, const QString &user, const QString &password, int rate)
{
    const QString python = pythonImporting(QStringLiteral("pyftpdlib"));
    if (python.isEmpty()) {
        m_error = QStringLiteral("no python3 imports pyftpdlib (Debian package python3-pyftpdlib)");
        return;
    }
    const QString script = qEnvironmentVariable("VELTRA_FIXTURES") + QStringLiteral("/ftp/ftpserver.py");
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(python,
        {script, QStringLiteral("--root"), QDir::toNativeSeparators(root), QStringLiteral("--user"), user,
            QStringLiteral("--password"), password, QStringLiteral("--rate"), QString::number(rate)});
    if (!m_process->waitForStarted(10000)) {
        m_error = QStringLiteral("the server did not start: ") + m_process->errorString();
        return;
    }
    while (!m_process->canReadLine()) {
        if (!m_process->waitForReadyRead(20000)) {
            m_error = QStringLiteral("the server printed no port");
            return;
        }
    }
    m_port = m_process->readLine().trimmed().toInt();
    if (m_port <= 0)
        m_error = QStringLiteral("the server printed no port");
}

FtpTestServer::~FtpTestServer()
{
    if (!m_process)
        return;
    m_process->kill();
    m_process->waitForFinished(10000);
}

QString FtpTestServer::hostWithPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

} // namespace veltra::test
