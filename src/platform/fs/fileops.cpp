// File and folder operations (the FileSystemObject subset) on resolved paths.
#include "platform/fs/fs.h"
#include "platform/fs/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace veltra::fs {

namespace {

bool hasWildcard(const QString &name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// Splits a normalised path into its folder (ending in '/', or empty for the
// current folder) and its last name.
std::pair<QString, QString> splitLast(const QString &normalized)
{
    const qsizetype slash = normalized.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), normalized};
    return {normalized.left(slash + 1), normalized.mid(slash + 1)};
}

// A target given as a folder (ending in a separator) receives the source's name.
QString targetPath(const QString &from, const QString &to)
{
    const QString n = normalize(to);
    if (n.endsWith(QLatin1Char('/')))
        return resolve(n + splitLast(normalize(from)).second);
    return resolve(n);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString writeFailure(const QString &path, int err)
{
    return QStringLiteral("ファイルに書き込めません: %1\n%2").arg(path, failureReason(path, err, true));
}

QString readFailure(const QString &path, int err)
{
    return QStringLiteral("ファイルを読み込めません: %1\n%2").arg(path, failureReason(path, err, false));
}

void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList listEntries(const QString &folder, const QString &pattern, QDir::Filters filters)
{
    QStringList names;
    const QString resolved = resolve(folder);
    if (resolved.isEmpty() && !folder.isEmpty())
        return names;
    const QStringList entries
        = QDir(resolved.isEmpty() ? QStringLiteral(".") : resolved).entryList(filters, QDir::NoSort);
    for (const QString &entry : entries) {
        if (wildcardMatch(pattern, entry))
            names.append(entry);
    }
    sortNames(names);
    return names;
}

bool copyOneFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    SaveFile::removeLeftovers(target);
    SaveFile out(target);
    if (!out.open())
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (!out.write(buffer, got))
            return false;
    }
    if (!out.commit())
        return false;
    // A copy keeps the source's date and permissions, as the Windows copy does.
    QFile copied(target);
    QFile::setPermissions(target, in.permissions());
    if (copied.open(QIODevice::ReadWrite))
        copied.setFileTime(in.fileTime(QFileDevice::FileModificationTime), QFileDevice::FileModificationTime);
    return true;
}

bool copyTree(const QString &source, const QString &target)
{
    if (!QDir().mkpath(target))
        return false;
    QDir dir(source);
    const QFileInfoList entries
        = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString to = target + QLatin1Char('/') + entry.fileName();
        const bool ok = entry.isDir() && !entry.isSymLink() ? copyTree(entry.filePath(), to)
                                                            : copyOneFile(entry.filePath(), to);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(resolve(path)).isFile();
}

bool folderExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(resolve(path)).isDir();
}

bool createFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QDir().mkpath(resolve(path));
}

bool copyFile(const QString &from, const QString &to, bool overwrite)
{
    const QString source = resolve(from);
    const QString target = targetPath(from, to);
    if (!QFileInfo(source).isFile())
        return false;
    const QFileInfo targetInfo(target);
    if (targetInfo.isDir())
        return false;
    if (targetInfo.exists() && !overwrite)
        return false;
    if (targetInfo.exists() && QFileInfo(source).canonicalFilePath() == targetInfo.canonicalFilePath())
        return true;
    return copyOneFile(source, target);
}

bool moveFile(const QString &from, const QString &to)
{
    const QString source = resolve(from);
    const QString target = targetPath(from, to);
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists() && !sourceInfo.isSymLink())
        return false;
    // Moving never replaces an existing file or folder.
    if (QFileInfo::exists(target))
        return false;
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    // Another file system: copy, then remove the source only when the copy is whole.
    if (sourceInfo.isDir()) {
        if (!copyTree(source, target)) {
            QDir(target).removeRecursively();
            return false;
        }
        return QDir(source).removeRecursively();
    }
    if (!copyOneFile(source, target)) {
        QFile::remove(target);
        return false;
    }
    return QFile::remove(source);
}

bool deleteFiles(const QString &pattern)
{
    const auto [folder, name] = splitLast(normalize(pattern));
    if (name.isEmpty())
        return false;
    if (!hasWildcard(name)) {
        const QString path = resolve(folder + name);
        const QFileInfo info(path);
        if (info.isDir())
            return false;
        if (!info.exists() && !info.isSymLink())
            return true;
        return QFile::remove(path);
    }
    const QString resolvedFolder = resolve(folder);
    bool allDeleted = true;
    const QStringList names = listEntries(folder, name, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &match : names) {
        if (!QFile::remove(resolvedFolder + match))
            allDeleted = false;
    }
    return allDeleted;
}

bool deleteFolder(const QString &path)
{
    if (normalize(path).isEmpty())
        return false;
    const QString resolved = resolve(path);
    const QFileInfo info(resolved);
    if (!info.exists())
        return true;
    if (!info.isDir())
        return false;
    return QDir(resolved).removeRecursively();
}

QStringList listFiles(const QString &folder, const QString &pattern)
{
    return listEntries(folder, pattern, QDir::Files | QDir::Hidden | QDir::System);
}

QStringList listFolders(const QString &folder, const QString &pattern)
{
    return listEntries(folder, pattern, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

bool writeFileAtomic(const QString &path, const QByteArray &bytes, QString *error)
{
    const QString target = resolve(path);
    if (target.isEmpty() || target.endsWith(QLatin1Char('/'))) {
        setError(error, QStringLiteral("ファイル名が指定されていません: %1").arg(path));
        return false;
    }
    SaveFile::removeLeftovers(target);
    SaveFile out(target);
    if (out.open() && out.write(bytes.constData(), bytes.size()) && out.commit())
        return true;
    setError(error, writeFailure(target, out.error()));
    return false;
}

void removeWriteLeftoversIn(const QString &folder)
{
    SaveFile::removeAllLeftoversIn(resolve(folder));
}

bool appendFile(const QString &path, const QByteArray &bytes, QString *error)
{
    const QString target = resolve(path);
    if (target.isEmpty() || target.endsWith(QLatin1Char('/'))) {
        setError(error, QStringLiteral("ファイル名が指定されていません: %1").arg(path));
        return false;
    }
    QFile out(target);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append) || out.write(bytes) != bytes.size()
        || !out.flush()) {
        setError(error, writeFailure(target, errno));
        return false;
    }
    return true;
}

bool readFile(const QString &path, QByteArray &bytes, QString *error)
{
    return readFileStart(path, bytes, nullptr, error);
}

bool readFileStart(
    const QString &path, QByteArray &bytes, const std::function<bool(const QByteArray &)> &enough, QString *error)
{
    bytes.clear();
    const QString source = resolve(path);
    if (source.isEmpty()) {
        setError(error, QStringLiteral("ファイル名が指定されていません。"));
        return false;
    }
    QFile in(source);
    errno = 0;
    if (QFileInfo(source).isDir() || !in.open(QIODevice::ReadOnly)) {
        setError(error, readFailure(source, errno));
        return false;
    }
    if (!enough) {
        bytes = in.readAll();
    } else {
        constexpr qint64 kBlock = 64 * 1024;
        while (!enough(bytes)) {
            const QByteArray block = in.read(kBlock);
            if (block.isEmpty())
                break;
            bytes += block;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        setError(error, readFailure(source, errno));
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace veltra::fs
