// The registration values, the input checks and the two pipelines of the
// user-data registration on a temporary data folder: a failing step leaves
// every file as it was, and a registration whose files were partly removed
// by hand can still be deleted.
#include "statdata/clsaddinfo.h"
#include "statdata/comfunction.h"
#include "statdata/userdataregistration.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::test;
using namespace veltra::statdata;

namespace {

TEST(UserDataValues, TheSevenPeriodsNewestFirst)
{
    const std::vector<clsBaseYear> periods = userDataPeriods();
    ASSERT_EQ(periods.size(), 7u);
    const char *expected[7][2] = {{"2000/10/01", "2100/09/30"}, {"1995/10/01", "2000/09/30"},
        {"1990/10/01", "1995/09/30"}, {"1985/10/01", "1990/09/30"}, {"1980/10/01", "1985/09/30"},
        {"1975/10/01", "1980/09/30"}, {"1970/10/01", "1975/09/30"}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(periods[i].StartYear(), QString::fromLatin1(expected[i][0])) << i;
        EXPECT_EQ(periods[i].EndYear(), QString::fromLatin1(expected[i][1])) << i;
    }
}

TEST(UserDataValues, PrefectureEntriesInCodeOrder)
{
    const QStringList entries = prefectureEntries();
    ASSERT_EQ(entries.size(), 47);
    EXPECT_EQ(entries.first(), u("01 北海道"));
    EXPECT_EQ(entries.at(12), u("13 東京都"));
    EXPECT_EQ(entries.at(13), u("14 神奈川県"));
    EXPECT_EQ(entries.last(), u("47 沖縄県"));
    for (int i = 0; i < 47; ++i)
        EXPECT_EQ(entries.at(i).left(3), QStringLiteral("%1 ").arg(i + 1, 2, 10, QLatin1Char('0')));
}

TEST(UserDataValues, ZenkakuCheck)
{
    struct Row
    {
        const char *text;
        int expected;
    };
    const Row rows[] = {
        {"人口集計世帯人員", 0}, // exactly 8 double-byte characters
        {"人", 0}, {"ａｂｃ１２３", 0}, // full-width letters and digits
        {"", -1}, {"人口集計世帯人員数", -1}, // 9
        {"人口A", -2}, {"人口1", -2}, {"人口 集計", -2}, {"人口ｼｭｳｹｲ", -2}, // half-width katakana
        {"인구", -2}, // not in CP932
        {"人口😀", -2}, // one character outside the BMP, not in CP932
        {"ABCDEFGHI", -1}, // too long comes first
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(checkZenkakuText(u(row.text)), row.expected);
    }
}

TEST(UserDataValues, ReservedTitles)
{
    for (const char *name :
        {"国勢調査", "事業所・企業統計調査", "SSDS", "市町村別将来推計人口", "住民基本台帳人口移動報告"})
        EXPECT_FALSE(isUsableTitle(u(name))) << name;
    for (const char *name : {"国勢調査２", " 国勢調査", "ssds", "人口集計", ""})
        EXPECT_TRUE(isUsableTitle(u(name))) << name;
}

TEST(UserDataValues, EraPrefixAndFileTitle)
{
    EXPECT_EQ(eraPrefix("2000/10/01"), "H12");
    EXPECT_EQ(eraPrefix("1990/10/01"), "H2");
    EXPECT_EQ(eraPrefix("1985/10/01"), "S60");
    EXPECT_EQ(eraPrefix("1970/10/01"), "S45");
    EXPECT_EQ(selectedFileTitle("C:\\data\\setai.csv"), "setai");
    EXPECT_EQ(selectedFileTitle("/home/a/b.c.CSV"), "b.c");
    EXPECT_EQ(selectedFileTitle("C:\\x.y\\noext"), "noext");
    EXPECT_EQ(selectedFileTitle(""), "");
}

TEST(UserDataValues, TargetOfTheWindowsInputs)
{
    const std::vector<clsBaseYear> periods = userDataPeriods();
    UserDataTarget t = makeUserDataTarget("/d/VeltraData/", periods[0], u("人口集計"), kUnitMunicipality,
        u("世帯数"), u("13 東京都"), "C:\\data\\setai.csv");
    EXPECT_EQ(t.realFilePath, u("/d/VeltraData/etc\\H12人口集計\\市区町村\\世帯数\\setai.txt"));
    EXPECT_EQ(t.prefNum, "13");
    EXPECT_EQ(t.startYear, "2000/10/01");
    EXPECT_EQ(t.endYear, "2100/09/30");
    EXPECT_EQ(t.selectedFilePath, "C:\\data\\setai.csv");
    EXPECT_EQ(t.areaUnit, kUnitMunicipality);

    t = makeUserDataTarget("/d/VeltraData", periods[6], u("人口集計"), kUnitPrefecture, u("世帯数"),
        u("13 東京都"), "/in/pref.csv");
    EXPECT_EQ(t.realFilePath, u("/d/VeltraData\\etc\\S45人口集計\\都道府県\\世帯数\\pref.txt"));
    EXPECT_EQ(t.prefNum, "00") << "the prefecture combo is ignored";
}

// A data folder with shipped statistics and one user registration already
// in place, and the register in the program folder.
class UserDataPipeline : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clsAddInfo::setClock([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 7)); });
        data = tmp.path() + QStringLiteral("VeltraData/");
        etc = data + QStringLiteral("etc/");
        addInfo = tmp.path() + QStringLiteral("add_inf.txt");
        writeTextFile(etc + u("統計ﾃﾞｰﾀ年度管理.txt"), {u("S45国勢,19701001,19750930")});
        writeTextFile(etc + u("etc2/統計ﾃﾞｰﾀ年度管理.txt"), {u("S45国勢,19701001,19750930")});
        writeTextFile(etc + u("S45国勢.txt"), {u("[統計内容]"), u("Entry1=国勢")});
        writeTextFile(etc + u("S45国勢/都道府県/人口/pref.txt"), {u("ｺｰﾄﾞ,人口"), u("13,1")});
    }
    void TearDown() override
    {
        setAddPipelineHooks({});
        clsAddInfo::setClock(nullptr);
    }

    QString csv(const QString &name, const QStringList &lines)
    {
        const QString path = tmp.path() + QStringLiteral("input/") + name;
        writeTextFile(path, lines);
        return path;
    }

    UserDataTarget target(
        const QString &unit, const QString &group, const QString &pref, const QString &csvPath)
    {
        return makeUserDataTarget(
            data, userDataPeriods()[0], u("人口集計"), unit, group, pref + u(" 東京都"), csvPath);
    }

    QString municipal()
    {
        return csv(
            "13.csv", {u("ｺｰﾄﾞ,名前,世帯数,人口"), u("13101,千代田区,100,200"), u("13102,中央区,300,400")});
    }
    QString town()
    {
        return csv("t13.csv",
            {u("ｺｰﾄﾞ,名前,世帯数"), u("13102001001,八重洲,7"), u("13101001001,丸の内,5"),
                u("13101001002,大手町,6")});
    }

    std::map<QString, QByteArray> state() const { return snapshot(tmp.path()); }

    static void expectSame(
        const std::map<QString, QByteArray> &after, const std::map<QString, QByteArray> &before)
    {
        for (const auto &[path, bytes] : after) {
            if (!before.count(path))
                ADD_FAILURE() << "left: " << path.toStdString();
            else if (before.at(path) != bytes)
                ADD_FAILURE() << "changed: " << path.toStdString();
        }
        for (const auto &[path, bytes] : before) {
            if (!after.count(path))
                ADD_FAILURE() << "lost: " << path.toStdString();
        }
    }

    TempDir tmp;
    QString data, etc, addInfo;
};

TEST_F(UserDataPipeline, AFailingStepUndoesTheStepsBeforeIt)
{
    // Another prefecture of the same group is registered: the item list,
    // FileIndex.txt, the year file and the register exist and are changed,
    // not made, by the registration under test.
    const QString other = csv("01.csv", {u("ｺｰﾄﾞ,名前,世帯数"), u("01101000001,札幌,1")});
    ASSERT_EQ(runAddPipeline(target(kUnitTownBlock, u("町丁別"), "01", other), true, addInfo), "");
    const auto before = state();

    struct Row
    {
        AddStep step;
        const char *message;
    };
    const Row rows[] = {
        {AddStep::ValueFile, "ユーザーデータファイル編集に失敗しました．"},
        {AddStep::ItemList, "データ項目リストファイル編集に失敗しました．"},
        {AddStep::FileIndex, "「FileIndex.txt」ファイル編集に失敗しました．"},
        {AddStep::TownIndex, "町丁字レコードインデックスファイル編集に失敗しました．"},
        {AddStep::Year, "統計データ年度管理ファイル編集に失敗しました．"},
        {AddStep::Register, "「add_inf.txt」ファイル編集に失敗しました．"},
    };
    const QString input = town();
    for (const Row &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.step));
        std::vector<AddStep> done;
        setAddPipelineHooks(
            {[&](AddStep s) { done.push_back(s); }, [&](AddStep s) { return s == row.step; }});
        // Only the value file and the town record index are new.
        EXPECT_EQ(
            runAddPipeline(target(kUnitTownBlock, u("町丁別"), "13", input), true, addInfo), u(row.message));
        EXPECT_EQ(done.size(), static_cast<std::size_t>(row.step)) << "the steps before the failing one ran";
        auto after = state();
        after.erase(QStringLiteral("input/t13.csv"));
        expectSame(after, before);
    }

    // Without a fault the same registration goes through.
    setAddPipelineHooks({});
    EXPECT_EQ(runAddPipeline(target(kUnitTownBlock, u("町丁別"), "13", input), true, addInfo), "");
    EXPECT_TRUE(QFile::exists(etc + u("H12人口集計/町丁字/町丁別/t13Index.txt")));
}

// A deletion is all or nothing too: a step failing after the ones before it
// removed the value file, its indexes or list entries puts all of them back,
// the register line included.
TEST_F(UserDataPipeline, AFailingDeletionStepPutsEveryFileBack)
{
    const QString other = csv("01.csv", {u("ｺｰﾄﾞ,名前,世帯数"), u("01101000001,札幌,1")});
    ASSERT_EQ(runAddPipeline(target(kUnitTownBlock, u("町丁別"), "01", other), true, addInfo), "");
    ASSERT_EQ(runAddPipeline(target(kUnitTownBlock, u("町丁別"), "13", town()), true, addInfo), "");
    clsAddInfo info;
    info.setAddInfoFilePath(addInfo);
    std::vector<QString> lines;
    ASSERT_EQ(info.CreateAddedDataList(lines), 2);
    const QString line = lines.at(1);
    ASSERT_TRUE(line.contains("t13.txt"));
    const auto before = state();

    struct Row
    {
        AddStep step;
        std::size_t doneBefore;
        const char *message;
    };
    // Deletion order: value file, town index, FileIndex.txt, item list,
    // year line, register line.
    const Row rows[] = {
        {AddStep::ValueFile, 0, "ユーザーデータファイル編集に失敗しました．"},
        {AddStep::TownIndex, 1, "町丁字レコードインデックスファイル編集に失敗しました．"},
        {AddStep::FileIndex, 2, "「FileIndex.txt」ファイル編集に失敗しました．"},
        {AddStep::ItemList, 3, "データ項目リストファイル編集に失敗しました．"},
        {AddStep::Year, 4, "統計データ年度管理ファイル編集に失敗しました．"},
        {AddStep::Register, 5, "「add_inf.txt」ファイル編集に失敗しました．"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.step));
        std::size_t done = 0;
        setAddPipelineHooks({[&](AddStep) { ++done; }, [&](AddStep s) { return s == row.step; }});
        EXPECT_EQ(runDeletePipeline(line, addInfo), u(row.message));
        EXPECT_EQ(done, row.doneBefore) << "the steps before the failing one ran";
        expectSame(state(), before);
    }

    setAddPipelineHooks({});
    EXPECT_EQ(runDeletePipeline(line, addInfo), "");
    EXPECT_FALSE(QFile::exists(etc + u("H12人口集計/町丁字/町丁別/t13.txt")));
    EXPECT_TRUE(QFile::exists(etc + u("H12人口集計/町丁字/町丁別/01.txt")));
}

TEST_F(UserDataPipeline, AFailureOnAFreshTreeRemovesTheFoldersItMade)
{
    QFile::remove(etc + u("etc2/統計ﾃﾞｰﾀ年度管理.txt"));
    QDir(etc + "etc2").removeRecursively();
    const QString input = town();
    const auto before = state();
    setAddPipelineHooks({{}, [](AddStep s) { return s == AddStep::Register; }});
    EXPECT_EQ(runAddPipeline(target(kUnitTownBlock, u("町丁別"), "13", input), true, addInfo),
        u("「add_inf.txt」ファイル編集に失敗しました．"));
    expectSame(state(), before);
}

TEST_F(UserDataPipeline, ARefusedConversionWritesNothing)
{
    // A value file already on disk that the register does not list.
    writeTextFile(etc + u("H12人口集計/市区町村/世帯数/13.txt"), {u("ｺｰﾄﾞ,世帯数"), u("13101,1")});
    const auto before = state();
    EXPECT_EQ(runAddPipeline(target(kUnitMunicipality, u("世帯数"), "13", municipal()), true, addInfo),
        u("ユーザーデータファイル編集に失敗しました．"));
    auto after = state();
    after.erase(QStringLiteral("input/13.csv"));
    after.erase(QStringLiteral("input"));
    expectSame(after, before);
}

TEST_F(UserDataPipeline, NoFileChosenStopsAtTheFirstStep)
{
    const auto before = state();
    EXPECT_EQ(runAddPipeline(target(kUnitMunicipality, u("世帯数"), "13", QString()), true, addInfo),
        u("登録データが開けません."));
    expectSame(state(), before);
}

TEST_F(UserDataPipeline, RegistrationsWhosePartsAreGoneCanStillBeDeleted)
{
    const auto start = state();
    const QString input = municipal();
    const QString group = etc + u("H12人口集計/市区町村/世帯数/");
    struct Row
    {
        const char *what;
        std::function<void()> remove;
    };
    const Row rows[] = {
        {"value file", [&] { QFile::remove(group + "13.txt"); }},
        {"FileIndex line", [&] { QFile::remove(group + "FileIndex.txt"); }},
        {"group folder", [&] { QDir(group).removeRecursively(); }},
        {"statistics folder", [&] { QDir(etc + u("H12人口集計")).removeRecursively(); }},
        {"year line",
            [&] {
                writeTextFile(etc + u("統計ﾃﾞｰﾀ年度管理.txt"), {u("S45国勢,19701001,19750930")});
                writeTextFile(etc + u("etc2/統計ﾃﾞｰﾀ年度管理.txt"), {u("S45国勢,19701001,19750930")});
            }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(runAddPipeline(target(kUnitMunicipality, u("世帯数"), "13", input), true, addInfo), "");
        clsAddInfo info;
        info.setAddInfoFilePath(addInfo);
        std::vector<QString> lines;
        ASSERT_EQ(info.CreateAddedDataList(lines), 1);
        row.remove();
        EXPECT_EQ(runDeletePipeline(lines.front(), addInfo), "");
        auto after = state();
        EXPECT_EQ(readBytes(addInfo),
            cp932Lines({u("ユーザーデータ名,年次,,地域の単位,項目のグループ名,"
                          "都道府県,ファイル名,追加日")}));
        after.erase(QStringLiteral("add_inf.txt"));
        after.erase(QStringLiteral("input/13.csv"));
        after.erase(QStringLiteral("input"));
        expectSame(after, start);
    }
}

} // namespace
