// The program's own temporary folder under the system one, and files in it.
#include "platform/fs/fs.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <sys/stat.h>
#include <unistd.h>

namespace veltra::fs {

namespace {

// A folder we may use: a real folder (not a link) that belongs to us and that
// nobody else can write to.
bool isOwnFolder(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

QString tempFolder()
{
    static QMutex mutex;
    static QString fallback;
    QMutexLocker lock(&mutex);

    // One folder per user, so users of one machine never meet in it.
    const QString folder
        = QDir::tempPath() + QStringLiteral("/veltra-%1/").arg(static_cast<unsigned long>(::getuid()));
    const QByteArray native = QFile::encodeName(folder.chopped(1));
    if (::mkdir(native.constData(), 0700) == 0 || isOwnFolder(native))
        return folder;

    // Someone else holds the name: use a private folder of this run instead.
    if (fallback.isEmpty() || !isOwnFolder(QFile::encodeName(fallback.chopped(1)))) {
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/veltra-XXXXXX"));
        dir.setAutoRemove(false);
        fallback = dir.isValid() ? dir.path() + QLatin1Char('/') : QString();
    }
    return fallback;
}

QString makeTempFile(const QString &prefix, const QString &suffix)
{
    const QString folder = tempFolder();
    if (folder.isEmpty())
        return {};
    QTemporaryFile file(folder + prefix + QStringLiteral("XXXXXX") + suffix);
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return file.fileName();
}

} // namespace veltra::fs
