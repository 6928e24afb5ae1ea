#include "platform/archive/extract.h"

#include "platform/archive/lhareader.h"
#include "platform/archive/siblingfile.h"
#include "platform/fs/fs.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>

namespace veltra::archive {

namespace {

enum class Entry { Missing, Folder, Other };

Entry entryAt(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return Entry::Missing;
    return S_ISDIR(st.st_mode) ? Entry::Folder : Entry::Other;
}

// The member's path components to create, or an empty list when the name is
// not safe for the layout.
QStringList targetComponents(const Member &member, Layout layout)
{
    QStringList parts = member.name.components;
    // A folder member's name ends in a separator.
    if (member.kind == Member::Kind::Folder && parts.size() > 1 && parts.back().isEmpty())
        parts.removeLast();
    if (layout == Layout::Flat)
        return isSafeComponent(parts.back()) ? QStringList{parts.back()} : QStringList{};
    if (parts.size() > 1 && parts.front().isEmpty())
        return {}; // absolute
    if (parts.front().size() >= 2 && parts.front()[1] == QLatin1Char(':'))
        return {}; // a drive ("C:", "C:name")
    for (const QString &part : parts) {
        if (!isSafeComponent(part))
            return {};
    }
    return parts;
}

// Walks down from `base` through the folders, creating the missing ones. An
// existing name is matched without case; a symbolic link or a file on the way
// stops the walk. Returns the folder ending in '/', or an empty string.
QString makeFolders(const QString &base, const QStringList &folders, int *err)
{
    QString current = base;
    for (const QString &name : folders) {
        QString next = fs::resolve(current + name);
        switch (entryAt(next)) {
        case Entry::Folder:
            break;
        case Entry::Missing:
            next = current + name;
            if (::mkdir(QFile::encodeName(next).constData(), 0777) != 0 && entryAt(next) != Entry::Folder) {
                *err = errno;
                return {};
            }
            break;
        case Entry::Other:
            *err = ENOTDIR;
            return {};
        }
        current = next + QLatin1Char('/');
    }
    return current;
}

} // namespace

bool extractMembers(
    LhaReader &reader, const QString &destination, Layout layout, const QString &pattern, QStringList &report)
{
    bool allDone = true;
    const QList<Member> &members = reader.members();
    for (int i = 0; i < members.size(); ++i) {
        const Member &member = members[i];
        const QString shown = member.name.path;
        if (member.kind == Member::Kind::SymbolicLink || member.kind == Member::Kind::Special) {
            report.append(QStringLiteral("省略（リンクまたは特殊ファイル）: %1").arg(shown));
            allDone = false;
            continue;
        }
        if (member.kind == Member::Kind::Folder && layout == Layout::Flat)
            continue;
        const QStringList parts = targetComponents(member, layout);
        if (parts.isEmpty()) {
            report.append(QStringLiteral("省略（使えない名前）: %1").arg(shown));
            allDone = false;
            continue;
        }
        if (!pattern.isEmpty() && !fs::wildcardMatch(pattern, parts.join(QLatin1Char('/'))))
            continue;

        int err = 0;
        const bool isFolder = member.kind == Member::Kind::Folder;
        const QString folder
            = makeFolders(destination, isFolder ? parts : parts.mid(0, parts.size() - 1), &err);
        if (folder.isEmpty()) {
            report.append(
                QStringLiteral("書き込めません: %1（%2）")
                    .arg(shown, fs::failureReason(destination + parts.join(QLatin1Char('/')), err, true)));
            allDone = false;
            continue;
        }
        if (isFolder) {
            report.append(QStringLiteral("フォルダー: %1").arg(parts.join(QLatin1Char('/'))));
            continue;
        }

        const QString target = fs::resolve(folder + parts.back());
        if (entryAt(target) == Entry::Folder) {
            report.append(QStringLiteral("書き込めません: %1（同じ名前のフォルダーがあります）").arg(shown));
            allDone = false;
            continue;
        }
        SiblingFile out(folder);
        QString error;
        const bool read = out.isOpen()
            && reader.readData(
                i, [&out](const char *data, qint64 length) { return out.write(data, length); }, &error);
        if (!read && out.isOpen()) {
            report.append(QStringLiteral("%1: %2").arg(error, shown));
            allDone = false;
            continue;
        }
        if (!read || !out.commit(target)) {
            report.append(QStringLiteral("書き込めません: %1（%2）")
                              .arg(shown, fs::failureReason(target, out.errorNumber(), true)));
            allDone = false;
            continue;
        }
        report.append(QStringLiteral("展開: %1").arg(parts.join(QLatin1Char('/'))));
    }
    return allDone;
}

} // namespace veltra::archive
