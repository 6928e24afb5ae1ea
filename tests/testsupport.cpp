#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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

} // namespace veltra::test
