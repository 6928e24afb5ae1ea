#include "statregistrar.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "statdata/clsindex.h"
#include "statdata/clslist.h"
#include "statdata/clsrealdata.h"
#include "statdata/clsyear.h"
#include "statdata/registrationjournal.h"
#include "statdata/statfileformat.h"

#include <QDir>
#include <QTemporaryDir>

namespace veltra::statgen {

using veltra::statdata::RegistrationJournal;

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

namespace {

// The registration steps, each pointing only at what the steps before it
// wrote: value file, FileIndex.txt (municipal data), item list and its etc2
// copy, year line. A reader going from the year file down never meets a
// listing of a file that is not there yet; the journal, when given, undoes
// the completed steps of a registration that did not finish.
bool registerSteps(const QString &etcFolder, const QString &csvPath, const ValueTable &table,
    RegistrationJournal *journal, QString *error)
{
    namespace sd = veltra::statdata;
    const QString what = QStringLiteral("%1 %2 %3 %4")
                             .arg(statisticsName(table), table.areaUnit, table.itemGroup, table.fileTitle);
    const QString real = valueFilePath(etcFolder, table);
    const bool municipal = table.areaUnit != sd::areaUnitPref();
    clsList list;
    list.ListInit(real, table.startDate);
    clsIndex index;
    index.IndexInit(real, table.prefNum);
    clsYear year;
    year.YearInit(real, table.startDate, table.endDate);
    const auto reached = [&](const char *point) {
        if (journal)
            RegistrationJournal::step(point);
    };
    QString why;
    if (journal) {
        QStringList files{real, list.ListFilePath(0), list.ListFilePath(1)};
        if (municipal)
            files << index.IndexFilePath();
        files << year.YearFilePath() << year.CopyFilePath();
        if (!journal->begin(files, &why))
            return fail(error, QStringLiteral("%1: the registration cannot begin: %2").arg(what, why));
    }

    clsRealData data;
    data.setSelectedFilePath(csvPath);
    data.setRealFilePath(real);
    data.setDataKind(table.areaUnit);
    data.setAlreadyMode(true);
    if (const int32_t r = data.ConvertTextFile())
        return fail(error, QStringLiteral("%1: the value file cannot be written (%2)").arg(what).arg(r));
    reached("value file");
    if (municipal) {
        if (index.AddData() != 0)
            return fail(error, QStringLiteral("%1: FileIndex.txt cannot be written").arg(what));
        reached("file index");
    }
    if (list.AddData() != 0)
        return fail(error, QStringLiteral("%1: the item list cannot be written").arg(what));
    for (int n = 0; n < 2; ++n) {
        for (const auto &[key, value] : table.groupKeys) {
            if (!profile::writeString(table.itemGroup, key, value, list.ListFilePath(n), &why))
                return fail(error, QStringLiteral("%1: %2").arg(list.ListFilePath(n), why));
        }
    }
    reached("item list");
    if (year.AddData() != 0)
        return fail(error, QStringLiteral("%1: the year-management file cannot be written").arg(what));
    reached("year file");
    if (journal && !journal->commit())
        return fail(error, QStringLiteral("%1: the registration journal cannot be closed").arg(what));
    return true;
}

// The spreadsheet a user would choose: header, then one line per area.
bool writeCsv(const QString &workFolder, const ValueTable &table, QString *csvPath, QString *error)
{
    QStringList csv{table.header.join(u',')};
    for (const QStringList &row : table.rows)
        csv << row.join(u',');
    *csvPath = workFolder + u'/' + table.fileTitle + QStringLiteral(".csv");
    QString why;
    if (!text::writeLines(*csvPath, csv, &why))
        return fail(error, QStringLiteral("%1: %2").arg(*csvPath, why));
    return true;
}

} // namespace

bool registerTable(
    const QString &etcFolder, const QString &workFolder, const ValueTable &table, QString *error)
{
    QString csvPath;
    if (!writeCsv(workFolder, table, &csvPath, error))
        return false;
    RegistrationJournal journal(etcFolder);
    if (registerSteps(etcFolder, csvPath, table, &journal, error))
        return true;
    // The journal's destructor would undo it too; done here so that the
    // error tells when the undo itself failed.
    if (!journal.rollBack() && error)
        *error += QStringLiteral(" (and the files changed so far cannot be put back)");
    return false;
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
    // A run killed between moving the old tree aside and moving the new one
    // in left only the old one: it is put back first.
    const QString old = target + QStringLiteral(".old");
    if (!QFileInfo::exists(target) && QFileInfo(old).isDir() && !QDir().rename(old, target))
        return fail(error, QStringLiteral("cannot move %1 back").arg(old));
    if (!fs::deleteFolder(stage) || !fs::createFolder(stage))
        return fail(error, QStringLiteral("cannot create %1").arg(stage));
    QTemporaryDir work(data + QStringLiteral("/.statgen-XXXXXX"));
    if (!work.isValid())
        return fail(error, QStringLiteral("cannot create a work folder in %1").arg(data));
    bool ok = true;
    // The stage is nobody's data until it is moved into place: its tables
    // need no journal.
    for (const ValueTable &table : plan) {
        QString csvPath;
        ok = ok && writeCsv(work.path(), table, &csvPath, error)
            && registerSteps(stage, csvPath, table, nullptr, error);
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
