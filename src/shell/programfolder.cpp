#include "shell/programfolder.h"

#include "platform/fs/fs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace veltra::shell {

namespace {

const QString kOption = QStringLiteral("--program-folder");

QString g_programFolder;

QString absoluteFolder(const QString &path)
{
    QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(fs::normalize(path)));
    if (!absolute.endsWith(QLatin1Char('/')))
        absolute += QLatin1Char('/');
    return absolute;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool isEmptyFolder(const QString &folder)
{
    return QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// Copies the tree `from` into the existing folder `to` (both ending in '/').
bool copyTree(const QString &from, const QString &to, QString *error)
{
    for (const QString &name : fs::listFiles(from)) {
        if (!fs::copyFile(from + name, to + name, false)) {
            setError(error, QStringLiteral("既定のファイルをコピーできません: %1").arg(from + name));
            return false;
        }
    }
    for (const QString &name : fs::listFolders(from)) {
        const QString target = to + name + QLatin1Char('/');
        if (!fs::createFolder(target)) {
            setError(error, QStringLiteral("フォルダを作成できません: %1").arg(target));
            return false;
        }
        if (!copyTree(from + name + QLatin1Char('/'), target, error))
            return false;
    }
    return true;
}

// Copies back the configuration files missing from a folder in use, from the
// first source that holds each at its top.
FillResult restoreMissing(const QString &target, const std::vector<DefaultsSource> &sources, QString *error)
{
    FillResult result = FillResult::AlreadyFilled;
    for (const QString &name : restoredFiles()) {
        // Found without case, as the program reads it.
        const QString path = fs::resolve(target + name);
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            continue;
        for (const DefaultsSource &source : sources) {
            if (!fs::normalize(source.into).isEmpty())
                continue;
            const QString from = absoluteFolder(fs::resolve(source.from)) + name;
            if (!fs::fileExists(from))
                continue;
            if (!fs::copyFile(from, path, false)) {
                setError(error,
                    QStringLiteral("既定の設定ファイルを戻せません: %1\n%2")
                        .arg(path, fs::failureReason(path, 0, true)));
                return FillResult::Failed;
            }
            // The installed copy may be read-only; the program writes this one.
            QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
            result = FillResult::Restored;
            break;
        }
    }
    return result;
}

} // namespace

QStringList restoredFiles()
{
    return {QStringLiteral("ZORPAK.INI"), QStringLiteral("ZORPAK.MNU")};
}

QString programFolder()
{
    return g_programFolder;
}

void setProgramFolder(const QString &folder)
{
    g_programFolder = folder.isEmpty() ? QString() : absoluteFolder(folder);
}

ProgramFolderChoice resolveProgramFolder(
    const QStringList &arguments, const QString &environmentHome, const QString &userHome)
{
    ProgramFolderChoice choice;
    QString fromOption;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg != kOption) {
            choice.remaining << arg;
            continue;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].trimmed().isEmpty()) {
            choice.error = QStringLiteral("%1 の後にプログラムフォルダを指定してください。").arg(kOption);
            choice.remaining.clear();
            return choice;
        }
        fromOption = arguments[++i];
    }
    if (!fromOption.isEmpty())
        choice.folder = absoluteFolder(fromOption);
    else if (!environmentHome.trimmed().isEmpty())
        choice.folder = absoluteFolder(environmentHome);
    else if (!userHome.isEmpty())
        choice.folder = absoluteFolder(userHome + QStringLiteral("/.local/share/veltra"));
    else
        choice.error = QStringLiteral("プログラムフォルダを決められません（ホームフォルダが不明です）。");
    return choice;
}

ProgramFolderChoice resolveProgramFolder(const QStringList &arguments)
{
    const auto env = QProcessEnvironment::systemEnvironment();
    return resolveProgramFolder(arguments, env.value(QStringLiteral("VELTRA_HOME")), QDir::homePath());
}

FillResult fillProgramFolder(
    const QString &folder, const std::vector<DefaultsSource> &sources, QString *error)
{
    const QString target = absoluteFolder(folder);
    const QFileInfo info(target);
    if (info.exists() && !info.isDir()) {
        setError(error, QStringLiteral("プログラムフォルダがフォルダではありません: %1").arg(target));
        return FillResult::Failed;
    }
    if (info.exists() && !isEmptyFolder(target))
        return restoreMissing(target, sources, error);
    for (const DefaultsSource &source : sources) {
        if (!fs::folderExists(source.from)) {
            setError(error, QStringLiteral("既定のプログラムフォルダが見つかりません: %1").arg(source.from));
            return FillResult::Failed;
        }
    }

    // Stage beside the target so that the final rename stays on one file system.
    const QString parent = QDir::cleanPath(target + QStringLiteral("/.."));
    if (!fs::createFolder(parent)) {
        setError(error, QStringLiteral("フォルダを作成できません: %1").arg(parent));
        return FillResult::Failed;
    }
    QTemporaryDir staging(parent + QStringLiteral("/.veltra-filling-XXXXXX"));
    if (!staging.isValid()) {
        setError(error, QStringLiteral("フォルダを作成できません: %1").arg(parent));
        return FillResult::Failed;
    }
    const QString stage = staging.path() + QLatin1Char('/');
    for (const DefaultsSource &source : sources) {
        QString into = fs::normalize(source.into);
        if (!into.isEmpty() && !into.endsWith(QLatin1Char('/')))
            into += QLatin1Char('/');
        if (!fs::createFolder(stage + into)) {
            setError(error, QStringLiteral("フォルダを作成できません: %1").arg(stage + into));
            return FillResult::Failed;
        }
        QString from = absoluteFolder(fs::resolve(source.from));
        if (!copyTree(from, stage + into, error))
            return FillResult::Failed;
    }

    const QString finalPath = QDir::cleanPath(target);
    if (info.exists() && !QDir().rmdir(finalPath)) {
        setError(error, QStringLiteral("プログラムフォルダを置き換えられません: %1").arg(target));
        return FillResult::Failed;
    }
    if (!QDir().rename(staging.path(), finalPath)) {
        if (info.exists())
            QDir().mkdir(finalPath);
        setError(error, QStringLiteral("プログラムフォルダを作成できません: %1").arg(target));
        return FillResult::Failed;
    }
    staging.setAutoRemove(false);
    return FillResult::Filled;
}

} // namespace veltra::shell
