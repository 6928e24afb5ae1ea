#pragma once
// Names and small rules of the statistics data files, shared by the writers
// (registration of user statistics) and the readers (value lookup, item tree).
//
// Both sides must agree byte for byte on these: the year-management file name,
// the etc2 copy folder, the item-list sections and numbered keys, and the
// padding of area codes. The names of FileIndex.txt and of the town record
// index, and the reading of stored codes, are in statfilepaths.h. Paths are
// accepted with '\' or '/'; paths built here use '/' (platform/fs accepts
// both on every access).
#include <QString>
#include <QStringList>
#include <optional>

namespace veltra::statdata {

// Area units: the folder level below a statistics folder.
QString areaUnitPref(); // "都道府県"
QString areaUnitCity(); // "市区町村"
QString areaUnitTown(); // "町丁字"
// Number of digits of a full area code of the unit: 2, 5 or 11; 0 for any
// other text.
int areaCodeLength(const QString &areaUnit);

// The catalogue of statistics in the etc folder, and the folder of its copies.
QString yearFileName(); // "統計ﾃﾞｰﾀ年度管理.txt"
QString etc2FolderName(); // "etc2"

// Item-list file (an INI file per statistics).
QString itemListTitleSection(); // "統計内容"
QString itemListYearSection(); // "調査年度"
QString itemListKindSection(); // "ﾃﾞｰﾀ種類" (lists area units)
QString itemListPathKey(); // "Path" (in an area unit's section)
// "Entry1", "Entry2", ...: a list is the run of these up to the first key
// that is missing or empty.
QString entryKey(int n);

// The folder an area unit's Path value names. Registration writes a full
// path; the shipped statistics name the folder relative to the item-list
// file's own folder ("R2国勢調査\都道府県\"), so that a data folder keeps
// working wherever it is copied. A relative value is resolved against the
// folder of `itemListFile`; a full path (a leading separator or a drive
// letter) and the empty text are returned as they are.
QString resolveListFolder(const QString &itemListFile, const QString &pathValue);

// The item-list file a calculation template names (File<g>): the path as
// written when that file exists, else the same file under `dataFolder` from
// the path's "etc" folder on (templates written on another machine, or
// shipped with a path relative to the data folder); "" when neither exists.
QString resolveItemListFile(const QString &path, const QString &dataFolder);

// The prefecture number of a text such as "01" or "13" (digits only, blanks
// allowed around); nullopt unless it is a whole number from 1 to 99. The
// FileIndex.txt names and keys are in statfilepaths.h.
std::optional<int> prefNumberFromText(const QString &text);

// Writer's padding of an area code: a code of 1, 4 or 10 characters gets one
// "0" in front (1 -> 01, 1101 -> 01101); any other length is kept.
QString padAreaCode(const QString &code);

// Path components split at '\' or '/'. A leading separator gives an empty
// first component ("/a/b" -> "", "a", "b"), so joinParts restores it.
QStringList splitPath(const QString &path);
// Components first..last joined with '/'.
QString joinParts(const QStringList &parts, int first, int last);
// The folder of a path, up to and including its last separator ('/' form).
QString folderOf(const QString &path);

} // namespace veltra::statdata
