#include "platform/fs/filestamp.h"

#include <atomic>

namespace veltra::fs {

namespace {

std::atomic<std::uint64_t> nextScope{1};
thread_local std::uint64_t openScope = 0;
thread_local int scopeDepth = 0;

FileStamp fromStat(const struct stat &st)
{
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

} // namespace

bool FileStamp::operator==(const FileStamp &o) const
{
    return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec
        && modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec
        && changed.tv_nsec == o.changed.tv_nsec;
}

std::optional<FileStamp> stampOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return fromStat(st);
}

std::optional<FileStamp> stampOf(const QFile &file)
{
    struct stat st;
    if (::fstat(file.handle(), &st) != 0)
        return std::nullopt;
    return fromStat(st);
}

StampCheckScope::StampCheckScope()
{
    if (scopeDepth++ == 0)
        openScope = nextScope.fetch_add(1, std::memory_order_relaxed);
}

StampCheckScope::~StampCheckScope()
{
    if (--scopeDepth == 0)
        openScope = 0;
}

std::uint64_t StampCheckScope::current()
{
    return openScope;
}

} // namespace veltra::fs
