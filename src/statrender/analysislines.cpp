#include "statrender/analysislines.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "platform/vb/errors.h"

#include <QFileInfo>
#include <QStringList>
#include <string>

namespace ComPSY {

bool ReadLines(const QString &path, std::vector<QString> &lines)
{
    lines.assign(1, QString());
    QStringList read;
    if (!veltra::text::readLines(path, read) || read.size() > kMaxLines)
        return false;
    lines.reserve(static_cast<size_t>(read.size()) + 1);
    for (QString &line : read)
        lines.push_back(std::move(line));
    return true;
}

bool WriteLines(const QString &path, const std::vector<QString> &lines, int32_t count)
{
    if (count > 0 && static_cast<size_t>(count) >= lines.size())
        return false;
    QStringList out;
    if (count > 0) {
        out.reserve(count);
        for (int32_t i = 1; i <= count; ++i)
            out.append(lines[static_cast<size_t>(i)]);
    }
    return veltra::text::writeLines(path, out);
}

bool ListHeaderFiles(const QString &folder, std::vector<QString> &names)
{
    names.assign(1, QString());
    const QFileInfo info(veltra::fs::resolve(folder));
    if (info.isDir() && !(info.isReadable() && info.isExecutable()))
        return false;
    const QStringList found = veltra::fs::listFiles(folder, QStringLiteral("*.hed"));
    names.reserve(static_cast<size_t>(found.size()) + 1);
    for (const QString &name : found)
        names.push_back(name);
    return true;
}

QString GetLineField(const std::vector<QString> &lines, int32_t lineNumber, int32_t fieldNumber)
{
    if (lineNumber < 0 || static_cast<size_t>(lineNumber) >= lines.size())
        throw veltra::vb::SubscriptOutOfRange("Subscript out of range: line " + std::to_string(lineNumber)
            + " of " + std::to_string(static_cast<long long>(lines.size()) - 1) + " lines");
    const QString &line = lines[static_cast<size_t>(lineNumber)];
    // Only the asked field is cut out: the readers ask one field at a time.
    qsizetype start = 0;
    for (int32_t f = 0; fieldNumber >= 0 && !line.isEmpty(); ++f) {
        const qsizetype comma = line.indexOf(QLatin1Char(','), start);
        if (f == fieldNumber)
            return line.mid(start, comma < 0 ? -1 : comma - start);
        if (comma < 0)
            break;
        start = comma + 1;
    }
    throw veltra::vb::SubscriptOutOfRange("Subscript out of range: field " + std::to_string(fieldNumber)
        + " of line " + std::to_string(lineNumber));
}

} // namespace ComPSY
