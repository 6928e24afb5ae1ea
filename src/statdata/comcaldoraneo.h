#pragma once
// Area codes, place names and statistics values of one area.
//
// An area code is a text of decimal digits: prefecture number in characters
// 1-2, municipality number in 3-5 (3-7 in a 7-character code), town-block
// number in 6-11. The part functions answer numbers as decimal text without
// leading zeros, "0" for a part the code does not have; the name functions
// look the parts up in the place-name database (MeshDatabase::shared()).
//
// The value functions read the statistics value files: a value file is found
// through the item-list file of a data reference, the value folder and, for
// municipalities and town blocks, the folder's FileIndex.txt; the value is the
// first line whose (completed) code begins with the first n characters of the
// area code. Lookup status: 0 found, 1 no data ("-"), 2 area or column not
// found (also when the value file cannot be read).
//
// Common use (statistics map window, per template field):
//   GetCalcExpression -> parse (analyzer) -> CheckCalcVariables ->
//   for each area: CalcAreaValue (n = 2, 5 or 7, 11 by area level).
// Each CalcAreaValue checks every file it reads on disk once; a caller that
// evaluates many areas at once opens a veltra::fs::StampCheckScope
// (platform/fs/filestamp.h) around them so each file is checked once for all.
// The area reference mode (AreaSanshouMode, FindAreaAtPoint, SetRecognizeMode,
// SearchAreaConnectors) reads map elements and lives in mapwindow/areasanshou.h.
// Nothing here keeps state between calls except the cache of value-file line
// indexes, which is keyed by the file's identity on disk.
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace ComCaldoraNeo {

// --- area codes -----------------------------------------------------------

QString GetPrefCode(const QString &code);
QString GetCityCode(const QString &code);
QString GetTownCode(const QString &code);

// Normalises the last comma field of the text to prefecture, municipality and
// town-block numbers; all 0 when the text is empty or not a digit code.
// A 7-character code is a prefecture and a five-digit municipality number.
void SplitAreaCode(const QString &text, std::array<int32_t, 3> &parts);

// Names from the place-name database; "" when the code is not a digit code,
// names no row, or the database cannot answer.
QString GetPrefName(const QString &code);
QString GetCityName(const QString &code);
QString GetTownName(const QString &code);

// --- values ---------------------------------------------------------------

// The value of one template field for one area. `variables` and
// `itemListFiles` are used from index 1 to `count` (index 0 is ignored).
double CalcAreaValue(const QString &areaCode, int32_t n, int32_t count, const std::vector<QString> &variables,
    const std::vector<QString> &itemListFiles, int32_t &status);

// The value of one column (or the sum of a column range) of the first line of
// the value file whose code matches the first n characters of the area code.
double ReadAreaValue(const QString &valueFile, const QString &areaCode, int32_t n, int16_t areaLevel,
    int32_t firstColumn, int32_t lastColumn, bool range, int32_t &status);

// The value file of a value folder: at levels 0 and 1 the first "*.txt" of the
// folder by name (FileIndex.txt and record indexes excluded), at levels 2 and
// 3 the file that FileIndex.txt names for the prefecture; "" when none.
QString GetDataFileName(int32_t prefecture, const QString &folder, int16_t areaLevel);

// `fields` as split by mdlCommon::SplitComma; column 1 is the first value.
double GetColumnValue(
    int32_t column, int32_t fieldCount, const std::vector<QString> &fields, int32_t &status);
double SumColumnRange(int32_t firstColumn, int32_t lastColumn, int32_t fieldCount,
    const std::vector<QString> &fields, int32_t &status);

// --- data references ------------------------------------------------------

// "{[area unit][data kind][item]}" into its three parts; the number of
// non-empty parts.
int16_t SplitEntryData(const QString &reference, std::array<QString, 3> &parts);
// "left:right"; true when the text holds ":".
bool SplitRangeEntry(const QString &text, QString &left, QString &right);
// 2 for "市区町村", 3 for "町丁字", 0 otherwise.
int16_t GetAreaLevel(const QString &reference);

// The expression of field k of a calculation template: Data1..DataCnt of
// section "Calc<k>" joined; "" when Cnt is missing or not a number >= 0.
QString GetCalcExpression(const QString &templateFile, int32_t k);

// True when every range variable ("{...}:{...}") stays in one data kind and
// is not of "情報点"; otherwise shows the first refusal as a warning and
// answers false.
bool CheckCalcVariables(const std::vector<QString> &variables);

} // namespace ComCaldoraNeo

namespace veltra::statdata {

// The evaluation of the parsed template expression with the values of its
// variables (index 0 unused, index i = variable i). The statistics map window
// registers its own; without one every evaluation fails (value 0).
using AreaCalculation = std::function<bool(QVariant &result, const std::vector<double> &values)>;
void setAreaCalculation(AreaCalculation calculation);

// The refusal text of CheckCalcVariables for the variables, "" when every
// range is allowed (the check without the message box).
QString calcVariablesRefusal(const std::vector<QString> &variables);

// ReadAreaValue without the line-index cache: opens and scans the file from
// the top for every call, as the value files were always read. Kept for
// comparison in tests and benchmarks.
double scanAreaValue(const QString &valueFile, const QString &areaCode, int32_t n, int16_t areaLevel,
    int32_t firstColumn, int32_t lastColumn, bool range, int32_t &status);

} // namespace veltra::statdata
