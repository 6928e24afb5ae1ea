#include "statdata/clsindex.h"

#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/statfileformat.h"
#include "statdata/statfilepaths.h"

using namespace veltra::statdata;

namespace {

// The file name a line lists: the text after its first '=' (the whole line
// when it has none).
QString listedName(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.mid(eq + 1);
}

QString sectionLine()
{
    return QLatin1Char('[') + QString::fromUtf16(kFileIndexSection) + QLatin1Char(']');
}

} // namespace

void clsIndex::IndexInit(const QString &sRealFilePath, const QString &sPrefNum)
{
    m_realFilePath = sRealFilePath;
    m_prefNum = sPrefNum;
    m_fileName = fileNameOf(sRealFilePath);
    m_indexPath = fileIndexPath(folderOf(sRealFilePath));
}

int32_t clsIndex::AddData()
{
    const auto pref = prefNumberFromText(m_prefNum);
    if (!pref || m_fileName.isEmpty())
        return -1;
    const QString newLine = fileIndexKey(*pref) + QLatin1Char('=') + m_fileName;

    QStringList lines;
    const int32_t count = ComFile::ReadAllLines(m_indexPath, lines);
    if (count >= 2) {
        for (int i = 1; i < lines.size(); ++i) {
            if (listedName(lines.at(i)) == m_fileName)
                return 0;
        }
        lines << newLine;
        return ComFile::WriteAllLines(m_indexPath, lines, true) == 0 ? 0 : -1;
    }
    // An index that exists but cannot be read is never replaced: its other
    // prefectures would drop out.
    if (count < 0 && ComDirectory::IsFileExist(m_indexPath))
        return -1;
    if (!ComDirectory::CreateFolderTree(folderOf(m_indexPath)))
        return -1;
    return ComFile::WriteAllLines(m_indexPath, {sectionLine(), newLine}, true) == 0 ? 0 : -1;
}

int32_t clsIndex::RemoveData()
{
    QStringList lines;
    if (ComFile::ReadAllLines(m_indexPath, lines) <= 0)
        return -1;
    QStringList kept{lines.first()};
    for (int i = 1; i < lines.size(); ++i) {
        if (listedName(lines.at(i)) != m_fileName)
            kept << lines.at(i);
    }
    if (kept.size() == 1) {
        if (!ComDirectory::DeleteFile(m_indexPath))
            return -3;
        const QString folder = folderOf(m_indexPath);
        if (ComDirectory::GetFileCount(folder) == 0 && !ComDirectory::DeleteFolder(folder))
            return -1;
        return 0;
    }
    return ComFile::WriteAllLines(m_indexPath, kept, true) == 0 ? 0 : -2;
}
