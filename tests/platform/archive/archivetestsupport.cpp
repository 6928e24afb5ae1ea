#include "archivetestsupport.h"

#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace veltra::test {

QString makeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeBytes(path, bytes);
    return path;
}

QStringList treeOf(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString rel = base.relativeFilePath(info.filePath());
        if (info.isSymLink())
            rel += QLatin1Char('@');
        else if (info.isDir())
            rel += QLatin1Char('/');
        out.append(rel);
    }
    out.sort();
    return out;
}

} // namespace veltra::test
