#include "statdata/comdirectory.h"

#include "platform/fs/fs.h"
#include "statdata/comfile.h"

#include <QFile>

namespace fs = veltra::fs;

namespace {

QString withSlash(const QString &path)
{
    QString p = fs::normalize(path);
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

// The parent of a folder path (without trailing separator); "" for a top.
QString parentOf(const QString &path)
{
    QString p = fs::normalize(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    const int slash = p.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : p.left(slash);
}

} // namespace

namespace ComDirectory {

bool IsFolderExist(const QString &path)
{
    return !path.isEmpty() && fs::folderExists(path);
}

bool CreateFolder(const QString &path)
{
    if (path.isEmpty() || fs::folderExists(path) || fs::fileExists(path))
        return false;
    const QString parent = parentOf(path);
    if (!parent.isEmpty() && !fs::folderExists(parent))
        return false;
    return fs::createFolder(path);
}

bool DeleteFolder(const QString &path)
{
    if (!IsFolderExist(path))
        return false;
    return fs::deleteFolder(path);
}

bool CreateFolderTree(const QString &path)
{
    QStringList list;
    if (GetParentFolders(path, list) == 0)
        return true;
    for (const QString &folder : std::as_const(list)) {
        if (!IsFolderExist(folder) && !CreateFolder(folder))
            return false;
    }
    return true;
}

bool SetFolderHidden(const QString &path, bool hide)
{
    Q_UNUSED(hide);
    return IsFolderExist(path);
}

bool SetTreeHidden(const QString &root, bool hide)
{
    QStringList list;
    GetTreeList(root, list);
    for (const QString &entry : std::as_const(list)) {
        const bool ok = entry.endsWith(QLatin1Char('/')) ? SetFolderHidden(entry, hide)
                                                         : ComFile::SetFileHidden(entry, hide);
        if (!ok)
            return false;
    }
    return true;
}

int16_t GetParentFolders(const QString &path, QStringList &list)
{
    if (path.isEmpty())
        return 0;
    QString p = fs::normalize(path);
    if (p.endsWith(QLatin1Char('/')))
        p.chop(1);
    QStringList out;
    if (p.isEmpty()) {
        out << QStringLiteral("/"); // the root folder itself
    } else {
        const QStringList parts = p.split(QLatin1Char('/'));
        QString acc;
        for (const QString &part : parts) {
            acc += part + QLatin1Char('/');
            out << acc;
        }
    }
    list = out;
    return static_cast<int16_t>(std::min<qsizetype>(out.size(), INT16_MAX));
}

int32_t GetFileCount(const QString &path)
{
    if (!IsFolderExist(path))
        return 0;
    return static_cast<int32_t>(fs::listFiles(path).size());
}

int32_t GetSubFolderCount(const QString &path)
{
    if (!IsFolderExist(path))
        return 0;
    return static_cast<int32_t>(fs::listFolders(path).size());
}

int32_t GetTreeList(const QString &path, QStringList &list)
{
    if (!IsFolderExist(path))
        return static_cast<int32_t>(list.size());
    const QString folder = withSlash(path);
    for (const QString &sub : fs::listFolders(folder))
        GetTreeList(folder + sub, list);
    for (const QString &file : fs::listFiles(folder))
        list << folder + file;
    list << folder;
    return static_cast<int32_t>(list.size());
}

bool IsFileExist(const QString &path)
{
    return !path.isEmpty() && fs::fileExists(path);
}

bool CopyFile(const QString &source, const QString &destination)
{
    if (!IsFileExist(source))
        return false;
    return fs::copyFile(source, destination, true);
}

bool DeleteFile(const QString &path)
{
    if (!IsFileExist(path))
        return false;
    QFile file(fs::resolve(path));
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    return file.remove();
}

} // namespace ComDirectory

namespace veltra::statdata {

int32_t deleteFileAndEmptyFolder(const QString &path)
{
    if (!ComDirectory::DeleteFile(path))
        return -1;
    QString folder = fs::normalize(path);
    folder = folder.left(folder.lastIndexOf(QLatin1Char('/')) + 1);
    if (!folder.isEmpty() && ComDirectory::GetFileCount(folder) == 0 && !ComDirectory::DeleteFolder(folder))
        return -1;
    return 0;
}

} // namespace veltra::statdata
