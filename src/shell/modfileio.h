#pragma once
// modFileIO: whole text files in, single lines out.
//
// Files are read by the platform's read rule (CP932, or UTF-8 when the bytes
// say so) and written as CP932 with CR LF. Failures give False; nothing is shown.
#include <QString>
#include <cstdint>
#include <vector>

namespace modFileIO {

// The most lines ReadTextLines accepts; a longer file fails.
inline constexpr int32_t MaxTextLines = 250000;

// Reads every line of a file into lines(1) … lines(count); lines(0) stays
// empty and the array ends at count. A last line without a line end counts, a
// final line end makes no extra line. On failure (missing file, unreadable,
// more than MaxTextLines lines) the result is False, count 0 and lines holds
// only the empty element 0.
bool ReadTextLines(const QString &filePath, std::vector<QString> &lines, int32_t &count);

// Appends the text and CR LF, creating a missing file; an empty text writes
// nothing but still creates the file. False when the file cannot be written or
// the text holds a character CP932 cannot (nothing is written then).
bool AppendTextLine(const QString &filePath, const QString &text);

} // namespace modFileIO
