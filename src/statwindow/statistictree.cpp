#include "statwindow/statistictree.h"

#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/statfileformat.h"

#include <QDate>

namespace veltra::statwindow {

namespace {

constexpr int kMaxEntries = 32000;
// Entries of the pyramid layout reach detail 9; the others end at detail 3.
constexpr std::size_t kPyramidEraDetail = 9;
constexpr std::size_t kEraDetail = 3;

QString readValue(const QString &section, const QString &key, const QString &file)
{
    QString value;
    mdlCommon::ReadIniString(section, key, value, file);
    return value;
}

std::int32_t numberOrZero(const QString &text)
{
    return vb::isNumeric(text) ? vb::cLng(text) : 0;
}

std::vector<QString> quotedFields(const QString &entry)
{
    std::vector<QString> fields;
    mdlCommon::SplitQuoted(entry, fields, 1, QStringLiteral("\""), QStringLiteral(","));
    return fields;
}

} // namespace

bool eraTexts(const QString &startDate, QString &eraCode, QString &eraYearText)
{
    eraCode.clear();
    eraYearText.clear();
    if (startDate.size() <= 5)
        return false;
    bool okYear = false;
    bool okMonth = false;
    bool okDay = false;
    const int year = startDate.mid(0, 4).toInt(&okYear);
    const int month = startDate.mid(4, 2).toInt(&okMonth);
    const int day = startDate.mid(6, 2).toInt(&okDay);
    const QDate date(year, month, day);
    if (!okYear || !okMonth || !okDay || !date.isValid())
        return false;
    eraCode = vb::format(date, QStringLiteral("ge"));
    eraYearText = vb::format(date, QStringLiteral("ggge")) + QStringLiteral("年");
    return true;
}

std::vector<StatYearEntry> readYearList(const QString &etcPath, bool flowMap)
{
    std::vector<StatYearEntry> list;
    QStringList lines;
    // A missing or unreadable file leaves the tree empty, without a message.
    if (text::readLines(etcPath + statdata::yearFileName(), lines)) {
        for (QString line : lines) {
            if (line.isEmpty())
                continue;
            std::vector<QString> fields;
            if (mdlCommon::SplitComma(line, fields) < 2)
                continue;
            if (!flowMap && fields[0].contains(migrationReportName(), Qt::CaseInsensitive))
                continue;
            StatYearEntry entry;
            entry.Name = fields[0];
            entry.StartDate = fields[1];
            entry.EndDate = fields.size() > 2 ? fields[2] : QString();
            if (eraTexts(entry.StartDate, entry.EraCode, entry.EraYearText))
                entry.ListFile = etcPath + entry.Name + QStringLiteral(".TXT");
            list.push_back(entry);
        }
    }
    list.push_back(StatYearEntry{});
    return list;
}

QString areaUnitOfLevel(std::int32_t anaRange)
{
    switch (anaRange) {
    case 0:
    case 1:
        return statdata::areaUnitPref();
    case 2:
        return statdata::areaUnitCity();
    default:
        return statdata::areaUnitTown();
    }
}

QString eraNodeKey(int i)
{
    return QStringLiteral("S") + QString::number(i);
}

QString statisticsNodeKey(int i)
{
    return eraNodeKey(i) + QStringLiteral("T");
}

QString dataKindNodeKey(const QString &statisticsKey, int j)
{
    return statisticsKey + QStringLiteral("C") + QString::number(j);
}

QString itemNodeKey(const QString &dataKindKey, int k)
{
    return dataKindKey + QStringLiteral("D") + QString::number(k);
}

QStringList readEntryList(const QString &section, const QString &file)
{
    QStringList entries;
    for (int n = 1; n <= kMaxEntries; ++n) {
        const QString value = readValue(section, statdata::entryKey(n), file);
        if (value.isEmpty())
            break;
        entries << value;
    }
    return entries;
}

bool isPyramidDataKind(const QString &name)
{
    static const QStringList kinds{QStringLiteral("年齢5歳階級別"), QStringLiteral("年齢各歳別(男女別)"),
        QStringLiteral("平成12年"), QStringLiteral("平成22年"), QStringLiteral("平成32年"),
        QStringLiteral("平成42年")};
    return kinds.contains(name);
}

QString flowDataKind()
{
    return QStringLiteral("移動前の住所地別転入者数及び移動後の住所地別転出者数");
}

QString migrationReportName()
{
    return QStringLiteral("住民基本台帳人口移動報告");
}

void splitItemEntry(const QString &entry, QString &text, QString &abbreviation)
{
    const std::vector<QString> fields = quotedFields(entry);
    text = fields.empty() ? QString() : fields[0];
    if (fields.size() == 1)
        abbreviation = fields[0];
    else if (fields.size() == 2)
        abbreviation = fields[1];
    else
        abbreviation.clear();
}

QString ageText(const QString &entry)
{
    const std::vector<QString> fields = quotedFields(entry);
    if (fields.size() == 1)
        return fields[0];
    if (fields.size() == 2)
        return fields[1];
    return {};
}

QString pyramidAbbreviation(const QString &firstAgeText)
{
    return firstAgeText.size() > 3 ? firstAgeText.left(firstAgeText.size() - 3) : QString();
}

QString ryakuMarker()
{
    return QStringLiteral("RYAKU");
}

std::vector<QVariant> leafAttributes(
    const QString &folder, int k, const QString &eraCode, const QString &abbreviation)
{
    return {folder, QString::number(k), eraCode, ryakuMarker(), abbreviation};
}

std::vector<QVariant> flowAttributes(
    const QString &folder, int j, const QString &eraCode, const QString &flowName)
{
    return {folder, QString::number(j), eraCode, ryakuMarker(), flowName};
}

PyramidFields readPyramidFields(const QString &dataKind, const QString &listFile)
{
    PyramidFields f;
    f.DataCnt = numberOrZero(readValue(dataKind, QStringLiteral("DataCnt"), listFile));
    f.StartField1 = numberOrZero(readValue(dataKind, QStringLiteral("StartField1"), listFile));
    f.StartField2 = numberOrZero(readValue(dataKind, QStringLiteral("StartField2"), listFile));
    f.FirstAge = ageText(readValue(dataKind, statdata::entryKey(f.StartField1 - 1), listFile));
    f.SecondAge = ageText(readValue(dataKind, statdata::entryKey(f.StartField2 - 1), listFile));
    return f;
}

std::vector<QVariant> pyramidAttributes(const QString &folder, int j, const PyramidFields &fields,
    const QString &listFile, const QString &eraCode)
{
    return {folder, QString::number(j), fields.DataCnt, fields.StartField1, fields.StartField2, listFile,
        fields.FirstAge, fields.SecondAge, eraCode, ryakuMarker(), pyramidAbbreviation(fields.FirstAge)};
}

std::vector<QVariant> attributesBeforeMarker(const std::vector<QVariant> &attributes)
{
    std::vector<QVariant> before;
    for (const QVariant &a : attributes) {
        if (a.toString() == ryakuMarker())
            break;
        before.push_back(a);
    }
    return before;
}

QString eraCodeOf(const std::vector<QVariant> &attributes)
{
    for (std::size_t i = 1; i < attributes.size(); ++i) {
        if (attributes[i].toString() == ryakuMarker())
            return attributes[i - 1].toString();
    }
    return {};
}

QString lastFolderComponent(const QString &folder)
{
    QString f = folder;
    while (!f.isEmpty() && (f.back() == u'\\' || f.back() == u'/'))
        f.chop(1);
    const qsizetype slash = std::max(f.lastIndexOf(u'\\'), f.lastIndexOf(u'/'));
    return f.mid(slash + 1);
}

bool isTemplateEntry(const std::vector<QString> &details)
{
    return details.size() > 2 && details[2] == QStringLiteral("CALC");
}

bool entryMatchesNode(const std::vector<QString> &details, const QString &nodeText, const QString &dataKind,
    const std::vector<QVariant> &attributes)
{
    // GetSubItemData returns one element more than the entry has details.
    const std::size_t eraDetail = details.size() > kPyramidEraDetail + 1 ? kPyramidEraDetail : kEraDetail;
    if (details.size() <= eraDetail)
        return false;
    const QString eraCode = eraCodeOf(attributes);
    return details[0] == nodeText && lastFolderComponent(details[1]) == dataKind && !eraCode.isEmpty()
        && details[eraDetail] == eraCode;
}

} // namespace veltra::statwindow
