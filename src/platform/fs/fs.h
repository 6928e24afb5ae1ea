#pragma once
// Windows-style paths on Linux, and the FileSystemObject subset the system uses.
//
// Every path argument may use '\' or '/'. `resolve` turns it into a local path:
// each name that does not exist exactly is looked up without case in its folder.
// Folder results end in a separator ('/'). Wildcards are '*' and '?', matched
// without case.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace veltra::fs {

// Converts separators to '/' and resolves each existing name without case.
// Names that do not exist at all are kept as given (after the separator change).
QString resolve(const QString &path);

// Separator-normalised path without resolution.
QString normalize(const QString &path);

bool fileExists(const QString &path); // a regular file (a folder is false)
bool folderExists(const QString &path);

// Creates the folder and its missing parents.
bool createFolder(const QString &path);

// Copies one file; `overwrite` false fails when the target exists.
bool copyFile(const QString &from, const QString &to, bool overwrite = true);
// Moves (renames) a file or folder; works across file systems. Never replaces
// an existing target. A target ending in a separator is a folder to move into
// (as for copyFile).
bool moveFile(const QString &from, const QString &to);
// Deletes the files that match a pattern such as "DB\\*.hed"; true when every
// match was deleted (no match is true).
bool deleteFiles(const QString &pattern);
// Deletes a folder and everything in it (true when it is already absent).
bool deleteFolder(const QString &path);

// Names (not paths) of the files / sub-folders of a folder that match a pattern
// such as "*.txt" (without case), sorted by name.
QStringList listFiles(const QString &folder, const QString &pattern = QStringLiteral("*"));
QStringList listFolders(const QString &folder, const QString &pattern = QStringLiteral("*"));

// True when `name` matches the wildcard pattern without case.
bool wildcardMatch(const QString &pattern, const QString &name);

// Why an operation on `path` failed, as a Japanese phrase for the user. The
// cause is read from the file system first (a missing folder, a file where a
// folder should be, a folder where the file should be, a missing file when
// reading), then from the system's error number `err` saved at the failure
// (permission, a read-only file system, a full disk, a too long name, ...).
// Never empty.
QString failureReason(const QString &path, int err, bool writing);
// The system's error number as a Japanese phrase; empty for one without its
// own phrase (and for 0).
QString errorNumberReason(int err);

// The error texts of the functions below are whole messages for the user:
// what failed on which file, then on a line of its own why (failureReason).

// Writes bytes to a temporary copy "<name>.veltra-XXXXXX" in the target's
// folder and renames it over the target, so a failure never leaves a
// half-written file. Copies of that pattern older than a minute, left beside
// the target by a killed write, are removed first (copyFile does the same).
bool writeFileAtomic(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// Removes the copies killed writes left in a folder ("<name>.veltra-XXXXXX"
// beside any file), whatever their age: for a folder no write can be
// running in, such as one a recovery is about to remove.
void removeWriteLeftoversIn(const QString &folder);
// Appends bytes to a file, creating it when missing (no bytes: only creates it).
bool appendFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// Reads a whole file.
bool readFile(const QString &path, QByteArray &bytes, QString *error = nullptr);
// Reads a file's start block by block until `enough` accepts the bytes read
// so far or the file ends, so a long file is not read for its first bytes.
bool readFileStart(const QString &path, QByteArray &bytes,
    const std::function<bool(const QByteArray &)> &enough, QString *error = nullptr);

// The program's own folder under the system temporary folder (created on first
// use, ends in '/'). Temporary files never lie loose in the shared /tmp.
QString tempFolder();
// Creates a new empty uniquely named file in tempFolder(); returns its path.
QString makeTempFile(
    const QString &prefix = QStringLiteral("VEL"), const QString &suffix = QStringLiteral(".tmp"));

} // namespace veltra::fs
