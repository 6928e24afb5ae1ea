#include "statwindow/statmapfile.h"

#include "platform/archive/modlha.h"
#include "platform/fs/fs.h"
#include "shell/dialogfilter.h"
#include "statrender/clearstatmap.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>

namespace veltra::statwindow {

namespace {

// A name beside `target` that no file has, in the pattern of the program's
// interrupted writes ("<name>.veltra-XXXXXX"), so a killed save is cleaned up
// like them.
QString siblingName(const QString &target)
{
    static const QLatin1String letters("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    for (;;) {
        QString name = target + QStringLiteral(".veltra-");
        for (int i = 0; i < 6; ++i)
            name += letters[QRandomGenerator::global()->bounded(static_cast<int>(letters.size()))];
        if (!QFileInfo::exists(name))
            return name;
    }
}

void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}

} // namespace

QString statMapFileFilter()
{
    return shell::qtFileFilter(QStringLiteral("統計地図ファイル (*.tok)|*.tok"));
}

QString withStatMapExtension(const QString &path)
{
    if (path.isEmpty())
        return path;
    const QString name = fs::normalize(path).section(QLatin1Char('/'), -1);
    return name.contains(QLatin1Char('.')) ? path : path + QStringLiteral(".tok");
}

QStringList statMapMembers(const QString &dataPath)
{
    const QString db = fs::resolve(dataPath + QStringLiteral("DB/"));
    const QString pictures = fs::resolve(db + QStringLiteral("TempPImage/"));
    QStringList members;
    for (const auto &[folder, pattern] : {std::pair{db, QStringLiteral("*.hed")},
             std::pair{db, QStringLiteral("*.dat")}, std::pair{pictures, QStringLiteral("*.bmp")}}) {
        const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        for (const QString &name : fs::listFiles(folder, pattern))
            members << base + name;
    }
    return members;
}

StatMapSave saveStatMapFile(const QString &dataPath, const QString &archivePath, QString *reason)
{
    const QStringList members = statMapMembers(dataPath);
    if (members.isEmpty())
        return StatMapSave::NothingToSave;

    const QString target = fs::resolve(archivePath);
    const QFileInfo targetInfo(target);
    if (!targetInfo.absoluteDir().exists()) {
        setReason(reason, fs::failureReason(target, ENOENT, true));
        return StatMapSave::Failed;
    }
    if (targetInfo.isDir()) {
        setReason(reason, fs::failureReason(target, EISDIR, true));
        return StatMapSave::Failed;
    }

    const QString temporary = siblingName(target);
    for (const QString &member : members) {
        QString output;
        if (!modLHA::CreateArchive(temporary, member, output, 0, 0)) {
            QFile::remove(temporary);
            setReason(reason, output);
            return StatMapSave::Failed;
        }
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        const int err = errno;
        QFile::remove(temporary);
        setReason(reason, fs::failureReason(target, err, true));
        return StatMapSave::Failed;
    }
    return StatMapSave::Saved;
}

QString extractionFolderPrefix()
{
    return QStringLiteral("VeltraTImp");
}

StatMapExtraction::StatMapExtraction(const QString &archivePath)
{
    // Minutes alone would let two loads of one minute meet in one folder.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyMMddHHmm"));
    m_folder = std::make_unique<QTemporaryDir>(
        fs::tempFolder() + extractionFolderPrefix() + stamp + QStringLiteral("-XXXXXX"));
    if (!m_folder->isValid())
        return;
    if (!modLHA::CheckArchive(archivePath))
        return;
    QString output;
    m_ok = modLHA::ExtractArchive(archivePath, QString(), folder(), output, 0, 0);
}

StatMapExtraction::~StatMapExtraction() = default;

QString StatMapExtraction::folder() const
{
    return m_folder && m_folder->isValid() ? m_folder->path() + QLatin1Char('/') : QString();
}

bool StatMapExtraction::copyInto(const QString &dataPath) const
{
    if (!m_ok)
        return false;
    const QString source = m_folder->path();
    QString db = fs::resolve(dataPath + QStringLiteral("DB"));
    if (db.endsWith(QLatin1Char('/')))
        db.chop(1);
    // A data folder that never held pictures has no picture folder yet.
    if (!fs::listFiles(source, QStringLiteral("*.bmp")).isEmpty()
        && !fs::createFolder(db + QStringLiteral("/TempPImage")))
        return false;
    return ComPSY::PSY_CopyMapFiles(source, db);
}

} // namespace veltra::statwindow
