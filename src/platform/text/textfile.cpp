// Whole text files: the read rule on the way in, CP932 with CR LF on the way out.
#include "platform/fs/fs.h"
#include "platform/text/text.h"

#include <QFile>

namespace veltra::text {

QStringList splitLines(const QString &contents)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = contents.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = contents.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(contents.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && contents.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(contents.mid(start));
    return lines;
}

bool readText(const QString &path, QString &contents, QString *error)
{
    contents.clear();
    QByteArray bytes;
    if (!fs::readFile(path, bytes, error))
        return false;
    contents = decodeAuto(bytes);
    return true;
}

bool readLines(const QString &path, QStringList &lines, QString *error)
{
    lines.clear();
    QString contents;
    if (!readText(path, contents, error))
        return false;
    lines = splitLines(contents);
    return true;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    // Everything is encoded before the file is touched, so a refused character
    // leaves the old file as it was.
    QByteArray bytes;
    QByteArray encoded;
    QString why;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!encodeCp932(lines.at(i), encoded, &why)) {
            if (error)
                *error = QStringLiteral("ファイルに書き込めません: %1\n%2 行目: %3")
                             .arg(path)
                             .arg(i + 1)
                             .arg(why);
            return false;
        }
        bytes += encoded;
        bytes += "\r\n";
    }
    return fs::writeFileAtomic(path, bytes, error);
}

bool appendLine(const QString &path, const QString &line, QString *error)
{
    QByteArray bytes;
    QString why;
    if (!encodeCp932(line, bytes, &why)) {
        if (error)
            *error = QStringLiteral("ファイルに書き込めません: %1\n%2").arg(path, why);
        return false;
    }
    bytes += "\r\n";
    // Only the start is read to tell: a log may be long.
    QFile file(fs::resolve(path));
    QByteArray start;
    if (file.open(QIODevice::ReadOnly))
        start = file.read(3);
    file.close();
    int bom = 0;
    detectEncoding(start, &bom);
    QByteArray old;
    if (bom > 0 && fs::readFile(path, old)) {
        QStringList lines = splitLines(decodeAuto(old));
        lines << line;
        return writeLines(path, lines, error);
    }
    return fs::appendFile(path, bytes, error);
}

} // namespace veltra::text
