#pragma once
// mdlCommon's widget-free helpers, shared by the shell and the statistics
// library: INI values, comma-separated lines, path texts, file and folder
// tests (mdlcommon.h adds the save dialog and opening with the desktop).
//
// None of them shows a message. The INI reader answers an empty value for a
// missing file, section or key. Path texts accept '\' and '/' alike as the
// separator; a separator the helpers add follows the path's own style ('\'
// unless the path uses only '/'). Integer = int16_t, Long = int32_t.
#include <QString>
#include <cstdint>
#include <vector>

namespace mdlCommon {

// The text before its first NUL character (the whole text when it holds none).
QString TrimNull(const QString &text);

// One INI value, cut to its first 255 CP932 bytes (the platform read is told
// a 256-byte buffer). Returns the count the profile read copied, in CP932
// bytes as the ANSI call counts (characters, for ASCII values); 0 when nothing
// was found. Callers test it for non-zero to learn whether a key exists.
int16_t ReadIniString(const QString &section, const QString &key, QString &value, const QString &filePath);

// Splits one line at `separator` outside quoting; a field that begins with the
// quote character is quoted (doubled quotes stand for one; text after the
// closing quote up to the separator is kept). Nothing is trimmed. Returns the
// number of fields (separators outside quoting + 1).
// resizeFlag non-zero: `fields` becomes exactly the fields, from index 0.
// resizeFlag 0: `fields` keeps its size, every element is emptied first and the
// fields fill it from index 0; a character of a field beyond its last element
// raises veltra::vb::SubscriptOutOfRange (the fields before it are filled).
int16_t SplitQuoted(const QString &line, std::vector<QString> &fields, int16_t resizeFlag,
    const QString &quote, const QString &separator);

// Trims spaces at both ends of `text` (written back) and splits it at "," and
// "，" (full-width); quotes mean nothing and an empty field is stored as "0".
// An empty text gives 0 and leaves `fields` as it was.
int32_t SplitComma(QString &text, std::vector<QString> &fields);

// The text without a double quote at its first and at its last position.
QString StripQuotes(const QString &text);

// The text up to and including the last separator; empty when there is none.
QString GetFolderPath(const QString &path);

// The path with a separator added when its last character is not one; an
// empty path gives a lone "\".
QString AddPathSep(const QString &path);

// True for an existing entry that is not a folder. False for an empty path
// and, without touching the disk, for a path holding "*" or "?".
bool FileExists(const QString &path);

// True for an existing folder.
bool FolderExists(const QString &path);

} // namespace mdlCommon
