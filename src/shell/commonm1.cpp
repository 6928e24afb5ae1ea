#include "shell/commonm1.h"

#include "platform/fs/fs.h"

namespace CommonM1 {

namespace {

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

} // namespace

QString GetFolderName(const QString &path)
{
    qsizetype b = 0, e = path.size();
    while (b < e && path[b] == u' ')
        ++b;
    while (e > b && path[e - 1] == u' ')
        --e;
    const QString trimmed = path.mid(b, e - b);
    const qsizetype sep = lastSeparator(trimmed);
    return sep < 0 ? QString() : trimmed.left(sep);
}

QString GetFileTitle(const QString &path)
{
    const QString name = path.mid(lastSeparator(path) + 1);
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString GetTempDir()
{
    return veltra::fs::tempFolder();
}

QString GetTempFile()
{
    return veltra::fs::makeTempFile(QStringLiteral("eg6"), QStringLiteral(".tmp"));
}

} // namespace CommonM1
