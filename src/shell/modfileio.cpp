#include "shell/modfileio.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace modFileIO {

bool ReadTextLines(const QString &filePath, std::vector<QString> &lines, int32_t &count)
{
    count = 0;
    lines.assign(1, QString());
    QStringList read;
    if (!veltra::text::readLines(filePath, read))
        return false;
    if (read.size() > MaxTextLines)
        return false;
    lines.reserve(read.size() + 1);
    for (QString &line : read)
        lines.push_back(std::move(line));
    count = static_cast<int32_t>(read.size());
    return true;
}

bool AppendTextLine(const QString &filePath, const QString &text)
{
    if (text.isEmpty())
        return veltra::fs::appendFile(filePath, QByteArray());
    return veltra::text::appendLine(filePath, text);
}

} // namespace modFileIO
