#include "statdata/comfile.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace text = veltra::text;
namespace fs = veltra::fs;

namespace {

// Encodes the lines as CP932, each ended by CR LF; false when a character
// cannot be held.
bool encodeLines(const QStringList &lines, QByteArray &out)
{
    for (const QString &line : lines) {
        QByteArray bytes;
        if (!text::encodeCp932(line, bytes))
            return false;
        out += bytes;
        out += "\r\n";
    }
    return true;
}

} // namespace

namespace ComFile {

int32_t ReadAllLines(const QString &path, QStringList &lines)
{
    if (!fs::fileExists(path))
        return -1;
    QByteArray bytes;
    if (!fs::readFile(path, bytes))
        return -1;
    const QStringList read = text::splitLines(text::decodeAuto(bytes));
    if (read.isEmpty())
        return 0;
    lines = read;
    return static_cast<int32_t>(read.size());
}

int16_t WriteAllLines(const QString &path, const QStringList &lines, bool overwrite)
{
    const QString folder = veltra::fs::normalize(path).section(QLatin1Char('/'), 0, -2);
    if (!folder.isEmpty() && !fs::folderExists(folder))
        return -1;
    if (fs::folderExists(path))
        return -1;

    if (overwrite || !fs::fileExists(path))
        return text::writeLines(path, lines) ? 0 : -2;

    // Append: the old bytes are kept exactly (a missing final line end is
    // supplied so the first new line does not run on). A file a user saved in
    // UTF-8 is rewritten whole as CP932 so the file never mixes encodings.
    QByteArray old;
    if (!fs::readFile(path, old))
        return -1;
    const QString decoded = text::decodeAuto(old);
    if (decoded != text::decodeCp932(old)) {
        QStringList all = text::splitLines(decoded);
        all += lines;
        return text::writeLines(path, all) ? 0 : -2;
    }
    QByteArray added;
    if (!encodeLines(lines, added))
        return -2;
    if (!old.isEmpty() && !old.endsWith('\n') && !old.endsWith('\r'))
        old += "\r\n";
    return fs::writeFileAtomic(path, old + added) ? 0 : -2;
}

bool SetFileHidden(const QString &path, bool hide)
{
    Q_UNUSED(hide);
    return fs::fileExists(path);
}

} // namespace ComFile
