#include "statdata/clstownindex.h"

#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/statfilepaths.h"

using namespace veltra::statdata;

void clsTownIndex::setRealFilePath(const QString &path)
{
    m_realFilePath = path;
    m_indexPath = townRecordIndexPath(path);
}

int32_t clsTownIndex::CreateFile()
{
    QStringList lines;
    if (ComFile::ReadAllLines(m_realFilePath, lines) <= 0)
        return -2;
    QStringList out{QLatin1Char('[') + QString::fromUtf16(kTownIndexSection) + QLatin1Char(']')};
    QString previous;
    for (int j = 1; j < lines.size(); ++j) {
        const QString key = townIndexKey(lines.at(j));
        if (key != previous) {
            out << key + QLatin1Char('=') + QString::number(j);
            previous = key;
        }
    }
    return ComFile::WriteAllLines(m_indexPath, out, true) == 0 ? 0 : -1;
}

int32_t clsTownIndex::DeleteFile()
{
    return deleteFileAndEmptyFolder(m_indexPath);
}
