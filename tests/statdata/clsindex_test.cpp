// FileIndex.txt writer and the town record index.
#include "statdata/clsindex.h"
#include "statdata/clstownindex.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

class ClsIndexTest : public ::testing::Test
{
protected:
    void SetUp() override { group = tmp.path() + QStringLiteral("etc/H12人口/市区町村/基本集計/"); }
    int32_t add(const QString &file, const QString &pref)
    {
        clsIndex index;
        index.IndexInit(group + file, pref);
        return index.AddData();
    }
    int32_t remove(const QString &file)
    {
        clsIndex index;
        index.IndexInit(group + file, "00");
        return index.RemoveData();
    }
    QString indexFile() const { return group + QStringLiteral("FileIndex.txt"); }

    TempDir tmp;
    QString group;
};

} // namespace

TEST_F(ClsIndexTest, AddCreatesFolderAndListsEachFileOnce)
{
    EXPECT_EQ(add("01.txt", "01"), 0);
    EXPECT_EQ(readBytes(indexFile()), cp932Lines({"[FileName]", "Code1=01.txt"}));
    EXPECT_EQ(add("01.txt", "01"), 0);
    EXPECT_EQ(readBytes(indexFile()), cp932Lines({"[FileName]", "Code1=01.txt"}));
    EXPECT_EQ(add("13.txt", "13"), 0);
    EXPECT_EQ(readBytes(indexFile()), cp932Lines({"[FileName]", "Code1=01.txt", "Code13=13.txt"}));

    writeBytes(indexFile(), "[FileName]\r\n");
    EXPECT_EQ(add("14.txt", "14"), 0) << "header only";
    EXPECT_EQ(readBytes(indexFile()), cp932Lines({"[FileName]", "Code14=14.txt"}));

    EXPECT_EQ(add("15.txt", "x5"), -1) << "no prefecture number";
    EXPECT_EQ(readBytes(indexFile()), cp932Lines({"[FileName]", "Code14=14.txt"}));
}

TEST_F(ClsIndexTest, RemoveUnlistsThenDeletesIndexAndEmptyFolder)
{
    ASSERT_EQ(add("13.txt", "13"), 0);
    ASSERT_EQ(add("14.txt", "14"), 0);
    EXPECT_EQ(remove("13.txt"), 0);
    EXPECT_EQ(readBytes(indexFile()), cp932Lines({"[FileName]", "Code14=14.txt"}));
    EXPECT_EQ(remove("99.txt"), 0) << "not listed";
    EXPECT_EQ(readBytes(indexFile()), cp932Lines({"[FileName]", "Code14=14.txt"}));

    writeBytes(group + "14.txt", "a value file still there");
    EXPECT_EQ(remove("14.txt"), 0);
    EXPECT_FALSE(QFile::exists(indexFile()));
    EXPECT_TRUE(QDir(group).exists()) << "a file is left";

    ASSERT_EQ(add("14.txt", "14"), 0);
    QFile::remove(group + "14.txt");
    EXPECT_EQ(remove("14.txt"), 0);
    EXPECT_FALSE(QDir(group).exists());
    EXPECT_EQ(remove("14.txt"), -1) << "no index";
}

TEST(ClsTownIndex, IndexesTheFirstLineOfEachMunicipality)
{
    TempDir tmp;
    const QString folder = tmp.path() + QStringLiteral("data.v2/");
    const QString value = folder + QStringLiteral("13.txt");
    struct Row
    {
        QStringList valueLines;
        QStringList expected;
    };
    const Row rows[] = {
        {{"ｺｰﾄﾞ,a", "13101001001,1", "13101001002,2", "13102001001,3"}, {"[Index]", "13101=1", "13102=3"}},
        {{"ｺｰﾄﾞ,a"}, {"[Index]"}},
        {{"ｺｰﾄﾞ,a", "13101001001,1", "13102001001,2", "13101001002,3"},
            {"[Index]", "13101=1", "13102=2", "13101=3"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.valueLines.join('|').toStdString());
        writeTextFile(value, row.valueLines);
        clsTownIndex index;
        index.setRealFilePath(value);
        EXPECT_EQ(index.IndexFilePath(), folder + QStringLiteral("13Index.txt")) << "dot in a folder kept";
        ASSERT_EQ(index.CreateFile(), 0);
        EXPECT_EQ(readBytes(folder + "13Index.txt"), cp932Lines(row.expected));
    }

    clsTownIndex missing;
    missing.setRealFilePath(folder + "99.txt");
    EXPECT_EQ(missing.CreateFile(), -2);
    EXPECT_EQ(missing.DeleteFile(), -1);

    clsTownIndex index;
    index.setRealFilePath(value);
    EXPECT_EQ(index.DeleteFile(), 0);
    EXPECT_FALSE(QFile::exists(folder + "13Index.txt"));
    EXPECT_TRUE(QDir(folder).exists()) << "the value file is still there";
    QFile::remove(value);
    ASSERT_EQ(index.CreateFile(), -2);
    writeTextFile(folder + "13Index.txt", {"[Index]"});
    EXPECT_EQ(index.DeleteFile(), 0);
    EXPECT_FALSE(QDir(folder).exists()) << "emptied folder deleted";
}
