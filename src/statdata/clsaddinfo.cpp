#include "statdata/clsaddinfo.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "statdata/clslist.h"
#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/statfileformat.h"

namespace {

std::function<QDateTime()> &addedClock()
{
    static std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    return now;
}

// "yyyymmdd" as "yyyy/mm/dd"; a field of another length is returned as it is.
QString slashedDate(const QString &digits)
{
    if (digits.size() != 8)
        return digits;
    return digits.left(4) + u'/' + digits.mid(4, 2) + u'/' + digits.mid(6, 2);
}

QString field(const QString &line, int index)
{
    return line.split(u',').value(index);
}

QString samePathForm(QString path)
{
    return path.replace(u'\\', u'/');
}

} // namespace

void clsAddInfo::setClock(std::function<QDateTime()> now)
{
    addedClock()
        = now ? std::move(now) : std::function<QDateTime()>([] { return QDateTime::currentDateTime(); });
}

void clsAddInfo::SetRecord(
    const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear, const QString &sPrefNum)
{
    const QStringList c = veltra::statdata::splitPath(sRealFilePath);
    const qsizetype u = c.size() - 1;
    m_record[0] = c.value(u - 3);
    m_record[1] = QString(sStartYear).remove(u'/');
    m_record[2] = QString(sEndYear).remove(u'/');
    m_record[3] = c.value(u - 2);
    m_record[4] = c.value(u - 1);
    m_record[5] = sPrefNum;
    m_record[6] = sRealFilePath;
    const QDateTime now = addedClock()();
    m_record[7] = QStringLiteral("%1年%2月%3日 %4")
                      .arg(now.date().year())
                      .arg(now.date().month())
                      .arg(now.date().day())
                      .arg(now.toString(QStringLiteral("HH:mm")));
}

QString clsAddInfo::MakeHeaderLine() const
{
    return QStringLiteral("ユーザーデータ名,年次,,地域の単位,項目のグループ名,都道府県,ファイル名,追加日");
}

QString clsAddInfo::MakeRecordLine(bool withDate) const
{
    QStringList fields(m_record.begin(), m_record.end() - 1);
    return fields.join(u',') + u',' + (withDate ? m_record[7] : QString());
}

// A line is the record's registration when its fields 0 to 6 equal the
// record's, the path compared with either separator. (A search for the key
// text anywhere in the line would let statistics "A" match a line of "BA".)
bool clsAddInfo::matchesRecord(const QString &line) const
{
    const QStringList fields = line.split(u',');
    if (fields.size() < 7)
        return false;
    for (int i = 0; i < 6; ++i) {
        if (fields[i] != m_record[static_cast<std::size_t>(i)])
            return false;
    }
    return samePathForm(fields[6]) == samePathForm(m_record[6]);
}

int32_t clsAddInfo::AddData(
    const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear, const QString &sPrefNum)
{
    SetRecord(sRealFilePath, sStartYear, sEndYear, sPrefNum);
    QStringList lines;
    QStringList contents;
    if (ComFile::ReadAllLines(m_path, lines) > 0) {
        bool replaced = false;
        for (const QString &line : lines) {
            if (!replaced && matchesRecord(line)) {
                contents << MakeRecordLine(true);
                replaced = true;
            } else {
                contents << line;
            }
        }
        if (!replaced)
            contents << MakeRecordLine(true);
    } else {
        contents << MakeHeaderLine() << MakeRecordLine(true);
    }
    return ComFile::WriteAllLines(m_path, contents, true) == 0 ? 0 : -1;
}

int32_t clsAddInfo::RemoveData(
    const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear, const QString &sPrefNum)
{
    SetRecord(sRealFilePath, sStartYear, sEndYear, sPrefNum);
    QStringList lines;
    if (ComFile::ReadAllLines(m_path, lines) <= 0)
        return -1;
    QStringList kept;
    // The header never matches a registration.
    for (const QString &line : lines) {
        if (!matchesRecord(line))
            kept << line;
    }
    if (!kept.isEmpty()) {
        if (ComFile::WriteAllLines(m_path, kept, true) != 0)
            return -2;
    } else if (!ComDirectory::DeleteFile(m_path)) {
        return -3;
    }
    return 0;
}

int32_t clsAddInfo::ReadCsvItems(const QString &csvPath, QString &items)
{
    items.clear();
    // Only the first line is read: a user's CSV may be tens of megabytes.
    QString first;
    bool found = false;
    if (!veltra::fs::fileExists(csvPath) || !veltra::text::readFirstLine(csvPath, first, &found))
        return -1;
    if (!found)
        return -2;
    const QStringList fields = first.split(u',');
    QStringList kept{fields.value(0)};
    for (qsizetype i = 2; i < fields.size(); ++i)
        kept << fields[i];
    items = kept.join(u',');
    return 0;
}

bool clsAddInfo::IsOverlapedEdit(const QString &sSelectedFilePath, const QString &sRealFilePath,
    const QString &sStartYear, const QString &sEndYear, const QString &sPrefNum, AddInfoList &cResultList)
{
    cResultList.clear();
    SetRecord(sRealFilePath, sStartYear, sEndYear, sPrefNum);
    QStringList lines;
    if (ComFile::ReadAllLines(m_path, lines) <= 0)
        return false;
    clsList list;
    list.ListInit(sRealFilePath, sStartYear);
    QString items;
    ReadCsvItems(sSelectedFilePath, items);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (matchesRecord(lines[i]) && list.IsIdenticalSection(items))
            return true;
    }
    return false;
}

bool clsAddInfo::IsPermittedEdit(const QString &sSelectedFilePath, const QString &sRealFilePath,
    const QString &sStartYear, const QString &sEndYear, const QString &sPrefNum, AddInfoList &cResultList)
{
    cResultList.clear();
    SetRecord(sRealFilePath, sStartYear, sEndYear, sPrefNum);
    return CheckSameTarget(cResultList)
        && CheckSameItems(sSelectedFilePath, sRealFilePath, sStartYear, cResultList);
}

bool clsAddInfo::CheckSameTarget(AddInfoList &cResultList)
{
    QStringList lines;
    if (ComFile::ReadAllLines(m_path, lines) <= 0)
        return true;
    bool permitted = true;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u',');
        bool sameGroup = f.size() >= 7;
        for (int k = 0; sameGroup && k <= 4; ++k)
            sameGroup = f[k] == m_record[static_cast<std::size_t>(k)];
        if (sameGroup && (f[5] == m_record[5] || samePathForm(f[6]) == samePathForm(m_record[6]))) {
            cResultList.push_back({QString::number(i), lines[i]});
            permitted = false;
        }
    }
    return permitted;
}

bool clsAddInfo::CheckSameItems(const QString &sSelectedFilePath, const QString &sRealFilePath,
    const QString &sStartYear, AddInfoList &cResultList)
{
    QStringList lines;
    if (ComFile::ReadAllLines(m_path, lines) <= 0)
        return true;
    clsList list;
    list.ListInit(sRealFilePath, sStartYear);
    QString items;
    ReadCsvItems(sSelectedFilePath, items);
    bool permitted = true;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u',');
        if (f.size() < 5)
            continue;
        // The area unit (field 3) is not compared: a group keeps its items
        // across units.
        if (f[0] == m_record[0] && f[1] == m_record[1] && f[2] == m_record[2] && f[4] == m_record[4]
            && !list.IsIdenticalSection(items)) {
            cResultList.push_back({QString::number(i), lines[i]});
            permitted = false;
        }
    }
    return permitted;
}

int32_t clsAddInfo::GetAddInfoFileHeader(QString &sHeader) const
{
    QStringList lines;
    const int32_t read = ComFile::ReadAllLines(m_path, lines);
    if (read < 0)
        return -1;
    if (read == 0)
        return -2;
    sHeader = lines.first();
    return 0;
}

int32_t clsAddInfo::CreateAddedDataList(std::vector<QString> &cAddedDataList) const
{
    cAddedDataList.clear();
    QStringList lines;
    if (ComFile::ReadAllLines(m_path, lines) <= 0)
        return 0;
    for (qsizetype i = 1; i < lines.size(); ++i)
        cAddedDataList.push_back(lines[i]);
    return static_cast<int32_t>(cAddedDataList.size());
}

QString clsAddInfo::GetRealFilePath(const QString &sCSVData)
{
    return field(sCSVData, 6);
}

QString clsAddInfo::GetStartYear(const QString &sCSVData)
{
    return slashedDate(field(sCSVData, 1));
}

QString clsAddInfo::GetEndYear(const QString &sCSVData)
{
    return slashedDate(field(sCSVData, 2));
}

QString clsAddInfo::GetPrefNum(const QString &sCSVData)
{
    return field(sCSVData, 5);
}

QString clsAddInfo::GetKind(const QString &sCSVData)
{
    return field(sCSVData, 3);
}
