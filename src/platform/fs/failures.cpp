// Japanese reasons for failed file operations, for the messages the user sees.
#include "platform/fs/fs.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace veltra::fs {

QString errorNumberReason(int err)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスする権限がありません。");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステムです。");
    case ENOSPC:
        return QStringLiteral("ディスクの空き容量が足りません。");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限を超えています。");
#endif
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名またはパスが長すぎます。");
    case ENOTDIR:
        return QStringLiteral("パスの途中にフォルダではなくファイルがあります。");
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダがありません。");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダです。");
    case EEXIST:
        return QStringLiteral("同じ名前のファイルがすでにあります。");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ファイルが使用中です。");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます。");
    case ENOMEM:
        return QStringLiteral("メモリが足りません。");
    case EIO:
        return QStringLiteral("ディスクの読み書きでエラーが起きました。");
    default:
        return QString();
    }
}

QString failureReason(const QString &path, int err, bool writing)
{
    const QString target = QDir::cleanPath(QDir::current().absoluteFilePath(resolve(path)));
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        // The nearest part of the path that exists tells what is wrong with it.
        QString existing = folder;
        while (!QFileInfo::exists(existing) && existing != QDir::rootPath()
            && existing != QFileInfo(existing).absolutePath()) {
            existing = QFileInfo(existing).absolutePath();
        }
        if (QFileInfo::exists(existing) && !QFileInfo(existing).isDir())
            return QStringLiteral("フォルダの代わりにファイルがあります: %1").arg(existing);
        if (err != ENAMETOOLONG)
            return QStringLiteral("フォルダがありません: %1").arg(folder);
    }
    if (info.isDir())
        return QStringLiteral("ファイルではなくフォルダです: %1").arg(target);
    if (!writing && !info.exists() && err != ENAMETOOLONG)
        return QStringLiteral("ファイルがありません。");
    const QString known = errorNumberReason(err);
    if (!known.isEmpty())
        return known;
    if (writing && info.exists() && !info.isWritable())
        return QStringLiteral("ファイルが読み取り専用です。");
    if (writing && !QFileInfo(folder).isWritable())
        return QStringLiteral("フォルダに書き込む権限がありません: %1").arg(folder);
    if (err != 0)
        return QStringLiteral("システムのエラーです（エラー番号 %1）。").arg(err);
    return writing ? QStringLiteral("書き込みに失敗しました。") : QStringLiteral("読み込みに失敗しました。");
}

} // namespace veltra::fs
