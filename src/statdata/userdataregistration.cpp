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
#include "statdata/registrationjournal.h"
#include "statdata/statfileformat.h"

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

// The point a journaled registration or deletion reports after a step.
const char *stepPoint(AddStep step)
{
    switch (step) {
    case AddStep::Backup:
        return "journal written";
    case AddStep::ValueFile:
        return "value file";
    case AddStep::ItemList:
        return "item list";
    case AddStep::FileIndex:
        return "file index";
    case AddStep::TownIndex:
        return "town index";
    case AddStep::Year:
        return "year file";
    case AddStep::Register:
        return "register";
    }
    return "";
}

// The etc folder of a value file etc\<statistics>\<unit>\<group>\<file>.txt,
// as the item list class finds it; empty for a path too short to be one.
QString etcFolderOf(const QString &valueFile)
{
    clsList list;
    list.ListInit(valueFile, QString());
    return list.ListFilePath(0).isEmpty() ? QString() : statdata::folderOf(list.ListFilePath(0));
}

// One journaled registration or deletion: begin() keeps every file it may
// change; a failing step rolls them all back before its message is given;
// finish() makes the change stand.
class JournaledRun
{
public:
    explicit JournaledRun(const QString &valueFile)
        : m_etc(etcFolderOf(valueFile))
        , m_journal(m_etc)
    { }

    // "" when the files are kept; otherwise the message.
    QString begin(const QStringList &files)
    {
        QString why;
        if (m_etc.isEmpty() || !m_journal.begin(files, &why))
            return withReason(kValueFileFailed, why);
        return QString();
    }

    // The message of a failed step, the files put back first.
    QString failed(const QString &message)
    {
        QString why;
        if (!m_journal.rollBack(&why))
            return message + QLatin1Char('\n') + withReason(kUndoFailed, why);
        return message;
    }

    // "" when the change stands; otherwise (the journal could not be
    // closed) it is rolled back and the register step's message given.
    QString finish()
    {
        if (m_journal.commit())
            return QString();
        return failed(kRegisterFailed);
    }

private:
    static QString withReason(const QString &message, const QString &why)
    {
        return why.isEmpty() ? message : message + QLatin1Char('\n') + why;
    }

    QString m_etc;
    RegistrationJournal m_journal;
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

    // Every file a step below may change, kept before the first one runs.
    JournaledRun run(t.realFilePath);
    {
        clsList list;
        list.ListInit(t.realFilePath, t.startYear);
        clsYear year;
        year.YearInit(t.realFilePath, t.startYear, t.endYear);
        QStringList files{t.realFilePath, list.ListFilePath(0), list.ListFilePath(1)};
        if (municipal) {
            clsIndex index;
            index.IndexInit(t.realFilePath, t.prefNum);
            files << index.IndexFilePath();
        }
        if (townBlocks) {
            clsTownIndex town;
            town.setRealFilePath(t.realFilePath);
            files << town.IndexFilePath();
        }
        files << year.YearFilePath() << year.CopyFilePath() << addInfoPath;
        files.removeAll(QString());
        const QString refused = run.begin(files);
        if (!refused.isEmpty())
            return refused;
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
            RegistrationJournal::step(stepPoint(step));
            return true;
        }
        message = run.failed(failure.isEmpty() ? stepMessage(step) : failure);
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
    return run.finish();
}

QString runDeletePipeline(const QString &line, const QString &addInfoPath)
{
    const QString real = clsAddInfo::GetRealFilePath(line);
    const QString start = clsAddInfo::GetStartYear(line);
    const QString end = clsAddInfo::GetEndYear(line);
    const QString pref = clsAddInfo::GetPrefNum(line);
    const QString unit = clsAddInfo::GetKind(line);

    clsTownIndex town;
    town.setRealFilePath(real);
    clsIndex index;
    index.IndexInit(real, pref);
    clsList list;
    list.ListInit(real, start);
    clsYear year;
    year.YearInit(real, start, end);

    // Every file a step below may change, kept before the first one runs.
    JournaledRun run(real);
    {
        QStringList files{real};
        if (unit == kUnitTownBlock)
            files << town.IndexFilePath();
        if (unit != kUnitPrefecture)
            files << index.IndexFilePath();
        files << list.ListFilePath(0) << list.ListFilePath(1) << year.YearFilePath() << year.CopyFilePath()
              << addInfoPath;
        files.removeAll(QString());
        const QString refused = run.begin(files);
        if (!refused.isEmpty())
            return refused;
    }
    // A failed step puts every file back before its message.
    const AddPipelineHooks &h = hooks();
    const auto done = [&](AddStep step, int32_t result) {
        if (result >= 0 && h.failAfter && h.failAfter(step))
            result = -1;
        if (result < 0)
            return false;
        if (h.stepDone)
            h.stepDone(step);
        RegistrationJournal::step(stepPoint(step));
        return true;
    };

    {
        clsRealData data;
        data.setRealFilePath(real);
        if (!done(AddStep::ValueFile, deleteUnlessGone(real, [&] { return data.DeleteFile(); })))
            return run.failed(kValueFileFailed);
    }
    if (unit == kUnitTownBlock) {
        const int32_t removed = deleteUnlessGone(town.IndexFilePath(), [&] { return town.DeleteFile(); });
        if (!done(AddStep::TownIndex, removed))
            return run.failed(kTownIndexFailed);
    }
    if (unit != kUnitPrefecture) {
        const int32_t removed = deleteUnlessGone(index.IndexFilePath(), [&] { return index.RemoveData(); });
        if (!done(AddStep::FileIndex, removed))
            return run.failed(kFileIndexFailed);
    }
    {
        const bool listed = ComDirectory::IsFileExist(list.ListFilePath(0))
            || ComDirectory::IsFileExist(list.ListFilePath(1));
        if (listed) {
            // The list step begins by removing the emptied unit folder; one
            // already gone is made again so that the step reaches the list.
            const QString unitFolder = list.FolderValue(0);
            if (!unitFolder.isEmpty() && !ComDirectory::IsFolderExist(unitFolder))
                ComDirectory::CreateFolderTree(unitFolder);
        }
        if (!done(AddStep::ItemList, listed ? list.RemoveData() : 0))
            return run.failed(kItemListFailed);
    }
    {
        const bool listed = ComDirectory::IsFileExist(year.YearFilePath())
            || ComDirectory::IsFileExist(year.CopyFilePath());
        if (!done(AddStep::Year, listed ? year.RemoveData() : 0))
            return run.failed(kYearFailed);
    }
    {
        clsAddInfo info;
        info.setAddInfoFilePath(addInfoPath);
        if (!done(AddStep::Register, info.RemoveData(real, start, end, pref)))
            return run.failed(kRegisterFailed);
    }
    return run.finish();
}

} // namespace veltra::statdata
