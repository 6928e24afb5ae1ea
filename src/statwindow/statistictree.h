#pragma once
// What the statistics item tree of the statistics map window is made of,
// without the tree widget: the year-management file read into StatYearEntry
// records, the area unit of a level, the data kinds and items an item-list
// file offers, the attribute lists of clsStatisticsItem in their three
// layouts, the node keys, and the rule that matches a selector entry with a
// node when the tree is rebuilt.
//
// Attribute layouts (positions from 1, as clsStatisticsItem counts them):
//   leaf     folder, k, EraCode, "RYAKU", abbreviation
//   flow     folder, j, EraCode, "RYAKU", 流線図略
//   pyramid  folder, j, DataCnt, StartField1, StartField2, ListFile,
//            first age text, second age text, EraCode, "RYAKU", abbreviation
// The folder is the area unit's Path, resolved against the list file, and the
// data kind name. EraCode is always the attribute just before "RYAKU".
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace veltra::statwindow {

// One accepted line of the year-management file.
struct StatYearEntry
{
    QString Name;
    QString StartDate;
    QString EndDate;
    QString EraCode; // "ge" of the start date ("R2"); empty when it is no day
    QString EraYearText; // "ggge" and "年" ("令和2年")
    QString ListFile; // etc folder, Name, ".TXT"
};

// Reads "<etcPath>統計ﾃﾞｰﾀ年度管理.txt": one entry per line of two or more
// fields, then one empty entry. Lines naming the migration report are taken
// only for the flow map. A missing or unreadable file gives the empty entry
// alone. A start date that is not eight digits forming a real day leaves
// EraCode, EraYearText and ListFile empty: the statistics offers nothing.
std::vector<StatYearEntry> readYearList(const QString &etcPath, bool flowMap);

// The era texts of a "YYYYMMDD" start date; false when it is no real day.
bool eraTexts(const QString &startDate, QString &eraCode, QString &eraYearText);

// The item-list section of a level: 0 and 1 "都道府県", 2 "市区町村", any
// other "町丁字".
QString areaUnitOfLevel(std::int32_t anaRange);

// Node keys: "S<i>", "S<i>T", "<statistics key>C<j>", "<data kind key>D<k>".
QString eraNodeKey(int i);
QString statisticsNodeKey(int i);
QString dataKindNodeKey(const QString &statisticsKey, int j);
QString itemNodeKey(const QString &dataKindKey, int k);

// The values of Entry1, Entry2, ... of a section, up to the first empty one
// (at most 32000).
QStringList readEntryList(const QString &section, const QString &file);

// The data kinds the pyramid offers, and the one of the flow map.
bool isPyramidDataKind(const QString &name);
QString flowDataKind(); // "移動前の住所地別転入者数及び移動後の住所地別転出者数"
QString migrationReportName(); // "住民基本台帳人口移動報告"

// An item entry ("name" or "name,short name", quotes allowed): the leaf text
// is its first field; the abbreviation is the only field of a one-field entry,
// the second of a two-field one, empty for more.
void splitItemEntry(const QString &entry, QString &text, QString &abbreviation);
// The age text of an entry: field 1 of one field, field 2 of two, else "".
QString ageText(const QString &entry);
// The pyramid abbreviation: the first age text without its last three
// characters; empty when it has three or fewer.
QString pyramidAbbreviation(const QString &firstAgeText);

// The marker between an item's attributes and its abbreviation.
QString ryakuMarker(); // "RYAKU"

std::vector<QVariant> leafAttributes(
    const QString &folder, int k, const QString &eraCode, const QString &abbreviation);
std::vector<QVariant> flowAttributes(
    const QString &folder, int j, const QString &eraCode, const QString &flowName);
struct PyramidFields
{
    std::int32_t DataCnt = 0;
    std::int32_t StartField1 = 0;
    std::int32_t StartField2 = 0;
    QString FirstAge;
    QString SecondAge;
};
// Reads DataCnt, StartField1, StartField2 (not numeric: 0) and the two age
// texts of a data kind's section.
PyramidFields readPyramidFields(const QString &dataKind, const QString &listFile);
std::vector<QVariant> pyramidAttributes(const QString &folder, int j, const PyramidFields &fields,
    const QString &listFile, const QString &eraCode);

// The attributes before "RYAKU" (what a selector entry keeps as details 1 on).
std::vector<QVariant> attributesBeforeMarker(const std::vector<QVariant> &attributes);
// The item's EraCode (the attribute before "RYAKU"); empty when it has none.
QString eraCodeOf(const std::vector<QVariant> &attributes);
// The last component of a folder path ('\' or '/'; a trailing one ignored).
QString lastFolderComponent(const QString &folder);

// A selector entry's details (detail 0 the node text, 1 on the attributes).
// True for an entry made from a calculation template (detail 2 "CALC").
bool isTemplateEntry(const std::vector<QString> &details);
// True when the entry was made from the node: the node's text equals detail
// 0, its data kind the last component of detail 1 and its EraCode the
// entry's own (detail 9 for an entry of the pyramid layout, else detail 3).
bool entryMatchesNode(const std::vector<QString> &details, const QString &nodeText, const QString &dataKind,
    const std::vector<QVariant> &attributes);

} // namespace veltra::statwindow
