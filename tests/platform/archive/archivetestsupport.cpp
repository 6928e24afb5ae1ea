#include "archivetestsupport.h"

#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRandomGenerator>

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

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char &c : bytes)
        c = static_cast<char>(generator.bounded(256));
    return bytes;
}

// Text, repeats and random runs mixed, as statistics files and pictures are.
QByteArray mixed(quint32 seed)
{
    QRandomGenerator g(seed);
    static const char *words[]
        = {"北海道", "札幌市", "人口", ",", "\r\n", "0", "12345", "世帯数", "合計", " ", "tempdata"};
    QByteArray out;
    const int size = g.bounded(1, 60000);
    while (out.size() < size) {
        switch (g.bounded(4)) {
        case 0:
            for (int i = g.bounded(1, 200); i > 0; --i)
                out.append(words[g.bounded(11)]);
            break;
        case 1:
            out.append(QByteArray(g.bounded(1, 2000), static_cast<char>(g.bounded(256))));
            break;
        case 2:
            out.append(randomBytes(g.bounded(1, 3000), g.generate()));
            break;
        default:
            if (!out.isEmpty()) {
                const int from = g.bounded(static_cast<int>(out.size()));
                out.append(out.mid(from, g.bounded(1, 9000)));
            }
        }
    }
    return out.left(size);
}

} // namespace veltra::test
