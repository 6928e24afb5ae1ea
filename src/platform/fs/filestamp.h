#pragma once
// What identifies one version of a file on disk, for caches of what was read
// from it: an atomic rewrite changes the inode, an in-place one the size or
// the change time (which no one can set back), so a file replaced by one of
// the same size and modification time is still told apart.
#include <QFile>
#include <QString>
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

} // namespace veltra::fs
