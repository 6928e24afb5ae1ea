#include "statdata/registrationjournal.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace veltra::statdata {

namespace {

const QString kFolderName = QStringLiteral(".registration-journal");
const QString kManifestName = QStringLiteral("manifest");
const QByteArray kManifestTitle = "veltra registration journal 1";

std::function<void(const char *)> &stepHook()
{
    static std::function<void(const char *)> hook;
    return hook;
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// Says which file or folder, and why (the error number of the removal).
QString cannotRemove(const QString &path)
{
    const int err = errno;
    return QStringLiteral("削除できません: %1\n%2").arg(path, fs::failureReason(path, err, true));
}

QString localFolder(const QString &folder)
{
    return QDir::cleanPath(QDir().absoluteFilePath(fs::resolve(folder)));
}

struct Entry
{
    bool folder = false;
    QString copy; // the kept bytes' file in the journal; empty: the file did not exist
    QString path; // relative to the etc folder
};

bool readManifest(const QString &manifest, std::vector<Entry> &entries, QString *error)
{
    QByteArray bytes;
    if (!fs::readFile(manifest, bytes, error))
        return false;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.value(0) != kManifestTitle)
        return fail(error, QStringLiteral("登録の記録ファイルではありません: %1").arg(manifest));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines.at(i).isEmpty())
            continue;
        const QStringList fields = QString::fromUtf8(lines.at(i)).split(u'\t');
        if (fields.size() == 3 && fields.at(0) == u'F')
            entries.push_back({false, fields.at(1) == u'-' ? QString() : fields.at(1), fields.at(2)});
        else if (fields.size() == 2 && fields.at(0) == u'D')
            entries.push_back({true, {}, fields.at(1)});
        else
            return fail(error,
                QStringLiteral("登録の記録ファイルの%1行目を読み取れません: %2").arg(i + 1).arg(manifest));
    }
    return true;
}

// Puts one kept file back; nothing when it already holds the kept bytes.
bool restoreFile(const QString &journal, const QString &etc, const Entry &entry, QString *error)
{
    const QString path = etc + u'/' + entry.path;
    const QFileInfo now(path);
    if (entry.copy.isEmpty()) {
        if (now.isFile() && !QFile::remove(path))
            return fail(error, cannotRemove(path));
        return true;
    }
    QByteArray kept;
    if (!fs::readFile(journal + u'/' + entry.copy, kept, error))
        return false;
    QByteArray current;
    if (now.isFile() && fs::readFile(path, current) && current == kept)
        return true;
    QDir().mkpath(now.absolutePath());
    return fs::writeFileAtomic(path, kept, error);
}

} // namespace

RegistrationJournal::RegistrationJournal(const QString &etcFolder)
    : m_etc(etcFolder)
{ }

RegistrationJournal::~RegistrationJournal()
{
    if (m_open)
        rollBack();
}

QString RegistrationJournal::journalFolder(const QString &etcFolder)
{
    return localFolder(etcFolder) + u'/' + kFolderName;
}

void RegistrationJournal::setStepHook(std::function<void(const char *)> hook)
{
    stepHook() = std::move(hook);
}

void RegistrationJournal::step(const char *point)
{
    if (stepHook())
        stepHook()(point);
}

bool RegistrationJournal::begin(const QStringList &files, QString *error)
{
    if (m_open)
        return fail(error, QStringLiteral("別の登録・削除が実行中です．"));
    if (!recover(m_etc, error))
        return false;
    const QString etc = localFolder(m_etc);
    const QString journal = journalFolder(m_etc);
    errno = 0;
    if (!fs::createFolder(journal))
        return fail(error,
            QStringLiteral("フォルダを作成できません: %1\n%2")
                .arg(journal, fs::failureReason(journal, errno, true)));

    QByteArray manifest = kManifestTitle + '\n';
    QStringList folders;
    int copies = 0;
    for (const QString &file : files) {
        const QString local = QDir::cleanPath(QDir().absoluteFilePath(fs::resolve(file)));
        const QString relative = QDir(etc).relativeFilePath(local);
        if (relative.contains(u'\t') || relative.contains(u'\n'))
            return fail(
                error, QStringLiteral("タブや改行を含む名前のファイルは登録できません: %1").arg(local));
        QString copy = QStringLiteral("-");
        if (QFileInfo(local).isFile()) {
            QByteArray bytes;
            if (!fs::readFile(local, bytes, error))
                return false;
            copy = QString::number(++copies);
            if (!fs::writeFileAtomic(journal + u'/' + copy, bytes, error))
                return false;
        }
        manifest += QStringLiteral("F\t%1\t%2\n").arg(copy, relative).toUtf8();
        // The folders the registration will make, up to the etc folder.
        for (QString dir = QFileInfo(local).absolutePath();
             dir.startsWith(etc + u'/') && !QFileInfo::exists(dir); dir = QFileInfo(dir).absolutePath()) {
            if (!folders.contains(dir)) {
                folders << dir;
                manifest += QStringLiteral("D\t%1\n").arg(QDir(etc).relativeFilePath(dir)).toUtf8();
            }
        }
    }
    if (!fs::writeFileAtomic(journal + u'/' + kManifestName, manifest, error))
        return false;
    m_open = true;
    step("journal written");
    return true;
}

bool RegistrationJournal::commit()
{
    if (!m_open)
        return false;
    const QString journal = journalFolder(m_etc);
    if (!QFile::remove(journal + u'/' + kManifestName))
        return false;
    m_open = false;
    step("committed");
    fs::deleteFolder(journal);
    return true;
}

bool RegistrationJournal::rollBack(QString *error)
{
    if (!m_open)
        return true;
    m_open = false;
    return recover(m_etc, error);
}

bool RegistrationJournal::recover(const QString &etcFolder, QString *error)
{
    const QString journal = journalFolder(etcFolder);
    if (!QFileInfo(journal).isDir())
        return true;
    const QString manifest = journal + u'/' + kManifestName;
    // No manifest: the registration never changed a file, or it finished.
    if (!QFileInfo(manifest).isFile())
        return fs::deleteFolder(journal) || fail(error, cannotRemove(journal));

    std::vector<Entry> entries;
    if (!readManifest(manifest, entries, error))
        return false;
    const QString etc = localFolder(etcFolder);
    for (const Entry &entry : entries) {
        if (!entry.folder && !restoreFile(journal, etc, entry, error))
            return false;
    }
    // The folders the registration made, deepest first; one holding
    // something else stays (copies of killed file writes do not count).
    std::vector<QString> folders;
    for (const Entry &entry : entries) {
        if (entry.folder)
            folders.push_back(etc + u'/' + entry.path);
    }
    std::sort(folders.begin(), folders.end(),
        [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &dir : folders) {
        if (QFileInfo(dir).isDir()) {
            // A write killed in it may have left its copy there.
            fs::removeWriteLeftoversIn(dir);
            QDir().rmdir(dir);
        }
    }
    profile::clearCache();
    step("restored");
    if (!QFile::remove(manifest))
        return fail(error, cannotRemove(manifest));
    step("journal removed");
    fs::deleteFolder(journal);
    return true;
}

} // namespace veltra::statdata
