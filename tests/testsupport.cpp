#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

namespace veltra::test {

TempDir::TempDir()
    : m_dir(QDir::tempPath() + QStringLiteral("/veltra-test-XXXXXX"))
{ }

QString TempDir::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDir::file(const QString &name) const
{
    return m_dir.filePath(name);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

NoFileWrites::NoFileWrites()
{
    // Past the limit the system stops the process unless the signal is
    // ignored; ignored, the write fails with EFBIG.
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_limit = limit.rlim_cur;
    limit.rlim_cur = 0;
    m_ok = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

NoFileWrites::~NoFileWrites()
{
    if (m_ok) {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(m_limit);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, m_handler);
}

} // namespace veltra::test
