#pragma once
// Private-profile (INI) files with the rules of the Windows profile API.
//
// - Section and key names compare without case; the first match wins.
// - Values are trimmed of blanks; a value in matching single or double quotes
//   loses them.
// - `bufferSize` is the caller's buffer in CP932 bytes including the NUL: a
//   value arrives cut to bufferSize - 1 bytes, never splitting a character.
// - getInt reads the leading integer (optional sign, decimal digits, or 0x hex)
//   and answers the default when the key is missing.
// - Writes keep every other line byte for byte (and its CR LF), create a
//   missing file or section, and go through a temporary file renamed over the
//   old one. A null value (std::nullopt) deletes the key.
// - Parsed files are cached by path and checked on every call against the
//   file's size, modification and change times (nanoseconds) and inode, so
//   reading thousands of keys of one file parses it once, a write through this
//   layer is seen at once, and a file replaced or rewritten by another program
//   is read again. Inside a fs::StampCheckScope a file is checked once per
//   scope (see platform/fs/filestamp.h).
// Files are CP932 (UTF-8 and UTF-16 with a BOM accepted on read, see
// platform/text).
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace veltra::profile {

// GetPrivateProfileString: the value (or `def` when section/key are missing),
// cut to bufferSize - 1 CP932 bytes. `copied` receives the length of the text
// returned in CP932 bytes (the count the ANSI Windows call returns; equal to
// the number of characters for ASCII text). A bufferSize below 1 gives "".
QString getString(const QString &section, const QString &key, const QString &def, const QString &path,
    int bufferSize = 512, int *copied = nullptr);

// True when the section holds the key.
bool hasKey(const QString &section, const QString &key, const QString &path);

// GetPrivateProfileInt: `def` when the key is missing or its value is empty;
// otherwise the leading integer, 0 when the value starts with no digit.
int getInt(const QString &section, const QString &key, int def, const QString &path);

// WritePrivateProfileString with a value (or nullopt to delete the key).
// False on an I/O failure or a character CP932 cannot hold; `error` says why.
// Names or values that would break the file's structure (line breaks, '=' in
// a key, ']' in a section name, empty names) are refused the same way.
// Deleting from a missing file succeeds and creates nothing.
bool writeString(const QString &section, const QString &key, const std::optional<QString> &value,
    const QString &path, QString *error = nullptr);

// One key to write (see writeStrings).
struct KeyWrite
{
    QString section;
    QString key;
    QString value;
};

// Several WritePrivateProfileString calls on one file, applied in order with
// one parse and one atomic write: the file ends up byte for byte as after
// writeString for each in turn. When any name or value is refused nothing is
// written. No writes: nothing happens (a missing file is not created).
bool writeStrings(const std::vector<KeyWrite> &writes, const QString &path, QString *error = nullptr);

// WritePrivateProfileString(section, NULL, NULL): removes the whole section.
bool deleteSection(const QString &section, const QString &path, QString *error = nullptr);

// Names of all sections, in file order (a name repeated later in the file is
// listed once).
QStringList sectionNames(const QString &path);

// Names of all keys of a section (its first occurrence), in file order, each
// once.
QStringList keyNames(const QString &section, const QString &path);

// Key/value pairs of a section, in file order (values processed as getString).
std::vector<std::pair<QString, QString>> sectionEntries(const QString &section, const QString &path);

// Replaces a whole section's entries (WritePrivateProfileSection), creating
// the section (and file) when missing.
bool writeSection(const QString &section, const std::vector<std::pair<QString, QString>> &entries,
    const QString &path, QString *error = nullptr);

// Drops every cached parse (benchmarks and tests; the only change the check
// above can miss is an in-place rewrite to the same size within one tick of
// the file system's clock).
void clearCache();

} // namespace veltra::profile
