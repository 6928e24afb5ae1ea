#pragma once
// A new file written beside its target and renamed over it when complete.
//
// The temporary file lies in the target's own folder, so the rename never
// crosses file systems and replaces the target in one step: a symbolic link
// standing at the target's name is replaced, never written through. Until
// commit() succeeds the target is untouched; the temporary file is removed on
// every other path (failure, early return, destruction).
#include <QByteArray>
#include <QString>

namespace veltra::archive {

class SiblingFile
{
public:
    // Creates the temporary file in `folder` (a local path ending in '/').
    explicit SiblingFile(const QString &folder);
    ~SiblingFile();
    SiblingFile(const SiblingFile &) = delete;
    SiblingFile &operator=(const SiblingFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Errno of the first failure (0 when none).
    int errorNumber() const { return m_errno; }

    bool write(const char *data, qint64 length);
    bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    // Writes at an absolute offset (to fill in a header after its data).
    bool writeAt(qint64 offset, const QByteArray &bytes);
    qint64 size() const { return m_size; }
    // Cuts the file back to `size` bytes; later writes go on from there.
    bool truncate(qint64 size);
    // Gives the file these permission bits (else 0666 less the umask).
    bool setPermissions(unsigned mode);

    // Flushes, closes and renames the file over `target`.
    bool commit(const QString &target);

private:
    void discard();

    QByteArray m_path;
    int m_fd = -1;
    int m_errno = 0;
    qint64 m_size = 0;
};

} // namespace veltra::archive
