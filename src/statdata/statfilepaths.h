#pragma once
// Names and code rules shared by the writers and the readers of the statistics
// data files: the per-folder file index, the town-block record index of a
// value file, and the completion of area codes that lost their leading zeros.
//
// Paths may use '\' or '/' (they come from data files written on Windows);
// results keep the caller's separators and only add '\' where one is needed.
// The writer and the reader of a file must form its name through these
// functions, so that both sides always agree.
#include <QString>

namespace veltra::statdata {

// The name of the per-folder index that maps prefectures to value files.
inline constexpr char16_t kFileIndexName[] = u"FileIndex.txt";
// The section and key prefix of that index ("[FileName]", "Code13=13.txt").
inline constexpr char16_t kFileIndexSection[] = u"FileName";
inline constexpr char16_t kFileIndexKeyPrefix[] = u"Code";
// The section of a town-block record index ("[Index]", "13101=1").
inline constexpr char16_t kTownIndexSection[] = u"Index";
// What replaces a value file's extension to name its record index.
inline constexpr char16_t kTownIndexSuffix[] = u"Index.txt";

// The folder followed by the name, with exactly one separator between them
// ('\' when the folder does not already end in '\' or '/').
QString joinPath(const QString &folder, const QString &name);

// The file-name part of a path (after the last '\' or '/').
QString fileNameOf(const QString &path);

// "<folder>\FileIndex.txt".
QString fileIndexPath(const QString &folder);

// The key of a prefecture in the file index: "Code" and the number without
// leading zeros ("01" and 1 both give "Code1").
QString fileIndexKey(int prefectureNumber);

// The record index of a town-block value file: the value file's path with the
// extension of its file name (from the last '.' of the name, not of the whole
// path) replaced by "Index.txt". A name without extension gets "Index.txt"
// appended. "C:\data.v2\13.txt" gives "C:\data.v2\13Index.txt".
QString townRecordIndexPath(const QString &valueFilePath);

// The key of a value line in the record index: the first 5 characters.
QString townIndexKey(const QString &areaCode);

// True when the text is not empty and holds only the ASCII digits 0-9.
bool isDigits(const QString &text);

// Completes a code as value files may store it (leading zeros lost): by its
// length 1-2 to 2 digits, 4-5 to 5, 7 stays 7, 8-11 to 11, zeros added on the
// left. Lengths 0, 3, 6 and above 11 have no complete form: the result is
// false and `out` is left empty. A code that is not all digits is kept as it
// is (it can then only match a code with the same characters).
bool completeStoredAreaCode(const QString &code, QString &out);

} // namespace veltra::statdata
