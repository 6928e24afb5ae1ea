#pragma once
// A file replaced whole. The new bytes go to a copy beside the target, which
// commit() syncs, names "<name>.veltra-XXXXXX" and renames over the target,
// so the target always holds either its old bytes or all of the new ones.
// Where the file system allows, the copy has no name while it is written
// (O_TMPFILE), so only a kill between naming and renaming leaves it behind.
//
// The copy's name is a pattern of our own (Qt's QSaveFile has no setting for
// it and uses "<name>.XXXXXX", a shape user files such as "ZORPAK.INI.backup"
// share): copies left by a killed write can then be swept without ever
// touching a file of the user's.
//
// Like QSaveFile, a symbolic link is written through (its target is
// replaced), an existing file keeps its permissions, a new one gets 0666 less
// the umask, and an existing file that may not be written is refused.
#include <QByteArray>
#include <QString>
#include <functional>

namespace veltra::fs {

class SaveFile
{
public:
    // `target` is a local path (already resolved).
    explicit SaveFile(const QString &target);
    // A copy that was not committed is removed.
    ~SaveFile();
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    bool open();
    bool write(const char *data, qint64 size);
    // Syncs the copy and renames it over the target.
    bool commit();
    // Removes the copy; the target stays as it was.
    void cancel();
    // The system's error number of the first failure (0 when it had none).
    int error() const { return m_errno; }

    // The copy's name for a target named `name`, without its random part.
    static QString copyPrefix(const QString &name);
    // True for a name of our copies' pattern ("<name>.veltra-XXXXXX").
    static bool isCopyName(const QString &fileName);
    // Removes the copies killed writes of `target` left beside it: files of
    // our pattern old enough that no write still running can own them.
    static void removeLeftovers(const QString &target);
    // Removes every copy of our pattern in a folder, whatever its age.
    static void removeAllLeftoversIn(const QString &folder);

private:
    bool fail();
    // Names the copy "<final name>.veltra-" and six random letters or digits:
    // `make` creates or links it under the name given, false with errno set
    // when it cannot (EEXIST: another name is tried).
    bool giveCopyAName(const std::function<bool(const QByteArray &copy)> &make);

    QString m_target;
    QByteArray m_final; // the file the rename replaces (links followed)
    QByteArray m_copy;
    int m_fd = -1;
    int m_errno = 0;
};

} // namespace veltra::fs
