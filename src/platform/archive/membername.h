#pragma once
// Member names as LHA archives store them, and the checks a name passes before
// anything is created from it.
//
// Stored names are bytes: CP932 as Windows archivers write them, UTF-8 from
// some Unix ones (text::decodeAuto tells them apart). Folders are separated by
// '\', '/' or 0xFF (the separator of directory headers). A CP932 character
// whose second byte is 0x5C (十 8F 5C, ソ 83 5C, 表 95 5C) is one character,
// never a separator.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veltra::archive {

struct StoredName
{
    // The components joined by '/'.
    QString path;
    // The path split at every separator. Empty components are kept: a leading
    // one marks an absolute path, a trailing one a name ending in a separator.
    QStringList components;
};

// Decodes a member's folder field (directory header, may be empty) and name
// field into one path.
StoredName decodeStoredName(const QByteArray &folderBytes, const QByteArray &nameBytes);

// True when `name` can be created as one file or folder name in a folder: not
// empty, not "." or "..", no NUL or other control character and no separator.
bool isSafeComponent(const QString &name);

// True when `name` is a Windows drive ("C:").
bool isDriveComponent(const QString &name);

// The relative path a member is stored under: separators made '/', a drive
// and the root removed, "." and ".." components dropped. Empty when no name
// is left.
QString relativeStoredPath(const QString &path);

// Encodes a relative stored path for a level-2 header: the folders in CP932
// joined and ended by 0xFF (empty without folders), the file name on its own.
// False (with a message) when CP932 cannot hold a character or a field is
// longer than a header can carry.
bool encodeStoredName(
    const QString &relativePath, QByteArray &folderBytes, QByteArray &nameBytes, QString *error = nullptr);

} // namespace veltra::archive
