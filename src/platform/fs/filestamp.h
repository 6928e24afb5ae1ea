#pragma once
// What identifies one version of a file on disk, for caches of what was read
// from it: an atomic rewrite changes the inode, an in-place one the size or
// the change time (which no one can set back), so a file replaced by one of
// the same size and modification time is still told apart.
#include <QFile>
#include <QString>
#include <cstdint>
#include <optional>
#include <sys/stat.h>

namespace veltra::fs {

struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileStamp &o) const;
};

// The stamp of a regular file by its (resolved) path; nothing for a missing
// file or anything else than a regular file.
std::optional<FileStamp> stampOf(const QString &path);
// The stamp of an open file.
std::optional<FileStamp> stampOf(const QFile &file);

// While a scope is open on a thread, the caches of what was read from files
// (parsed profile files, value-file indexes) and path resolution check a file
// once and trust that check for the rest of the scope: one evaluation reads
// the same few files for every area, and a stat() per read would cost more
// than the read. Open one around a unit of work, such as one evaluation or a
// batch of them; a file another program changes while the scope is open is
// read anew in the next scope. Writes through the profile layer are seen at
// once. Scopes nest; the outermost one counts.
class StampCheckScope
{
public:
    StampCheckScope();
    ~StampCheckScope();
    StampCheckScope(const StampCheckScope &) = delete;
    StampCheckScope &operator=(const StampCheckScope &) = delete;

    // The open outermost scope of this thread, unique in the process; 0 when
    // none is open (then every read checks).
    static std::uint64_t current();
};

} // namespace veltra::fs
