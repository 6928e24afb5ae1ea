// Item-list file writer: registration, removal with renumbering and
// compaction, and the comparison of a header with a listed item group.
#include "platform/profile/profile.h"
#include "statdata/clslist.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::test;
namespace profile = veltra::profile;

namespace {

const QString kStat = QStringLiteral("H12人口統計");

class ClsListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        etc = tmp.path() + QStringLiteral("etc/");
        QDir().mkpath(etc + QStringLiteral("etc2"));
        listFile = etc + kStat + QStringLiteral(".txt");
        copyFile = etc + QStringLiteral("etc2/") + kStat + QStringLiteral(".txt");
    }
    QString valuePath(const QString &unit, const QString &group, const QString &file = "13.txt") const
    {
        return etc + kStat + "\\" + unit + "\\" + group + "\\" + file;
    }
    // Writes the value file (header only) and registers it.
    int32_t add(const QString &unit, const QString &group, const QString &header = "ｺｰﾄﾞ,人口,世帯数",
        const QString &file = "13.txt")
    {
        writeTextFile(QString(valuePath(unit, group, file)).replace('\\', '/'), {header});
        clsList list;
        list.ListInit(valuePath(unit, group, file), "2000/10/01");
        return list.AddData();
    }
    // Removes the value file (and its group folder when emptied), then the list entries.
    int32_t remove(const QString &unit, const QString &group, const QString &file = "13.txt")
    {
        const QString path = QString(valuePath(unit, group, file)).replace('\\', '/');
        QFile::remove(path);
        QDir folder = QFileInfo(path).dir();
        if (folder.isEmpty())
            folder.removeRecursively();
        clsList list;
        list.ListInit(valuePath(unit, group, file), "2000/10/01");
        return list.RemoveData();
    }
    QString entry(const QString &section, int n, const QString &file) const
    {
        return profile::getString(section, QStringLiteral("Entry") + QString::number(n), QString(), file);
    }

    TempDir tmp;
    QString etc, listFile, copyFile;
};

} // namespace

TEST_F(ClsListTest, DerivesTitleYearAndFiles)
{
    clsList list;
    list.ListInit(valuePath("市区町村", "基本集計"), "2000/10/01");
    EXPECT_EQ(list.Title(), QStringLiteral("人口統計"));
    EXPECT_EQ(list.SurveyYear(), QStringLiteral("平成12年度"));
    EXPECT_EQ(list.AreaUnit(), QStringLiteral("市区町村"));
    EXPECT_EQ(list.ItemGroup(), QStringLiteral("基本集計"));
    EXPECT_EQ(list.ListFilePath(0), listFile);
    EXPECT_EQ(list.ListFilePath(1), copyFile);
    EXPECT_EQ(list.FolderValue(0), etc + kStat + QStringLiteral("/市区町村/"));
    EXPECT_EQ(list.FolderValue(1), etc + QStringLiteral("etc2/") + kStat + QStringLiteral("/市区町村/"));

    clsList allSingleByte;
    allSingleByte.ListInit(etc + "H12abc\\市区町村\\g\\1.txt", "2000/10/01");
    EXPECT_EQ(allSingleByte.Title(), QString());
    clsList halfWidthKana;
    halfWidthKana.ListInit(etc + "H12ﾃﾞｰﾀ統計\\市区町村\\g\\1.txt", "2000/10/01");
    EXPECT_EQ(halfWidthKana.Title(), QStringLiteral("統計"));
}

TEST_F(ClsListTest, FirstRegistrationWritesBothFiles)
{
    ASSERT_EQ(add("市区町村", "基本集計"), 0);
    EXPECT_EQ(readBytes(listFile),
        cp932Lines({
            "[統計内容]",
            "Entry1=人口統計",
            "[調査年度]",
            "Entry1=平成12年度",
            "[ﾃﾞｰﾀ種類]",
            "Entry1=市区町村",
            "[市区町村]",
            "Entry1=基本集計",
            "Path=" + etc + kStat + "/市区町村/",
            "[基本集計]",
            "Entry1=人口,人口",
            "Entry2=世帯数,世帯数",
        }));
    EXPECT_EQ(readBytes(copyFile),
        cp932Lines({
            "[統計内容]",
            "Entry1=人口統計",
            "[調査年度]",
            "Entry1=平成12年度",
            "[ﾃﾞｰﾀ種類]",
            "Entry1=市区町村",
            "[市区町村]",
            "Entry1=基本集計",
            "Path=" + etc + "etc2/" + kStat + "/市区町村/",
            "[基本集計]",
            "Entry1=人口",
            "Entry2=世帯数",
        }));
}

TEST_F(ClsListTest, LaterRegistrationsAppendGroupsAndUnitsOnce)
{
    ASSERT_EQ(add("市区町村", "基本集計"), 0);
    ASSERT_EQ(add("市区町村", "基本集計", "ｺｰﾄﾞ,人口,世帯数", "14.txt"), 0);
    ASSERT_EQ(add("市区町村", "産業"), 0);
    ASSERT_EQ(add("町丁字", "基本集計"), 0);
    for (const QString &file : {listFile, copyFile}) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_EQ(entry("ﾃﾞｰﾀ種類", 1, file), QStringLiteral("市区町村"));
        EXPECT_EQ(entry("ﾃﾞｰﾀ種類", 2, file), QStringLiteral("町丁字"));
        EXPECT_EQ(entry("ﾃﾞｰﾀ種類", 3, file), QString());
        EXPECT_EQ(entry("市区町村", 1, file), QStringLiteral("基本集計"));
        EXPECT_EQ(entry("市区町村", 2, file), QStringLiteral("産業"));
        EXPECT_EQ(entry("市区町村", 3, file), QString());
        EXPECT_EQ(entry("町丁字", 1, file), QStringLiteral("基本集計"));
    }
    EXPECT_EQ(profile::getString("町丁字", "Path", "", listFile), etc + kStat + "/町丁字/");
}

TEST_F(ClsListTest, HeaderIsReadInTheEncodingOfTheWholeFile)
{
    // A UTF-8 value file whose header alone would pass for CP932 half-width
    // katakana ("Ω" is the bytes of "ﾎｩ"); the kanji below settle it.
    const QString path = QString(valuePath("市区町村", "g")).replace('\\', '/');
    QDir().mkpath(QFileInfo(path).path());
    writeBytes(path, QStringLiteral("code,Ω\r\n13101,千代田区\r\n").toUtf8());
    clsList list;
    list.ListInit(valuePath("市区町村", "g"), "2000/10/01");
    ASSERT_EQ(list.AddData(), 0);
    EXPECT_EQ(entry("g", 1, copyFile), QStringLiteral("Ω"));

    // The same header in a CP932 file of katakana reads as katakana.
    writeBytes(path, QByteArray("code,\xCE\xA9\r\n13101,\xBC\xDD\r\n"));
    list.ListInit(valuePath("市区町村", "g"), "2000/10/01");
    ASSERT_EQ(list.AddData(), 0);
    EXPECT_EQ(entry("g", 1, copyFile), QStringLiteral("ﾎｩ"));
}

TEST_F(ClsListTest, RemovingAGroupRenumbersTheRest)
{
    ASSERT_EQ(add("市区町村", "A"), 0);
    ASSERT_EQ(add("市区町村", "B", "ｺｰﾄﾞ,x"), 0);
    ASSERT_EQ(add("市区町村", "C", "ｺｰﾄﾞ,y"), 0);
    ASSERT_EQ(remove("市区町村", "A"), 0);
    for (const QString &file : {listFile, copyFile}) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_EQ(entry("市区町村", 1, file), QStringLiteral("B"));
        EXPECT_EQ(entry("市区町村", 2, file), QStringLiteral("C"));
        EXPECT_FALSE(profile::hasKey("市区町村", "Entry3", file));
        EXPECT_FALSE(profile::sectionNames(file).contains("A"));
        EXPECT_EQ(entry("C", 1, file), file == listFile ? QStringLiteral("y,y") : QStringLiteral("y"));
    }
    // A new group goes after the remaining ones, not into a gap.
    ASSERT_EQ(add("市区町村", "D", "ｺｰﾄﾞ,z"), 0);
    EXPECT_EQ(entry("市区町村", 3, listFile), QStringLiteral("D"));
}

TEST_F(ClsListTest, GroupStaysListedWhileItsFolderHoldsOtherPrefectures)
{
    ASSERT_EQ(add("市区町村", "基本集計", "ｺｰﾄﾞ,人口", "13.txt"), 0);
    ASSERT_EQ(add("市区町村", "基本集計", "ｺｰﾄﾞ,人口", "14.txt"), 0);
    const QByteArray before = readBytes(listFile);
    ASSERT_EQ(remove("市区町村", "基本集計", "13.txt"), 0);
    EXPECT_EQ(readBytes(listFile), before);
    ASSERT_EQ(remove("市区町村", "基本集計", "14.txt"), 0);
    EXPECT_FALSE(QFile::exists(listFile)) << "statistics emptied";
    EXPECT_FALSE(QFile::exists(copyFile));
    EXPECT_FALSE(QDir(etc + kStat).exists());
}

TEST_F(ClsListTest, GroupSharedWithAnotherUnitKeepsItsItems)
{
    ASSERT_EQ(add("市区町村", "基本集計"), 0);
    ASSERT_EQ(add("町丁字", "基本集計"), 0);
    ASSERT_EQ(remove("市区町村", "基本集計"), 0);
    for (const QString &file : {listFile, copyFile}) {
        SCOPED_TRACE(file.toStdString());
        const QStringList sections = profile::sectionNames(file);
        EXPECT_FALSE(sections.contains("市区町村")) << "unit emptied and compacted";
        EXPECT_TRUE(sections.contains("基本集計"));
        EXPECT_EQ(entry("ﾃﾞｰﾀ種類", 1, file), QStringLiteral("市区町村")) << "units are not unlisted";
        EXPECT_EQ(entry("町丁字", 1, file), QStringLiteral("基本集計"));
    }
    EXPECT_EQ(entry("基本集計", 2, listFile), QStringLiteral("世帯数,世帯数"));
}

TEST_F(ClsListTest, CompactionKeepsBlankLinesAndUnknownKeys)
{
    const QStringList start{
        "[統計内容]",
        "Entry1=人口統計",
        "[ﾃﾞｰﾀ種類]",
        "Entry1=市区町村",
        "[市区町村]",
        "Entry1=基本集計",
        "Path=x",
        "",
        "[基本集計]",
        "Entry1=人口,人口",
        "DataCnt=1",
    };
    writeTextFile(listFile, start);
    writeTextFile(copyFile, start);
    QDir().mkpath(etc + kStat + "/市区町村");
    QDir().mkpath(etc + kStat + "/町丁字/other");
    clsList list;
    list.ListInit(valuePath("市区町村", "基本集計"), "2000/10/01");
    ASSERT_EQ(list.RemoveData(), 0);
    EXPECT_EQ(readBytes(listFile),
        cp932Lines({"[統計内容]", "Entry1=人口統計", "[ﾃﾞｰﾀ種類]", "Entry1=市区町村", "[市区町村]", "",
            "[基本集計]", "DataCnt=1"}));
    EXPECT_FALSE(QDir(etc + kStat + "/市区町村").exists()) << "emptied unit folder deleted";
}

TEST_F(ClsListTest, RemoveFailsWhenTheUnitFolderIsGone)
{
    ASSERT_EQ(add("市区町村", "基本集計"), 0);
    QDir(etc + kStat + "/市区町村").removeRecursively();
    clsList list;
    list.ListInit(valuePath("市区町村", "基本集計"), "2000/10/01");
    EXPECT_EQ(list.RemoveData(), -1);
}

TEST_F(ClsListTest, AddFailsWhenAListFolderCannotBeMade)
{
    QDir(etc + "etc2").removeRecursively();
    writeBytes(etc + "etc2", "a file in the way");
    writeTextFile(QString(valuePath("市区町村", "g")).replace('\\', '/'), {"ｺｰﾄﾞ,a"});
    clsList list;
    list.ListInit(valuePath("市区町村", "g"), "2000/10/01");
    EXPECT_EQ(list.AddData(), -1);
    EXPECT_TRUE(QFile::exists(listFile)) << "the list file was completed first";

    // An item name CP932 cannot hold is a failure, not a silent gap.
    QDir().mkpath(tmp.path() + "etc3/etc2");
    const QString other = tmp.path() + "etc3/H12x統計/市区町村/g/13.txt";
    writeTextFile(other, {"ｺｰﾄﾞ,a"});
    writeBytes(other, QStringLiteral("ｺｰﾄﾞ,😀\r\n").toUtf8());
    clsList bad;
    bad.ListInit(other, "2000/10/01");
    EXPECT_EQ(bad.AddData(), -1);
}

TEST_F(ClsListTest, IsIdenticalSectionNeedsTheSameItems)
{
    ASSERT_EQ(add("市区町村", "基本集計", "ｺｰﾄﾞ,人口,世帯数,面積"), 0);
    struct Row
    {
        const char16_t *header;
        bool identical;
    };
    const Row rows[] = {
        {u"ｺｰﾄﾞ,人口,世帯数,面積", true},
        {u"code,面積,人口,世帯数", true}, // other order, other code title
        {u"ｺｰﾄﾞ,人口,世帯数,面", false},
        {u"ｺｰﾄﾞ,人口,世帯数", false},
        {u"ｺｰﾄﾞ,人口,世帯数,面積,増加数", false}, // more items than listed
        {u"ｺｰﾄﾞ,人口,人口,世帯数", false},
        {u"ｺｰﾄﾞ", false},
        {u"", false},
    };
    clsList list;
    list.ListInit(valuePath("市区町村", "基本集計"), "2000/10/01");
    for (const Row &row : rows) {
        const QString header = QString::fromUtf16(row.header);
        SCOPED_TRACE(header.toStdString());
        EXPECT_EQ(list.IsIdenticalSection(header), row.identical);
    }
    clsList empty;
    empty.ListInit(valuePath("市区町村", "無い"), "2000/10/01");
    EXPECT_FALSE(empty.IsIdenticalSection("ｺｰﾄﾞ,人口"));
}
