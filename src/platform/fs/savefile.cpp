#include "platform/fs/savefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace veltra::fs {

namespace {

constexpr int kRandomLength = 6;

QByteArray randomPart()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray out(kRandomLength, '0');
    for (char &c : out)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return out;
}

bool isAsciiLetterOrDigit(QChar c)
{
    return c.unicode() < 128 && c.isLetterOrNumber();
}

} // namespace

SaveFile::SaveFile(const QString &target)
    : m_target(target)
{ }

SaveFile::~SaveFile()
{
    cancel();
}

QString SaveFile::copyPrefix(const QString &name)
{
    return name + QStringLiteral(".veltra-");
}

bool SaveFile::isCopyName(const QString &name)
{
    const QString marker = copyPrefix(QString());
    const qsizetype at = name.size() - kRandomLength - marker.size();
    return at > 0 && QStringView(name).mid(at, marker.size()) == marker
        && std::all_of(name.cend() - kRandomLength, name.cend(), isAsciiLetterOrDigit);
}

void SaveFile::removeLeftovers(const QString &target)
{
    // A write still running is younger than this.
    constexpr qint64 kInFlightSeconds = 60;
    const QFileInfo info(target);
    const QString prefix = copyPrefix(info.fileName());
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addSecs(-kInFlightSeconds);
    const QStringList names = info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.size() != prefix.size() + kRandomLength || !name.startsWith(prefix) || !isCopyName(name))
            continue;
        const QFileInfo entry(info.dir().filePath(name));
        if (!entry.isSymLink() && entry.isFile() && entry.lastModified().toUTC() < oldest)
            QFile::remove(entry.filePath());
    }
}

void SaveFile::removeAllLeftoversIn(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QFileInfo entry(dir.filePath(name));
        if (isCopyName(name) && !entry.isSymLink())
            QFile::remove(entry.filePath());
    }
}

bool SaveFile::fail()
{
    if (m_errno == 0)
        m_errno = errno != 0 ? errno : EIO;
    cancel();
    return false;
}

bool SaveFile::giveCopyAName(const std::function<bool(const QByteArray &copy)> &make)
{
    const QByteArray prefix = QFile::encodeName(copyPrefix(QFile::decodeName(m_final)));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray copy = prefix + randomPart();
        if (make(copy)) {
            m_copy = copy;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

bool SaveFile::open()
{
    m_errno = 0;
    QFileInfo existing(m_target);
    const QByteArray given = QFile::encodeName(m_target);
    if (existing.exists() && ::access(given.constData(), W_OK) != 0)
        return fail();
    if (existing.isDir()) {
        m_errno = EISDIR;
        return fail();
    }
    // A link is written through, as QSaveFile does: its target is replaced.
    QString final = m_target;
    if (existing.isSymLink()) {
        int depth = 128;
        while (--depth && existing.isSymLink())
            existing.setFile(existing.symLinkTarget());
        if (depth > 0)
            final = existing.filePath();
    }
    m_final = QFile::encodeName(final);

    struct stat st;
    const bool hadFile = ::stat(m_final.constData(), &st) == 0 && S_ISREG(st.st_mode);
    // Private until the old file's permissions are copied; a new file gets
    // what the umask leaves of 0666.
    const mode_t mode = hadFile ? 0600 : 0666;
    // The copy stays nameless while it is written (as QSaveFile's does), so a
    // write killed before commit() leaves nothing behind; it gets its name
    // only just before the rename.
    if (::access("/proc/self/fd", X_OK) == 0) {
        const QByteArray folder = QFile::encodeName(QFileInfo(final).absolutePath());
        m_fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (m_fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return fail();
    }
    if (m_fd < 0) {
        // A file system without nameless files: the copy is named from the start.
        const bool made = giveCopyAName([&](const QByteArray &copy) {
            m_fd = ::open(copy.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            return m_fd >= 0;
        });
        if (!made)
            return fail();
    }
    if (hadFile && ::fchmod(m_fd, st.st_mode & 07777) != 0)
        return fail();
    return true;
}

bool SaveFile::write(const char *data, qint64 size)
{
    if (m_fd < 0)
        return false;
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        data += n;
        size -= n;
    }
    return true;
}

bool SaveFile::commit()
{
    if (m_fd < 0)
        return false;
    // A full disk or a failing device may show only here: the short copy must
    // not replace the file.
    if (::fsync(m_fd) != 0 && errno != EINVAL)
        return fail();
    if (m_copy.isEmpty()) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        const bool named = giveCopyAName([&](const QByteArray &copy) {
            return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, copy.constData(), AT_SYMLINK_FOLLOW) == 0;
        });
        if (!named)
            return fail();
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return fail();
    if (std::rename(m_copy.constData(), m_final.constData()) != 0)
        return fail();
    m_copy.clear();
    return true;
}

void SaveFile::cancel()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_copy.isEmpty()) {
        ::unlink(m_copy.constData());
        m_copy.clear();
    }
}

} // namespace veltra::fs
