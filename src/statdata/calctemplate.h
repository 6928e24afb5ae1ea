#pragma once
// CalcTemplate: one calculation-template file (".cal"), a profile file of up
// to ten fields, each a name and an expression stored token by token
// (Data<g>) with the item-list file of every data reference (File<g>).
//
// Layout: [Comment] Data (the explanation; further lines as Data2, Data3, …
// because a profile value cannot hold a line break), [Subject] AreaType,
// AreaSpace, AreaClosedCnect, AreaRepresentCnect, FieldCnt, and per field
// [Calc<k>] Cnt, Name, Data1, File1, Data2, File2, … Writing over an older
// template overwrites the keys written and leaves the rest (sections beyond
// FieldCnt, tokens beyond Cnt); readers never look past FieldCnt and Cnt.
// Values are read through mdlCommon::ReadIniString, so each reads back cut to
// 255 CP932 bytes.
//
// Templates live in "計算ﾃﾝﾌﾟﾚｰﾄ\<level>" of the data folder: 都道府県 for area
// levels 0 and 1, 市区町村 for 2, 町丁字 for 3.
#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace veltra::statdata {

struct CalcField
{
    QString name;
    std::vector<QString> tokens; // Data1..DataCnt
    std::vector<QString> files; // File1..FileCnt; "" for tokens that are no data reference
};

struct CalcTemplate
{
    QString comment; // lines joined by "\n"
    std::int16_t areaType = 0;
    std::int16_t areaSpace = 0;
    std::int16_t areaClosedCnect = 0;
    std::int16_t areaRepresentCnect = 0;
    std::vector<CalcField> fields;
};

// The template folder of an area level (no trailing separator); "" for an
// unknown level.
QString calcTemplateFolder(const QString &dataFolder, std::int16_t anaRange);

// Whether one folder component of `folder` (separators '\' or '/') is the
// template folder name of the area level; any folder passes for a level
// other than 0 to 3. For a template path pass its folder part, so that a
// file named like a level does not count.
bool isLevelFolder(const QString &folder, std::int16_t anaRange);

// Writes the template in the key order above in one atomic write. Fields
// without tokens are left out and take no number. False, with the file
// unchanged, when the folder is missing or a text cannot be written.
bool writeCalcTemplate(const QString &path, const CalcTemplate &tmpl, QString *error = nullptr);

// Reads the template back: the fields Calc1 … Calc<FieldCnt> (GetFieldCnt),
// each with its tokens Data1 … Data<Cnt>. A section or token key that is
// missing adds nothing, so a damaged count costs no more than the file holds.
// Item-list files are resolved with resolveItemListFile against `dataFolder`
// when it is given (a file that is found nowhere stays as written).
CalcTemplate readCalcTemplate(const QString &path, const QString &dataFolder = QString());

// The numbers n, 1 <= n <= limit, of the names that are `prefix` + n (prefix
// without case, n without sign or leading zero, as a numbered profile read
// names them), ascending and each once.
std::vector<int> presentNumbers(const QStringList &names, QLatin1StringView prefix, int limit);

// The explanation: Data, then Data2, Data3, … while present, joined by "\n".
QString readCalcComment(const QString &path);

} // namespace veltra::statdata
