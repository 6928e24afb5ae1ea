#include "mapwindow/meshimports.h"

#include "mapwindow/meshdownload.h"
#include "platform/fs/fs.h"
#include "platform/vb/dates.h"
#include "platform/vb/format.h"
#include "shell/mdlspcom.h"

#include <QDir>
#include <QSet>

namespace veltra::mapwindow {

namespace {

constexpr int NameField = 0;
constexpr int FolderField = 8;
constexpr int TimeField = 9;

// A history line that names an import: ten fields or more and a date in
// field 9 (nothing when not).
std::optional<QDateTime> importTimeOf(const QStringList &fields)
{
    if (fields.size() <= TimeField)
        return std::nullopt;
    return vb::parseDateText(fields[TimeField]);
}

} // namespace

std::optional<QString> importEntryText(const QString &importTime)
{
    const auto time = vb::parseDateText(importTime);
    if (!time)
        return std::nullopt;
    return vb::format(*time, QStringLiteral("ggge年m月d日h時m分(aaaa)"));
}

QStringList importEntries(const QStringList &history)
{
    QStringList entries;
    QString lastKey;
    for (const QString &line : history) {
        const auto time = importTimeOf(line.split(u','));
        if (!time)
            continue;
        // The same import to the minute; only consecutive lines are merged.
        const QString key = time->toString(QStringLiteral("yyyyMMddHHmm"));
        if (key != lastKey) {
            entries << vb::format(*time, QStringLiteral("ggge年m月d日h時m分(aaaa)"));
            lastKey = key;
        }
    }
    return entries;
}

ImportRemoval planImportRemoval(const QStringList &history, const QStringList &meshDef, const QString &entry)
{
    ImportRemoval removal;
    QSet<QString> removedNames;
    for (const QString &line : history) {
        const QStringList fields = line.split(u',');
        const auto time = importTimeOf(fields);
        const bool removed = time && !entry.isEmpty()
            && vb::format(*time, QStringLiteral("ggge年m月d日h時m分(aaaa)")) == entry
            && isSafeFileName(fields[NameField]) && isSafeFileName(fields[FolderField]);
        if (!removed) {
            removal.history << line;
            continue;
        }
        const QString base = fields[FolderField] + u'/' + fields[NameField];
        removal.meshFiles << base + QStringLiteral(".mfc") << base + QStringLiteral(".mfv");
        removedNames.insert(fields[NameField]);
    }
    for (const QString &line : meshDef) {
        const QString name = line.section(u',', 0, 0);
        if (!removedNames.contains(name))
            removal.meshDef << line;
    }
    return removal;
}

QString documentMeshFolder(const QString &documentPath)
{
    QString value;
    mdlSpCom::GetIniValue(QStringLiteral("ZorSYSEX"), QStringLiteral("MeshDataDir"), value, documentPath);
    QString folder = fs::normalize(value.trimmed());
    if (folder.isEmpty())
        return QString();
    if (!folder.startsWith(u'/')) {
        const QString document = fs::normalize(documentPath);
        folder = document.left(document.lastIndexOf(u'/') + 1) + folder;
    }
    folder = fs::resolve(QDir::cleanPath(folder));
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace veltra::mapwindow
