#include "platform/archive/siblingfile.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltra::archive {

SiblingFile::SiblingFile(const QString &folder)
{
    const QByteArray base = QFile::encodeName(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name
            = ".veltra-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        m_path = base + name;
        m_fd = ::open(m_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (m_fd >= 0) {
            m_errno = 0;
            return;
        }
        m_errno = errno;
        if (m_errno != EEXIST)
            break;
    }
    m_path.clear();
}

SiblingFile::~SiblingFile()
{
    discard();
}

void SiblingFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_path.isEmpty())
        ::unlink(m_path.constData());
    m_path.clear();
}

bool SiblingFile::write(const char *data, qint64 length)
{
    if (m_fd < 0)
        return false;
    while (length > 0) {
        const ssize_t done = ::write(m_fd, data, static_cast<size_t>(length));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            m_errno = done < 0 ? errno : ENOSPC;
            discard();
            return false;
        }
        data += done;
        length -= done;
        m_size += done;
    }
    return true;
}

bool SiblingFile::writeAt(qint64 offset, const QByteArray &bytes)
{
    if (m_fd < 0)
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done),
            static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_errno = n < 0 ? errno : ENOSPC;
            discard();
            return false;
        }
        done += n;
    }
    return true;
}

bool SiblingFile::truncate(qint64 size)
{
    if (m_fd < 0)
        return false;
    if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0
        || ::lseek(m_fd, static_cast<off_t>(size), SEEK_SET) < 0) {
        m_errno = errno;
        discard();
        return false;
    }
    m_size = size;
    return true;
}

bool SiblingFile::setPermissions(unsigned mode)
{
    if (m_fd < 0)
        return false;
    return ::fchmod(m_fd, static_cast<mode_t>(mode & 07777)) == 0;
}

bool SiblingFile::commit(const QString &target)
{
    if (m_fd < 0)
        return false;
    if (::fsync(m_fd) != 0 && errno != EINVAL) {
        m_errno = errno;
        discard();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        m_errno = errno;
        discard();
        return false;
    }
    if (std::rename(m_path.constData(), QFile::encodeName(target).constData()) != 0) {
        m_errno = errno;
        discard();
        return false;
    }
    m_path.clear();
    return true;
}

} // namespace veltra::archive
