#include "app/instancelock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

namespace veltra::app {

namespace {
std::unique_ptr<QLockFile> &held()
{
    static std::unique_ptr<QLockFile> lock;
    return lock;
}
} // namespace

QString defaultInstanceLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("veltra.lock"));
}

bool acquireInstanceLock(const QString &path)
{
    if (held() && held()->isLocked())
        return true;
    auto lock = std::make_unique<QLockFile>(path.isEmpty() ? defaultInstanceLockPath() : path);
    lock->setStaleLockTime(0); // only a dead holder's lock is stale
    if (!lock->tryLock(0))
        return false;
    held() = std::move(lock);
    return true;
}

void releaseInstanceLock()
{
    held().reset();
}

} // namespace veltra::app
