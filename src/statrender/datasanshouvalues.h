#pragma once
// What the data reference window (frmPSYDataSanshou) reads and decides,
// without the window: the statistics and their field and item lists, the
// value line of the shown area at each of the three levels, the grid row of
// one item, and the area level that the spaces shown at the map's scale stand
// for.
//
// Files, under the data folder (Windows or local style):
//   etc\etc2\統計ﾃﾞｰﾀ年度管理.txt        one statistics per line, name first
//   etc\etc2\<statistics>.txt            [<level name>] and [<field>] Entry1, ...
//   etc\<statistics>\<level name>\<field>\  the value files of a field
// The prefecture folder's value file is its first "*.txt"; the municipality
// and town-block folders name theirs in FileIndex.txt, [FileName] "Code" and
// the prefecture code.
//
// Codes are the window's whole-number texts ("13", "101", "5001"), "-1" for a
// name without a row. A value line matches by its start: a prefecture line
// by its first two characters (the code as "00"), a municipality line by its
// whole first field (the prefecture as "00" and the municipality as held), a
// town-block line by its first 11 characters ("00", "000", "000000"). The
// first matching line wins; a missing folder, index, key, file or line leaves
// the level without a line.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace veltra::statrender {

// The three area levels, in the order of the window's options and lists.
enum class AreaLevel { Prefecture = 0, Municipality = 1, TownBlock = 2 };

// "都道府県", "市区町村", "町丁字".
QString levelName(AreaLevel level);

// sCode(0 To 2): the prefecture, municipality and town-block code.
using AreaCodes = std::array<QString, 3>;
// One optional text per level (value lines, or one item's values).
using LevelTexts = std::array<std::optional<QString>, 3>;

// The year-management file of the etc2 copies.
QString yearFilePath(const QString &dataPath);
// The item-list file of a statistics, its etc2 copy.
QString itemListPath(const QString &dataPath, const QString &statistics);
// The value folder of a field at a level, ending in a separator.
QString valueFolder(
    const QString &dataPath, const QString &statistics, AreaLevel level, const QString &field);

// The first comma field of each line of the year-management file; empty when
// the file is missing or empty.
QStringList statisticsNames(const QString &dataPath);

// The values of "Entry1", "Entry2", ... of a section, up to the first empty one.
QStringList listEntries(const QString &file, const QString &section);

// The matching rules of value lines (see above). An empty code key matches
// nothing.
bool isPrefectureLine(const QString &line, const QString &pref);
bool isMunicipalityLine(const QString &line, const QString &pref, const QString &city);
bool isTownBlockLine(const QString &line, const QString &pref, const QString &city, const QString &town);

// The value line of the area at each level, looked up independently.
LevelTexts readValueLines(
    const QString &dataPath, const QString &statistics, const QString &field, const AreaCodes &codes);

// Comma field `index` of a line; nothing when there is no line or the line
// has fewer fields.
std::optional<QString> lineField(const std::optional<QString> &line, int index);

// One item's values at the three levels: field position + 1 of each line.
LevelTexts itemValues(const LevelTexts &lines, int position);

// A grid row: the item, then each level's value or "-", with the blanks at
// both ends of the whole row removed.
QStringList gridRow(const QString &item, const LevelTexts &values);

// The area space the displayed spaces stand for: 1 for each entry equal to
// `pref`, 2 for `city`, 4 for `town`; a sum of 1 gives `pref`, 2 or 3
// `city`, anything else (none displayed included) `town`.
std::int16_t useSpaceID(
    const std::vector<std::int16_t> &displayed, std::int16_t pref, std::int16_t city, std::int16_t town);

// The level option an area space selects: 1 the prefecture, 2 the
// municipality, anything else the town block.
AreaLevel levelOfSpace(std::int16_t spaceId);

} // namespace veltra::statrender
