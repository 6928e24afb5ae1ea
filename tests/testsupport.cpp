#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
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

std::string treeDifferences(const TreeSnapshot &a, const TreeSnapshot &b)
{
    std::string out;
    for (const auto &[name, bytes] : a) {
        const auto it = b.find(name);
        if (it == b.end())
            out += "only in the first: " + name.toStdString() + '\n';
        else if (it->second != bytes)
            out += "differs: " + name.toStdString() + '\n';
    }
    for (const auto &[name, bytes] : b) {
        if (!a.count(name))
            out += "only in the second: " + name.toStdString() + '\n';
    }
    return out;
}

void copyTree(const QString &from, const QString &to, bool rewritePaths)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
            continue;
        }
        QByteArray bytes = readBytes(path);
        if (rewritePaths)
            bytes.replace(QFile::encodeName(from), QFile::encodeName(to));
        writeBytes(target, bytes);
    }
}

QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        if (bigEndian)
            bytes.append(high).append(low);
        else
            bytes.append(low).append(high);
    }
    return bytes;
}

QString pythonImporting(const QString &modules)
{
    QStringList candidates{QStringLiteral("/usr/bin/python3")};
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (!onPath.isEmpty())
        candidates << onPath;
    for (const QString &python : candidates) {
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import ") + modules});
        if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return python;
    }
    return {};
}

} // namespace veltra::test
