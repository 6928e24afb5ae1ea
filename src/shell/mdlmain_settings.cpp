#include "shell/mdlmain_settings.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "shell/mdlspcom.h"
#include "shell/modfileio.h"
#include "shell/programfolder.h"
#include "shell/savefailures.h"

#include <QDir>
#include <QFileInfo>

namespace {

using veltra::shell::SettingsReport;

const QString kIniName = QStringLiteral("ZORPAK.INI");
const QString kMnuName = QStringLiteral("ZORPAK.MNU");
const QString kDispLevel = QStringLiteral("DefFolder\\DispLevel.txt");
const QString kDefaultLimit = QStringLiteral("100");
const QString kFtpDir = QStringLiteral("/httpdocs/S2500");

QString iniValue(const QString &section, const QString &key, const QString &path)
{
    QString value;
    mdlSpCom::GetIniValue(section, key, value, path);
    return value;
}

struct FileCheck
{
    QString problem; // empty when the file is fine
    bool text = false; // the file exists and reads as text (may still lack its section)
};

// The way out of a configuration file the program cannot start with: the
// start copies a missing one back from the installed defaults.
QString remedy(const QString &path, bool exists)
{
    const QString folder = veltra::shell::programFolder();
    if (!exists) {
        return QStringLiteral(
            "プログラムフォルダ %1 を削除すると、次回の起動時に既定の内容で作り直されます。")
            .arg(folder);
    }
    return QStringLiteral("このファイル %1 を削除すると、次回の起動時に既定の内容に戻ります"
                          "（プログラムフォルダ %2 ごと削除すると、すべてが既定の状態に戻ります）。")
        .arg(path, folder);
}

// Checks that a configuration file can be read as text and holds the section
// the program needs. A problem names the file and the way out.
FileCheck checkProfileFile(const QString &path, const QString &section)
{
    if (!QFileInfo::exists(veltra::fs::resolve(path))) {
        return {QStringLiteral("設定ファイルが見つかりません: %1\n%2").arg(path, remedy(path, false)), false};
    }
    QByteArray bytes;
    QString why;
    if (!veltra::fs::readFile(path, bytes, &why))
        return {QStringLiteral("設定ファイルを読み込めません。\n%1\n%2").arg(why, remedy(path, true)), false};
    if (bytes.contains('\0')) {
        return {QStringLiteral("設定ファイルが壊れています（テキストではありません）: %1\n%2")
                    .arg(path, remedy(path, true)),
            false};
    }
    for (const QString &name : veltra::profile::sectionNames(path)) {
        if (name.compare(section, Qt::CaseInsensitive) == 0)
            return {QString(), true};
    }
    return {QStringLiteral("設定ファイルが壊れています（[%1] セクションがありません）: %2\n%3")
                .arg(section, path, remedy(path, true)),
        true};
}

// The configured data folder made absolute against the program folder and
// ended with a separator.
QString dataFolderFrom(const QString &configured, const QString &programFolder)
{
    QString path = veltra::fs::normalize(configured.trimmed());
    if (path.isEmpty())
        return QString();
    if (!path.startsWith(QLatin1Char('/')))
        path = QDir::cleanPath(programFolder + path);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

void readDisplayLevels(SettingsReport &report)
{
    gstrDispLevel1.clear();
    gstrDispLevel2.clear();
    gstrDispLevel3.clear();
    if (gstrDataPath.isEmpty())
        return; // already reported as a missing data folder
    const QString path = gstrDataPath + kDispLevel;
    std::vector<QString> lines;
    std::int32_t count = 0;
    if (!modFileIO::ReadTextLines(path, lines, count)) {
        report.errors << QStringLiteral("表示レベルファイルを読み込めません: %1").arg(path);
        return;
    }
    // The lines are counted from 1.
    if (count < 3) {
        report.errors << QStringLiteral("表示レベルファイルには 3 行が必要です（%1 行しかありません）: %2")
                             .arg(count)
                             .arg(path);
    }
    QString *levels[] = {&gstrDispLevel1, &gstrDispLevel2, &gstrDispLevel3};
    for (int i = 0; i < 3 && i < count; ++i) {
        *levels[i] = lines[i + 1];
        const auto number = veltra::vb::toNumber(*levels[i]);
        if (!number || *number <= 0)
            report.errors << QStringLiteral("表示レベルファイルの %1 行目が縮尺の数値ではありません: %2")
                                 .arg(i + 1)
                                 .arg(path);
    }
}

} // namespace

namespace veltra::shell {

QString resolveDataFolder(const QString &configured, const QString &programFolder)
{
    return dataFolderFrom(configured, programFolder);
}

QString documentIniPath(const QString &documentPath)
{
    // No document, no settings file (never ".INI" in the current folder).
    if (documentPath.isEmpty())
        return QString();
    return mdlSpCom::CutExtension(documentPath) + QStringLiteral(".INI");
}

bool questionnaireDue()
{
    const auto count = vb::toNumber(gstrUseCount);
    if (!count || *count < 6 || *count > 10)
        return false;
    const auto flag = vb::toNumber(gstrUseFlg);
    return flag && *flag == 0;
}

bool downloadServerConfigured()
{
    return !gtypFtp.host.trimmed().isEmpty() && !gtypFtp.account.trimmed().isEmpty();
}

QString downloadNotConfiguredMessage()
{
    return QStringLiteral("ダウンロードサーバが設定されていません。ZORPAK.INI の [DOWNLOAD] に "
                          "HOST、ACCOUNT、PASSWORD を設定してください。");
}

void applyViewSettings(double zoomIn, double zoomOut, const QDate &today)
{
    gintPointType = 2;
    gdblZoomIn = zoomIn;
    gdblZoomOut = zoomOut;
    // A document without a valid base date leaves the edit date as it was.
    if (gdtBaseDate.isValid() && today.isValid())
        glngEditDate = static_cast<std::int32_t>(gdtBaseDate.daysTo(today));
    gintRasterLevel = 4;
    glngRasterSplitW = 256;
    glngRasterSplitH = 256;
    gstrSetDateMode = iniValue(QStringLiteral("SetDate"), QStringLiteral("MODE"), gstrDocIniPath);
    gstrSetDate1 = iniValue(QStringLiteral("SetDate"), QStringLiteral("Date1"), gstrDocIniPath);
    gstrSetDate2 = iniValue(QStringLiteral("SetDate"), QStringLiteral("Date2"), gstrDocIniPath);
}

} // namespace veltra::shell

namespace mdlMain {

veltra::shell::SettingsReport ReadSettings()
{
    SettingsReport report;
    const QString folder = veltra::shell::programFolder();
    if (folder.isEmpty()) {
        // Never fall back to files of the current folder.
        report.errors << QStringLiteral("プログラムフォルダが決まっていません。");
        return report;
    }

    // 1. Paths of the program folder.
    gstrIniPath = folder + kIniName;
    gstrMnuPath = folder + kMnuName;
    gstrLstPath = folder + QStringLiteral("ZORPAK.LST");

    // 2. Title (the other keys of the section are not used).
    const FileCheck mnu = checkProfileFile(gstrMnuPath, QStringLiteral("ZORPAK_MNU"));
    if (!mnu.problem.isEmpty())
        report.errors << mnu.problem;
    gstrTitle = iniValue(QStringLiteral("ZORPAK_MNU"), QStringLiteral("title"), gstrMnuPath);

    // 3. Data folder and web targets.
    const FileCheck ini = checkProfileFile(gstrIniPath, QStringLiteral("VELTRA_DATA_PATH"));
    if (!ini.problem.isEmpty())
        report.errors << ini.problem;
    const QString configuredData
        = iniValue(QStringLiteral("VELTRA_DATA_PATH"), QStringLiteral("Path"), gstrIniPath);
    gstrDataPath = dataFolderFrom(configuredData, folder);
    if (ini.text) {
        if (gstrDataPath.isEmpty()) {
            report.errors << QStringLiteral(
                "データフォルダが設定されていません（%1 の [VELTRA_DATA_PATH] Path）。")
                                 .arg(gstrIniPath);
        } else if (!veltra::fs::folderExists(gstrDataPath)) {
            report.errors << QStringLiteral("データフォルダが見つかりません: %1").arg(gstrDataPath);
        }
    }
    const QString url = QStringLiteral("URL");
    gstrStoryDownloadSite = iniValue(url, QStringLiteral("STORYDOWNLOADSITE"), gstrIniPath);
    iniValue(url, QStringLiteral("MAPDOWNLOADSITE"), gstrIniPath); // read, not used
    gstrHpSite = iniValue(url, QStringLiteral("HPSITE"), gstrIniPath);
    gstrHelpSite = iniValue(url, QStringLiteral("HELPSITE"), gstrIniPath);
    gstrFaqSite = iniValue(url, QStringLiteral("FAQSITE"), gstrIniPath);
    gstrHelpLoc = iniValue(url, QStringLiteral("HELPLOC"), gstrIniPath);
    gstrManualLoc = iniValue(url, QStringLiteral("MANUALLOC"), gstrIniPath);

    // 4. Story files.
    gstrStoryLst = folder + QStringLiteral("STORY.LST");
    gstrStoryMst = folder + QStringLiteral("STORY.MST");

    // 5. Start count and questionnaire.
    const QString use = QStringLiteral("USE");
    gstrUseCount = iniValue(use, QStringLiteral("COUNT"), gstrIniPath);
    gstrUseUrl = iniValue(use, QStringLiteral("URL"), gstrIniPath);
    gstrUseFlg = iniValue(use, QStringLiteral("FLG"), gstrIniPath);
    if (!veltra::vb::isNumeric(gstrUseCount))
        gstrUseCount = QStringLiteral("0");

    // 6. Debug switch.
    gstrDebugMode = iniValue(QStringLiteral("DEBUG"), QStringLiteral("MODE"), gstrIniPath);

    // 7. Download server: configuration, never built into the program.
    const QString download = QStringLiteral("DOWNLOAD");
    gtypFtp.host = iniValue(download, QStringLiteral("HOST"), gstrIniPath);
    gtypFtp.account = iniValue(download, QStringLiteral("ACCOUNT"), gstrIniPath);
    gtypFtp.password = iniValue(download, QStringLiteral("PASSWORD"), gstrIniPath);
    gstrFtpDir = kFtpDir;

    // 8. Help targets.
    QString *help[]
        = {&gstrHP1, &gstrHP2, &gstrHP3, &gstrHP4, &gstrHP5, &gstrHP6, &gstrHP7, &gstrHP8, &gstrHP9};
    for (int i = 0; i < 9; ++i)
        *help[i] = iniValue(QStringLiteral("HELP"), QStringLiteral("HP%1").arg(i + 1), gstrIniPath);

    // 9. One more start. The count is not written into a file that is missing
    // or is no text, so such a file is not replaced by one that holds only it.
    std::int32_t count = 0;
    try {
        count = veltra::vb::cLng(gstrUseCount);
    } catch (const std::exception &) {
        count = 0; // beyond the range of a count: start again
    }
    gstrUseCount = QString::number(static_cast<qint64>(count) + 1);
    if (ini.text)
        veltra::shell::writeSetting(use, QStringLiteral("COUNT"), gstrUseCount, gstrIniPath);

    // 10. Display levels.
    readDisplayLevels(report);

    // 11. Graph limits: one key for all four.
    QString *limits[] = {&gstrLimitPie, &gstrLimitBar, &gstrLimitPyramid, &gstrLimitSymbol};
    for (QString *limit : limits) {
        *limit = iniValue(QStringLiteral("GRAPHLIMIT"), QStringLiteral("LIMIT"), gstrIniPath);
        if (limit->isEmpty())
            *limit = kDefaultLimit;
    }
    return report;
}

void SetDocumentNames()
{
    gstrDocIniPath = veltra::shell::documentIniPath(gstrDocPath);
}

} // namespace mdlMain
