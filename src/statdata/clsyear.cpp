#include "statdata/clsyear.h"

#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/statfileformat.h"

#include <QRegularExpression>

using namespace veltra::statdata;

void clsYear::YearInit(const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear)
{
    m_realFilePath = sRealFilePath;
    m_startText = sStartYear;
    m_endText = sEndYear;
    m_start = QString(sStartYear).remove(QLatin1Char('/'));
    m_end = QString(sEndYear).remove(QLatin1Char('/'));

    const QStringList c = splitPath(sRealFilePath);
    const int u = static_cast<int>(c.size()) - 1;
    m_valid = false;
    m_statName.clear();
    m_filePaths = {};
    if (u < 4)
        return;
    m_statName = c.at(u - 3);
    const QString etc = joinParts(c, 0, u - 4);
    m_filePaths[0] = etc + QLatin1Char('/') + yearFileName();
    m_filePaths[1] = etc + QLatin1Char('/') + etc2FolderName() + QLatin1Char('/') + yearFileName();

    static const QRegularExpression eightDigits(QStringLiteral("^[0-9]{8}$"));
    m_valid = !m_statName.isEmpty() && !m_statName.contains(QLatin1Char(','))
        && eightDigits.match(m_start).hasMatch() && eightDigits.match(m_end).hasMatch();
}

QString clsYear::lineText() const
{
    return m_statName + QLatin1Char(',') + m_start + QLatin1Char(',') + m_end;
}

int32_t clsYear::AddData()
{
    if (!m_valid)
        return -2;
    const QString line = lineText();
    QStringList lines;
    const int32_t count = ComFile::ReadAllLines(m_filePaths[0], lines);
    int16_t written = 0;
    if (count > 0) {
        if (lines.contains(line))
            return 0;
        written = ComFile::WriteAllLines(m_filePaths[0], {line}, false);
    } else {
        // An existing file that cannot be read is never replaced: that would
        // drop every other statistics from the catalogue.
        if (count < 0 && ComDirectory::IsFileExist(m_filePaths[0]))
            return -2;
        written = ComFile::WriteAllLines(m_filePaths[0], {line}, true);
    }
    if (written != 0)
        return -2;
    if (!ComDirectory::CopyFile(m_filePaths[0], m_filePaths[1]))
        return -2;
    return 0;
}

int32_t clsYear::RemoveData()
{
    if (!m_valid)
        return -1;
    const QString statFolder = folderOf(m_filePaths[0]) + m_statName + QLatin1Char('/');
    if (ComDirectory::IsFolderExist(statFolder))
        return 0;

    QStringList lines;
    if (ComFile::ReadAllLines(m_filePaths[0], lines) <= 0)
        return -1;
    const QString line = lineText();
    QStringList kept;
    for (const QString &l : std::as_const(lines)) {
        if (l != line)
            kept << l;
    }
    if (!kept.isEmpty()) {
        if (ComFile::WriteAllLines(m_filePaths[0], kept, true) != 0)
            return -2;
        if (!ComDirectory::CopyFile(m_filePaths[0], m_filePaths[1]))
            return -2;
        return 0;
    }
    if (!ComDirectory::DeleteFile(m_filePaths[0]))
        return -3;
    if (!ComDirectory::DeleteFile(m_filePaths[1]))
        return -3;
    return 0;
}
