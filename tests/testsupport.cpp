#include "testsupport.h"

#include <QDir>
#include <QFile>

namespace veltra::test {

TempDir::TempDir()
    : m_dir(QDir::tempPath() + QStringLiteral("/veltra-test-XXXXXX"))
{
}

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

} // namespace veltra::test
