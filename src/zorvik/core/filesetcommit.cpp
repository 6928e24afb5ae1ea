#include "zorvik/core/filesetcommit.h"

#include "platform/fs/fs.h"

#include <QFile>
#include <QStringList>
#include <cerrno>
#include <cstdio>

namespace zorvik::filesetcommit {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// rename(2) replaces the target in one step.
bool replace(const QString &from, const QString &to, QString *error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    const int err = errno;
    setError(error, QStringLiteral("ファイルを置き換えられません: %1\n%2")
                        .arg(to, veltra::fs::failureReason(to, err, true)));
    return false;
}

bool removeIfPresent(const QString &path, QString *error)
{
    if (!QFile::exists(path) || QFile::remove(path))
        return true;
    setError(error, QStringLiteral("ファイルを削除できません: %1").arg(path));
    return false;
}

QString target(const QString &folder, const QString &name)
{
    return veltra::fs::resolve(folder + name);
}

} // namespace

bool commit(const QString &folder, const std::vector<std::pair<QString, QByteArray>> &files, QString *error)
{
    QStringList names;
    for (const auto &[name, bytes] : files)
        names << name;
    // A marker left by an earlier save that was killed after committing
    // names pending copies that are part of a whole set: they are renamed in
    // first. Otherwise this save's pending copies would take their place under
    // that marker, and a failure before this save's own marker would leave a
    // marker that commits a set of two saves.
    if (!recover(folder, names, error))
        return false;
    // Not committed: the old set stays, the pending copies go.
    const auto dropPending = [&] {
        for (const QString &name : names)
            QFile::remove(target(folder, name) + QLatin1String(PendingSuffix));
        return false;
    };
    for (const auto &[name, bytes] : files) {
        if (!veltra::fs::writeFileAtomic(target(folder, name) + QLatin1String(PendingSuffix), bytes, error))
            return dropPending();
    }
    const QString marker = folder + QLatin1String(MarkerName);
    if (!veltra::fs::writeFileAtomic(marker, names.join(u'\n').toUtf8() + '\n', error))
        return dropPending();
    return recover(folder, names, error);
}

bool recover(const QString &folder, const QStringList &names, QString *error)
{
    const QString marker = folder + QLatin1String(MarkerName);
    QByteArray listed;
    if (!QFile::exists(marker)) {
        for (const QString &name : names) {
            if (!removeIfPresent(target(folder, name) + QLatin1String(PendingSuffix), error))
                return false;
        }
        return true;
    }
    if (!veltra::fs::readFile(marker, listed, error))
        return false;
    for (const QByteArray &line : listed.split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        // Only plain names of this folder.
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == QLatin1String(".."))
            continue;
        const QString path = target(folder, name);
        const QString pending = path + QLatin1String(PendingSuffix);
        if (QFile::exists(pending) && !replace(pending, path, error))
            return false;
    }
    return removeIfPresent(marker, error);
}

} // namespace zorvik::filesetcommit
