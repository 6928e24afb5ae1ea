// Path normalisation, case-insensitive resolution and wildcard matching.
#include "platform/fs/filestamp.h"
#include "platform/fs/fs.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <sys/stat.h>

namespace veltra::fs {

namespace {

bool existsExactly(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// The entry of `folder` whose name equals `name` without case; the first in
// name order when several differ only in case, so the choice is stable.
QString findWithoutCase(const QString &folder, const QString &name)
{
    const QString wanted = name.toCaseFolded();
    QStringList entries
        = QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.toCaseFolded() == wanted)
            return entry;
    }
    return {};
}

bool matchFolded(const QString &pattern, const QString &name)
{
    // Iterative glob with one backtrack point: the last '*' seen.
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace

QString normalize(const QString &path)
{
    QString out;
    out.reserve(path.size());
    for (QChar c : path) {
        if (c == QLatin1Char('\\'))
            c = QLatin1Char('/');
        if (c == QLatin1Char('/') && out.endsWith(QLatin1Char('/')))
            continue;
        out.append(c);
    }
    return out;
}

namespace {

QString resolveNow(const QString &path);

// Paths resolved in this thread's open scope (see StampCheckScope).
struct ResolvedInScope
{
    std::uint64_t scope = 0;
    QHash<QString, QString> paths;
};
thread_local ResolvedInScope resolvedInScope;

} // namespace

QString resolve(const QString &path)
{
    const std::uint64_t scope = StampCheckScope::current();
    if (scope == 0)
        return resolveNow(path);
    ResolvedInScope &memo = resolvedInScope;
    if (memo.scope != scope) {
        memo.paths.clear();
        memo.scope = scope;
    }
    const auto it = memo.paths.constFind(path);
    if (it != memo.paths.cend())
        return *it;
    const QString resolved = resolveNow(path);
    memo.paths.insert(path, resolved);
    return resolved;
}

namespace {

QString resolveNow(const QString &path)
{
    const QString n = normalize(path);
    if (n.isEmpty() || existsExactly(n))
        return n;

    const bool absolute = n.startsWith(QLatin1Char('/'));
    const bool trailing = n.size() > 1 && n.endsWith(QLatin1Char('/'));
    const QStringList parts = n.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString current = absolute ? QStringLiteral("/") : QString();
    bool missing = false; // once a name is not found, the rest is kept as given
    for (const QString &part : parts) {
        QString name = part;
        if (!missing && part != QLatin1String(".") && part != QLatin1String("..")
            && !existsExactly(current + part)) {
            const QString found = findWithoutCase(current, part);
            if (found.isEmpty())
                missing = true;
            else
                name = found;
        }
        current += name;
        current += QLatin1Char('/');
    }
    if (!trailing && current.size() > 1)
        current.chop(1);
    return current;
}

} // namespace

bool wildcardMatch(const QString &pattern, const QString &name)
{
    // "*.*" means every file on Windows, names without a dot included.
    if (pattern == QLatin1String("*.*"))
        return true;
    return matchFolded(pattern.toCaseFolded(), name.toCaseFolded());
}

} // namespace veltra::fs
