#pragma once
// ComPSY: the line arrays of the analysis files and their fields.
//
// A line array holds a text file read whole: element 0 is never used (empty),
// elements 1 to n are the file's lines in order without their line ends, so
// the array's upper bound is n (0 for an empty file). The header accessors
// and the work-file deletion build on it; nothing here shows a message.
#include <QString>
#include <cstdint>
#include <vector>

namespace ComPSY {

// The most lines a line array takes; a longer file does not read.
inline constexpr int32_t kMaxLines = 50000;

// Reads the whole text file (CP932; UTF-8 and UTF-16 by the read rule) into
// lines(1..n). False when the file cannot be read or has more than kMaxLines
// lines; `lines` then holds element 0 alone.
bool ReadLines(const QString &path, std::vector<QString> &lines);

// Writes lines(1..count) as the new content of the file (CP932, CR LF), by a
// temporary file renamed into place, so a failure leaves the old file intact.
// A count of 0 or less writes an empty file. False when count exceeds the
// array's upper bound, a line has a character CP932 cannot hold, or the
// write fails.
bool WriteLines(const QString &path, const std::vector<QString> &lines, int32_t count);

// The names (without folder) of the files of `folder` (given without a
// trailing separator) matching "*.hed", sorted, into names(1..n); names(0)
// empty. A missing folder lists nothing and is True; False only when the
// folder exists but cannot be listed.
bool ListHeaderFiles(const QString &folder, std::vector<QString> &names);

// Field `fieldNumber` of line `lineNumber`: the line split at every comma
// with no quote handling (quotes stay), the text before the first comma being
// field 0. An empty line has no fields, as VB's Split gives none. A line or
// field that does not exist raises veltra::vb::SubscriptOutOfRange.
QString GetLineField(const std::vector<QString> &lines, int32_t lineNumber, int32_t fieldNumber);

} // namespace ComPSY
