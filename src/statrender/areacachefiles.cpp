#include "statrender/areacachefiles.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltra::statrender {

namespace {

bool openFile(const QString &path, AreaCacheFiles::File &file)
{
    file.local = fs::resolve(path);
    file.fd = ::open(QFile::encodeName(file.local).constData(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (file.fd < 0)
        return false;
    struct stat st;
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    file.device = st.st_dev;
    file.inode = st.st_ino;
    file.size = st.st_size;
    return true;
}

void closeFile(AreaCacheFiles::File &file)
{
    if (file.fd >= 0)
        ::close(file.fd);
    file.fd = -1;
}

// The file at its path is still the one kept open, as large as last seen.
bool unchanged(const AreaCacheFiles::File &file)
{
    struct stat st;
    return ::stat(QFile::encodeName(file.local).constData(), &st) == 0 && st.st_dev == file.device
        && st.st_ino == file.inode && st.st_size == file.size;
}

} // namespace

AreaCacheFiles::File *AreaCacheFiles::find(const QString &csvPath, bool bin)
{
    const auto it = m_pairs.find(csvPath);
    if (it == m_pairs.end())
        return nullptr;
    File &file = bin ? it->bin : it->csv;
    if (!unchanged(file)) {
        release(csvPath);
        return nullptr;
    }
    return &file;
}

void AreaCacheFiles::keep(const QString &csvPath, const QString &binPath)
{
    release(csvPath);
    Pair pair;
    bool ok = openFile(csvPath, pair.csv) && openFile(binPath, pair.bin);
    if (ok) {
        char start[3];
        const ssize_t n = ::pread(pair.csv.fd, start, sizeof start, 0);
        int bom = 0;
        text::detectEncoding(QByteArray(start, static_cast<qsizetype>(std::max<ssize_t>(n, 0))), &bom);
        ok = n >= 0 && bom == 0;
    }
    if (!ok) {
        closeFile(pair.csv);
        closeFile(pair.bin);
        return;
    }
    m_pairs.insert(csvPath, pair);
}

bool AreaCacheFiles::append(const QString &csvPath, File &file, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            release(csvPath);
            return false;
        }
        done += n;
    }
    file.size += bytes.size();
    return true;
}

bool AreaCacheFiles::read(const File &file, std::int64_t offset, std::int64_t length, QByteArray &bytes)
{
    bytes.resize(static_cast<qsizetype>(length));
    std::int64_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(file.fd, bytes.data() + done, static_cast<size_t>(length - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void AreaCacheFiles::release(const QString &csvPath)
{
    const auto it = m_pairs.find(csvPath);
    if (it == m_pairs.end())
        return;
    closeFile(it->csv);
    closeFile(it->bin);
    m_pairs.erase(it);
}

void AreaCacheFiles::closeAll()
{
    for (Pair &pair : m_pairs) {
        closeFile(pair.csv);
        closeFile(pair.bin);
    }
    m_pairs.clear();
}

AreaCacheFiles &areaCacheFiles()
{
    static AreaCacheFiles files;
    return files;
}

} // namespace veltra::statrender
