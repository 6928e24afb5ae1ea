#include "statdata/userdataregistration.h"

#include "platform/fs/fs.h"
#include "statdata/clsaddinfo.h"
#include "statdata/clsindex.h"
#include "statdata/clslist.h"
#include "statdata/clsrealdata.h"
#include "statdata/clstownindex.h"
#include "statdata/clsyear.h"
#include "statdata/comdirectory.h"
#include "statdata/comfunction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace veltra::statdata {

namespace {

AddPipelineHooks &hooks()
{
    static AddPipelineHooks h;
    return h;
}

const QString kValueFileFailed = QStringLiteral("ユーザーデータファイル編集に失敗しました．");
const QString kItemListFailed = QStringLiteral("データ項目リストファイル編集に失敗しました．");
const QString kFileIndexFailed = QStringLiteral("「FileIndex.txt」ファイル編集に失敗しました．");
const QString kTownIndexFailed = QStringLiteral("町丁字レコードインデックスファイル編集に失敗しました．");
const QString kYearFailed = QStringLiteral("統計データ年度管理ファイル編集に失敗しました．");
const QString kRegisterFailed = QStringLiteral("「add_inf.txt」ファイル編集に失敗しました．");
const QString kUndoFailed = QStringLiteral("変更したファイルの一部を元に戻せませんでした．");

QString stepMessage(AddStep step)
{
    switch (step) {
    case AddStep::Backup:
    case AddStep::ValueFile:
        return kValueFileFailed;
    case AddStep::ItemList:
        return kItemListFailed;
    case AddStep::FileIndex:
        return kFileIndexFailed;
    case AddStep::TownIndex:
        return kTownIndexFailed;
    case AddStep::Year:
        return kYearFailed;
    case AddStep::Register:
        return kRegisterFailed;
    }
    return kValueFileFailed;
}

// The files one registration may change, as they were before it, and the
// folders it may make; restore() puts the tree back.
class FileSetBackup
{
public:
    // Keeps the file's bytes (nothing when it does not exist) and notes the
    // folders of its path that do not exist yet. False when an existing
    // file cannot be read: the registration could not be undone.
    bool add(const QString &path)
    {
        const QString local = fs::resolve(path);
        if (std::any_of(m_files.begin(), m_files.end(), [&](const Saved &s) { return s.path == local; }))
            return true;
        Saved saved{local, QFileInfo(local).isFile(), {}};
        if (saved.existed && !fs::readFile(local, saved.bytes))
            return false;
        m_files.push_back(std::move(saved));
        for (QString dir = QFileInfo(local).absolutePath(); !QFileInfo::exists(dir);) {
            if (!m_newFolders.contains(dir))
                m_newFolders << dir;
            const QString parent = QFileInfo(dir).absolutePath();
            if (parent == dir)
                break;
            dir = parent;
        }
        return true;
    }

    // False when some file could not be put back.
    bool restore() const
    {
        bool ok = true;
        for (const Saved &s : m_files) {
            const QFileInfo now(s.path);
            if (!s.existed) {
                if (now.isFile() && !QFile::remove(s.path))
                    ok = false;
                continue;
            }
            QByteArray current;
            if (now.isFile() && fs::readFile(s.path, current) && current == s.bytes)
                continue;
            QDir().mkpath(now.absolutePath());
            if (!fs::writeFileAtomic(s.path, s.bytes))
                ok = false;
        }
        // Deepest first; a folder that holds something not ours stays.
        QStringList folders = m_newFolders;
        std::sort(folders.begin(), folders.end(),
            [](const QString &a, const QString &b) { return a.size() > b.size(); });
        for (const QString &dir : std::as_const(folders)) {
            if (QFileInfo(dir).isDir())
                QDir().rmdir(dir);
        }
        return ok;
    }

private:
    struct Saved
    {
        QString path;
        bool existed = false;
        QByteArray bytes;
    };
    std::vector<Saved> m_files;
    QStringList m_newFolders;
};

QString folderOf(const QString &path)
{
    const QString local = fs::normalize(path);
    return local.left(local.lastIndexOf(QLatin1Char('/')) + 1);
}

// A data file that is already gone counts as deleted; its folder goes when no
// file is left in it, as the deletion itself would have done.
int32_t deleteUnlessGone(const QString &path, const std::function<int32_t()> &remove)
{
    if (ComDirectory::IsFileExist(path))
        return remove();
    const QString folder = folderOf(path);
    if (!folder.isEmpty() && ComDirectory::IsFolderExist(folder) && ComDirectory::GetFileCount(folder) == 0
        && !ComDirectory::DeleteFolder(folder))
        return -1;
    return 0;
}

} // namespace

std::vector<clsBaseYear> userDataPeriods()
{
    std::vector<clsBaseYear> periods;
    for (int k = 1; k <= 7; ++k) {
        clsBaseYear period;
        const int start = 2000 - 5 * (k - 1);
        period.setStartYear(QStringLiteral("%1/10/01").arg(start));
        period.setEndYear(QStringLiteral("%1/09/30").arg(k == 1 ? 2100 : start + 5));
        periods.push_back(period);
    }
    return periods;
}

QStringList prefectureEntries()
{
    static const char *const names[] = {"北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県", "福島県",
        "茨城県", "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県", "石川県",
        "福井県", "山梨県", "長野県", "岐阜県", "静岡県", "愛知県", "三重県", "滋賀県", "京都府", "大阪府",
        "兵庫県", "奈良県", "和歌山県", "鳥取県", "島根県", "岡山県", "広島県", "山口県", "徳島県", "香川県",
        "愛媛県", "高知県", "福岡県", "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県"};
    QStringList entries;
    int code = 1;
    for (const char *name : names)
        entries << QStringLiteral("%1 %2").arg(code++, 2, 10, QLatin1Char('0')).arg(QString::fromUtf8(name));
    return entries;
}

int16_t checkZenkakuText(const QString &text)
{
    // Characters, not UTF-16 units: a character outside the BMP is one
    // character (that CP932 cannot hold).
    const qsizetype length = text.toUcs4().size();
    if (length == 0 || length > 8)
        return -1;
    return ComFunction::IsZenkakuOnly(text) ? 0 : -2;
}

bool isUsableTitle(const QString &title)
{
    static const std::array<QString, 5> reserved{QStringLiteral("国勢調査"),
        QStringLiteral("事業所・企業統計調査"), QStringLiteral("SSDS"),
        QStringLiteral("市町村別将来推計人口"), QStringLiteral("住民基本台帳人口移動報告")};
    return std::none_of(
        reserved.begin(), reserved.end(), [&](const QString &name) { return name.trimmed() == title; });
}

QString eraPrefix(const QString &startYear)
{
    const QString era = ComFunction::FormatEraDate(startYear, 2);
    const qsizetype dot = era.indexOf(QLatin1Char('.'));
    return dot < 0 ? era : era.left(dot);
}

QString userDataFolderPath(const QString &dataFolder, const QString &startYear, const QString &title,
    const QString &areaUnit, const QString &group)
{
    QString folder = dataFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('\\');
    return folder + QStringLiteral("etc\\") + eraPrefix(startYear) + title + QLatin1Char('\\') + areaUnit
        + QLatin1Char('\\') + group + QLatin1Char('\\');
}

QString selectedFileTitle(const QString &csvPath)
{
    const qsizetype slash
        = std::max(csvPath.lastIndexOf(QLatin1Char('\\')), csvPath.lastIndexOf(QLatin1Char('/')));
    const QString name = csvPath.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

UserDataTarget makeUserDataTarget(const QString &dataFolder, const clsBaseYear &period, const QString &title,
    const QString &areaUnit, const QString &group, const QString &prefectureEntry, const QString &csvPath)
{
    UserDataTarget t;
    t.selectedFilePath = csvPath;
    t.startYear = period.StartYear();
    t.endYear = period.EndYear();
    t.areaUnit = areaUnit;
    t.prefNum = areaUnit == kUnitPrefecture ? QStringLiteral("00") : prefectureEntry.left(2);
    t.realFilePath = userDataFolderPath(dataFolder, t.startYear, title, areaUnit, group)
        + selectedFileTitle(csvPath) + QStringLiteral(".txt");
    return t;
}

void setAddPipelineHooks(AddPipelineHooks h)
{
    hooks() = std::move(h);
}

QString runAddPipeline(const UserDataTarget &t, bool alreadyMode, const QString &addInfoPath)
{
    const bool municipal = t.areaUnit != kUnitPrefecture;
    const bool townBlocks = t.areaUnit == kUnitTownBlock;
    const AddPipelineHooks &h = hooks();

    // Every file a step below may change, before the first one runs.
    FileSetBackup backup;
    {
        clsList list;
        list.ListInit(t.realFilePath, t.startYear);
        clsYear year;
        year.YearInit(t.realFilePath, t.startYear, t.endYear);
        std::vector<std::pair<QString, AddStep>> files{{t.realFilePath, AddStep::ValueFile},
            {list.ListFilePath(0), AddStep::ItemList}, {list.ListFilePath(1), AddStep::ItemList}};
        if (municipal) {
            clsIndex index;
            index.IndexInit(t.realFilePath, t.prefNum);
            files.emplace_back(index.IndexFilePath(), AddStep::FileIndex);
        }
        if (townBlocks) {
            clsTownIndex town;
            town.setRealFilePath(t.realFilePath);
            files.emplace_back(town.IndexFilePath(), AddStep::TownIndex);
        }
        files.emplace_back(year.YearFilePath(), AddStep::Year);
        files.emplace_back(year.CopyFilePath(), AddStep::Year);
        files.emplace_back(addInfoPath, AddStep::Register);
        for (const auto &[path, step] : files) {
            if (!path.isEmpty() && !backup.add(path))
                return stepMessage(step);
        }
    }
    if (h.stepDone)
        h.stepDone(AddStep::Backup);

    // One step's result: a failure undoes everything done so far.
    QString message;
    const auto done = [&](AddStep step, int32_t result, const QString &failure = QString()) {
        if (result >= 0 && h.failAfter && h.failAfter(step))
            result = -1;
        if (result >= 0) {
            if (h.stepDone)
                h.stepDone(step);
            return true;
        }
        message = failure.isEmpty() ? stepMessage(step) : failure;
        if (!backup.restore())
            message += QLatin1Char('\n') + kUndoFailed;
        return false;
    };

    {
        clsRealData data;
        data.setSelectedFilePath(t.selectedFilePath);
        data.setDataKind(t.areaUnit);
        data.setRealFilePath(t.realFilePath);
        data.setAlreadyMode(alreadyMode);
        const int32_t check = data.CheckFileFormat();
        if (check != 0) {
            done(AddStep::ValueFile, -1, clsRealData::CheckMessage(check));
            return message;
        }
        if (!done(AddStep::ValueFile, data.ConvertTextFile()))
            return message;
    }
    {
        clsList list;
        list.ListInit(t.realFilePath, t.startYear);
        if (!done(AddStep::ItemList, list.AddData()))
            return message;
    }
    if (municipal) {
        clsIndex index;
        index.IndexInit(t.realFilePath, t.prefNum);
        if (!done(AddStep::FileIndex, index.AddData()))
            return message;
    }
    if (townBlocks) {
        clsTownIndex town;
        town.setRealFilePath(t.realFilePath);
        if (!done(AddStep::TownIndex, town.CreateFile()))
            return message;
    }
    {
        clsYear year;
        year.YearInit(t.realFilePath, t.startYear, t.endYear);
        if (!done(AddStep::Year, year.AddData()))
            return message;
    }
    {
        clsAddInfo info;
        info.setAddInfoFilePath(addInfoPath);
        if (!done(AddStep::Register, info.AddData(t.realFilePath, t.startYear, t.endYear, t.prefNum)))
            return message;
    }
    return QString();
}

QString runDeletePipeline(const QString &line, const QString &addInfoPath)
{
    const QString real = clsAddInfo::GetRealFilePath(line);
    const QString start = clsAddInfo::GetStartYear(line);
    const QString end = clsAddInfo::GetEndYear(line);
    const QString pref = clsAddInfo::GetPrefNum(line);
    const QString unit = clsAddInfo::GetKind(line);

    {
        clsRealData data;
        data.setRealFilePath(real);
        if (deleteUnlessGone(real, [&] { return data.DeleteFile(); }) < 0)
            return kValueFileFailed;
    }
    if (unit == kUnitTownBlock) {
        clsTownIndex town;
        town.setRealFilePath(real);
        if (deleteUnlessGone(town.IndexFilePath(), [&] { return town.DeleteFile(); }) < 0)
            return kTownIndexFailed;
    }
    if (unit != kUnitPrefecture) {
        clsIndex index;
        index.IndexInit(real, pref);
        if (deleteUnlessGone(index.IndexFilePath(), [&] { return index.RemoveData(); }) < 0)
            return kFileIndexFailed;
    }
    {
        clsList list;
        list.ListInit(real, start);
        const bool listed = ComDirectory::IsFileExist(list.ListFilePath(0))
            || ComDirectory::IsFileExist(list.ListFilePath(1));
        if (listed) {
            // The list step begins by removing the emptied unit folder; one
            // already gone is made again so that the step reaches the list.
            const QString unitFolder = list.FolderValue(0);
            if (!unitFolder.isEmpty() && !ComDirectory::IsFolderExist(unitFolder))
                ComDirectory::CreateFolderTree(unitFolder);
            if (list.RemoveData() < 0)
                return kItemListFailed;
        }
    }
    {
        clsYear year;
        year.YearInit(real, start, end);
        const bool listed = ComDirectory::IsFileExist(year.YearFilePath())
            || ComDirectory::IsFileExist(year.CopyFilePath());
        if (listed && year.RemoveData() < 0)
            return kYearFailed;
    }
    {
        clsAddInfo info;
        info.setAddInfoFilePath(addInfoPath);
        if (info.RemoveData(real, start, end, pref) < 0)
            return kRegisterFailed;
    }
    return QString();
}

} // namespace veltra::statdata
