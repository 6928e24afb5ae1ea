// clsAnaFile: the file searches, the numbering of the analysis files and the
// picture files of the item selector.
#include "graphs/clsanafile.h"

#include "platform/fs/fs.h"
#include "platform/vb/errors.h"

#include <algorithm>

using namespace veltra;

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

void clsAnaFile::FindFile()
{
    const QString folder = withSeparator(m_strPath);
    const QString base = m_strFileName.left(m_strFileName.size() - 5).toLower();
    std::vector<std::int32_t> numbers;
    // Files only: a folder named like an analysis file takes no number.
    for (const QString &name : fs::listFiles(folder, m_strFileName)) {
        if (name.size() != 15 && name.size() != 17)
            continue;
        if (name.left(name.size() - 7).toLower() < base)
            continue;
        const QString digits = name.mid(name.size() - 7, 3);
        if (!std::all_of(digits.begin(), digits.end(), isDigit))
            throw vb::TypeMismatch(
                QStringLiteral("解析ファイル名の番号が数字ではありません: %1%2").arg(folder, name).toStdString());
        numbers.push_back(digits.toInt());
    }
    std::sort(numbers.begin(), numbers.end());
    std::int32_t next = 0;
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        next = static_cast<std::int32_t>(p) + 1;
        if (numbers[p] != static_cast<std::int32_t>(p)) {
            next = static_cast<std::int32_t>(p);
            break;
        }
    }
    // Wrapping round to 000 would overwrite an analysis still on the map.
    if (next > 999)
        throw vb::FileError(noFreeNumberMessage().toStdString());
    m_lngNextFileNo = next;
}

void clsAnaFile::FindSymbleFile()
{
    m_strSymbolFile.assign(1, QString());
    const QString folder = withSeparator(m_strPath);
    static const QStringList pictures{QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("jpg"),
        QStringLiteral("wmf"), QStringLiteral("emf")};
    for (const QString &name : fs::listFiles(folder, m_strFileName)) {
        if (name.size() > 3 && pictures.contains(name.right(3).toLower()))
            m_strSymbolFile.push_back(folder + name);
    }
}

std::int32_t clsAnaFile::GetSymbolFileCnt() const
{
    return m_strSymbolFile.empty() ? 0 : static_cast<std::int32_t>(m_strSymbolFile.size()) - 1;
}

QString clsAnaFile::GetSymbolFile(std::int32_t lngIdx) const
{
    if (lngIdx < 1 || lngIdx > GetSymbolFileCnt())
        return QString();
    return m_strSymbolFile[static_cast<std::size_t>(lngIdx)];
}
