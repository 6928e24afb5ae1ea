#pragma once
// Writes LHA archives: adds one file per call, as an archiver's add command.
//
// New members are compressed -lh5- (stored -lh0- when that would not make
// them smaller, as archivers do) and written with level-2 headers (CP932 names, folders in the
// directory header separated by 0xFF, the file's modification time, the
// common header CRC) and the data CRC-16. Members already in the archive are
// copied byte for byte; a member stored under the same name (compared without
// case, as Windows archivers do) is replaced in its place. The new archive is
// written to a temporary file beside the old one and renamed over it, so a
// failed add leaves the archive as it was.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace veltra::archive {

enum class Method {
    Stored, // -lh0-
    Compressed, // -lh5-, or -lh0- for data that would not shrink
};

struct Level2Fields
{
    QByteArray method = "-lh0-";
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t time = 0; // seconds since 1970 (UTC)
    std::uint16_t crc = 0;
    QByteArray folder; // CP932, components ended by 0xFF
    QByteArray name; // CP932
};

// The bytes of a level-2 header; empty when the names do not fit in one.
QByteArray level2Header(const Level2Fields &fields);

// Adds the file `file` (a local path) to the archive `archive` (a local path;
// created when missing) under `storedPath` (relative, '/' between folders).
// False when the file cannot be read or changes size while it is read, the
// archive exists but is not an LHA archive, CP932 cannot hold the name, or
// writing fails; `message` then says why, else it reports the member added.
bool addFile(const QString &archive, const QString &file, const QString &storedPath, QString *message,
    Method method = Method::Compressed);

} // namespace veltra::archive
