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

namespace {

bool isUtf16(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// Where the first line ends in the bytes read so far (its first CR or LF),
// or -1. UTF-16 is searched by whole code units after its byte-order mark.
qsizetype firstLineEnd(const QByteArray &bytes)
{
    if (isUtf16(bytes)) {
        const bool little = bytes.startsWith("\xFF");
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const char low = little ? bytes[i] : bytes[i + 1];
            const char high = little ? bytes[i + 1] : bytes[i];
            if (high == 0 && (low == '\r' || low == '\n'))
                return i;
        }
        return -1;
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n')
            return i;
    }
    return -1;
}

} // namespace

bool readFirstLine(const QString &path, QString &line, bool *found, QString *error)
{
    line.clear();
    if (found)
        *found = false;
    QByteArray bytes;
    // A UTF-16 byte-order mark needs its two bytes before a line end can be
    // told apart from half of a character.
    const auto enough = [](const QByteArray &read) { return read.size() >= 2 && firstLineEnd(read) >= 0; };
    if (!fs::readFileStart(path, bytes, enough, error))
        return false;
    const qsizetype end = firstLineEnd(bytes);
    if (end >= 0)
        bytes.truncate(end);
    int bom = 0;
    const Encoding encoding = detectEncoding(bytes, &bom);
    line = decode(bytes.mid(bom), encoding);
    if (found)
        *found = end >= 0 || bytes.size() > bom;
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
    // leaves the old file as it was. The lines are encoded as one text (the
    // conversion is per character, so the bytes are the same), and only a
    // refusal looks for its line to name it.
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString all;
    all.reserve(size);
    for (const QString &line : lines) {
        all += line;
        all += QLatin1String("\r\n");
    }
    QByteArray bytes;
    QString why;
    if (encodeCp932(all, bytes, &why))
        return fs::writeFileAtomic(path, bytes, error);
    QByteArray encoded;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!encodeCp932(lines.at(i), encoded, &why)) {
            if (error)
                *error = QStringLiteral("ファイルに書き込めません: %1\n%2 行目: %3")
                             .arg(path)
                             .arg(i + 1)
                             .arg(why);
            return false;
        }
    }
    if (error)
        *error = QStringLiteral("ファイルに書き込めません: %1\n%2").arg(path, why);
    return false;
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
