#include "statregistrar.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "statdata/clsindex.h"
#include "statdata/clslist.h"
#include "statdata/clsrealdata.h"
#include "statdata/clsyear.h"
#include "statdata/statfileformat.h"

#include <QDir>
#include <QTemporaryDir>

namespace veltra::statgen {

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

bool isFullPath(const QString &path)
{
    return path.startsWith(u'/') || path.startsWith(u'\\')
        || (path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter());
}

bool relativeInFile(const QString &listFile, QString *error)
{
    namespace sd = veltra::statdata;
    for (int n = 1;; ++n) {
        const QString unit
            = profile::getString(sd::itemListKindSection(), sd::entryKey(n), QString(), listFile);
        if (unit.isEmpty())
            return true;
        const QString path = profile::getString(unit, sd::itemListPathKey(), QString(), listFile);
        if (path.isEmpty() || !isFullPath(path))
            continue;
        const QString relative = relativeListFolder(listFile, path);
        if (relative.isEmpty())
            return fail(error,
                QStringLiteral("%1: [%2] Path %3 lies outside the list's folder").arg(listFile, unit, path));
        QString why;
        if (!profile::writeString(unit, sd::itemListPathKey(), relative, listFile, &why))
            return fail(error, QStringLiteral("%1: %2").arg(listFile, why));
    }
}

bool relativeInFolder(const QString &folder, QString *error)
{
    for (const QString &name : fs::listFiles(folder, QStringLiteral("*.txt"))) {
        if (name == veltra::statdata::yearFileName())
            continue;
        if (!relativeInFile(folder + name, error))
            return false;
    }
    return true;
}

// Replaces `target` by `stage` (both folders): the old tree is moved aside
// first and removed only once the new one is in place.
bool swapIn(const QString &stage, const QString &target, QString *error)
{
    const QString old = target + QStringLiteral(".old");
    if (!fs::deleteFolder(old))
        return fail(error, QStringLiteral("cannot remove %1").arg(old));
    const bool hadTarget = QFileInfo::exists(target);
    if (hadTarget && !QDir().rename(target, old))
        return fail(error, QStringLiteral("cannot move %1 aside").arg(target));
    if (!QDir().rename(stage, target)) {
        if (hadTarget)
            QDir().rename(old, target);
        return fail(error, QStringLiteral("cannot move %1 to %2").arg(stage, target));
    }
    if (hadTarget && !fs::deleteFolder(old))
        return fail(error, QStringLiteral("cannot remove %1").arg(old));
    return true;
}

} // namespace

QString valueFilePath(const QString &etcFolder, const ValueTable &table)
{
    QString etc = etcFolder;
    if (!etc.endsWith(u'/'))
        etc += u'/';
    return etc + statisticsName(table) + u'/' + table.areaUnit + u'/' + table.itemGroup + u'/'
        + table.fileTitle + QStringLiteral(".txt");
}

QString relativeListFolder(const QString &itemListFile, const QString &folder)
{
    const QString base = QDir::cleanPath(veltra::statdata::folderOf(fs::normalize(itemListFile)));
    const QString path = QDir::cleanPath(fs::normalize(folder));
    if (!path.startsWith(base + u'/'))
        return {};
    QString relative = path.mid(base.size() + 1);
    relative.replace(u'/', u'\\');
    return relative + u'\\';
}

bool registerTable(
    const QString &etcFolder, const QString &workFolder, const ValueTable &table, QString *error)
{
    const QString statName = statisticsName(table);
    const QString what
        = QStringLiteral("%1 %2 %3 %4").arg(statName, table.areaUnit, table.itemGroup, table.fileTitle);
    // The spreadsheet a user would choose: header, then one line per area.
    QStringList csv{table.header.join(u',')};
    for (const QStringList &row : table.rows)
        csv << row.join(u',');
    const QString csvPath = workFolder + u'/' + table.fileTitle + QStringLiteral(".csv");
    QString why;
    if (!text::writeLines(csvPath, csv, &why))
        return fail(error, QStringLiteral("%1: %2").arg(csvPath, why));

    const QString real = valueFilePath(etcFolder, table);
    clsRealData data;
    data.setSelectedFilePath(csvPath);
    data.setRealFilePath(real);
    data.setDataKind(table.areaUnit);
    data.setAlreadyMode(true);
    if (const int32_t r = data.ConvertTextFile())
        return fail(error, QStringLiteral("%1: the value file cannot be written (%2)").arg(what).arg(r));
    clsList list;
    list.ListInit(real, table.startDate);
    if (list.AddData() != 0)
        return fail(error, QStringLiteral("%1: the item list cannot be written").arg(what));
    if (table.areaUnit != veltra::statdata::areaUnitPref()) {
        clsIndex index;
        index.IndexInit(real, table.prefNum);
        if (index.AddData() != 0)
            return fail(error, QStringLiteral("%1: FileIndex.txt cannot be written").arg(what));
    }
    clsYear year;
    year.YearInit(real, table.startDate, table.endDate);
    if (year.AddData() != 0)
        return fail(error, QStringLiteral("%1: the year-management file cannot be written").arg(what));
    for (int index = 0; index < 2; ++index) {
        for (const auto &[key, value] : table.groupKeys) {
            if (!profile::writeString(table.itemGroup, key, value, list.ListFilePath(index), &why))
                return fail(error, QStringLiteral("%1: %2").arg(list.ListFilePath(index), why));
        }
    }
    return true;
}

bool makeListPathsRelative(const QString &etcFolder, QString *error)
{
    QString etc = fs::normalize(etcFolder);
    if (!etc.endsWith(u'/'))
        etc += u'/';
    return relativeInFolder(etc, error)
        && relativeInFolder(etc + veltra::statdata::etc2FolderName() + u'/', error);
}

bool writeStatisticsTree(const QString &dataFolder, const std::vector<ValueTable> &plan, QString *error)
{
    const QString data = QDir::cleanPath(QDir().absoluteFilePath(fs::normalize(dataFolder)));
    if (!fs::createFolder(data))
        return fail(error, QStringLiteral("cannot create %1").arg(data));
    const QString target = data + QStringLiteral("/etc");
    const QString stage = target + QStringLiteral(".new");
    if (!fs::deleteFolder(stage) || !fs::createFolder(stage))
        return fail(error, QStringLiteral("cannot create %1").arg(stage));
    QTemporaryDir work(data + QStringLiteral("/.statgen-XXXXXX"));
    if (!work.isValid())
        return fail(error, QStringLiteral("cannot create a work folder in %1").arg(data));
    bool ok = true;
    for (const ValueTable &table : plan) {
        ok = ok && registerTable(stage, work.path(), table, error);
    }
    ok = ok && makeListPathsRelative(stage, error);
    profile::clearCache();
    if (!ok) {
        fs::deleteFolder(stage);
        return false;
    }
    return swapIn(stage, target, error);
}

} // namespace veltra::statgen
