// Year-management file writer and the base-period value class.
#include "statdata/clsbaseyear.h"
#include "statdata/clsyear.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

class ClsYearTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        etc = tmp.path() + QStringLiteral("etc/");
        QDir().mkpath(etc + QStringLiteral("etc2"));
        yearFile = etc + QStringLiteral("統計ﾃﾞｰﾀ年度管理.txt");
        copyFile = etc + QStringLiteral("etc2/統計ﾃﾞｰﾀ年度管理.txt");
    }
    // The value file path of a registration (Windows separators, as the
    // registration window forms it from a data folder path).
    QString valuePath(const QString &stat) const
    {
        return etc + stat + QStringLiteral("\\市区町村\\人口\\13.txt");
    }
    int32_t add(const QString &stat, const QString &start = "2000/10/01", const QString &end = "2005/09/30")
    {
        clsYear year;
        year.YearInit(valuePath(stat), start, end);
        return year.AddData();
    }
    int32_t remove(
        const QString &stat, const QString &start = "2000/10/01", const QString &end = "2005/09/30")
    {
        clsYear year;
        year.YearInit(valuePath(stat), start, end);
        return year.RemoveData();
    }

    TempDir tmp;
    QString etc, yearFile, copyFile;
};

} // namespace

TEST_F(ClsYearTest, DerivesNameAndFilesFromTheValuePath)
{
    clsYear year;
    year.YearInit(valuePath("H12人口"), "2000/10/01", "2005/09/30");
    EXPECT_EQ(year.StatisticsName(), QStringLiteral("H12人口"));
    EXPECT_EQ(year.YearFilePath(), yearFile);
    EXPECT_EQ(year.CopyFilePath(), copyFile);
}

TEST_F(ClsYearTest, AddCreatesAppendsAndSkipsPresentLines)
{
    EXPECT_EQ(add("H12人口"), 0);
    EXPECT_EQ(readBytes(yearFile), cp932Lines({"H12人口,20001001,20050930"}));
    EXPECT_EQ(readBytes(copyFile), readBytes(yearFile));

    EXPECT_EQ(add("H12人口", "2005/10/01", "2010/09/30"), 0) << "same name, other period";
    const QByteArray two = cp932Lines({"H12人口,20001001,20050930", "H12人口,20051001,20100930"});
    EXPECT_EQ(readBytes(yearFile), two);

    // A present line writes nothing, not even the copy.
    writeBytes(copyFile, "stale");
    EXPECT_EQ(add("H12人口"), 0);
    EXPECT_EQ(readBytes(yearFile), two);
    EXPECT_EQ(readBytes(copyFile), "stale");
}

TEST_F(ClsYearTest, MissingEtc2FailsAfterWritingTheFile)
{
    QDir(etc + "etc2").removeRecursively();
    EXPECT_EQ(add("H12人口"), -2);
    EXPECT_EQ(readBytes(yearFile), cp932Lines({"H12人口,20001001,20050930"}));
}

TEST_F(ClsYearTest, UnreadableFileIsNeverReplaced)
{
    // A year file that is there but fails every read, for root too: a link to
    // the process's memory file, which cannot be read from its start.
    const QString unreadable = QStringLiteral("/proc/self/mem");
    ASSERT_TRUE(QFile::link(unreadable, yearFile));
    QFile probe(yearFile);
    ASSERT_TRUE(probe.open(QIODevice::ReadOnly));
    probe.readAll();
    ASSERT_NE(probe.error(), QFileDevice::NoError) << "the file reads";
    probe.close();

    EXPECT_EQ(add("H12人口"), -2);
    EXPECT_EQ(QFileInfo(yearFile).symLinkTarget(), unreadable) << "replaced";
    EXPECT_FALSE(QFileInfo::exists(copyFile));
}

TEST_F(ClsYearTest, RemoveWaitsForTheStatisticsFolderAndKeepsOtherLines)
{
    writeBytes(yearFile, cp932Lines({"S45国勢,19701001,19750930"}));
    ASSERT_EQ(add("H12人口"), 0);
    const QByteArray both = readBytes(yearFile);

    QDir().mkpath(etc + QStringLiteral("H12人口"));
    EXPECT_EQ(remove("H12人口"), 0);
    EXPECT_EQ(readBytes(yearFile), both) << "statistics folder still there";

    QDir(etc + QStringLiteral("H12人口")).removeRecursively();
    EXPECT_EQ(remove("H12人口"), 0);
    EXPECT_EQ(readBytes(yearFile), cp932Lines({"S45国勢,19701001,19750930"}));
    EXPECT_EQ(readBytes(copyFile), readBytes(yearFile));

    writeBytes(copyFile, "stale");
    EXPECT_EQ(remove("H12人口"), 0) << "a line not in the file";
    EXPECT_EQ(readBytes(yearFile), cp932Lines({"S45国勢,19701001,19750930"}));
    EXPECT_EQ(readBytes(copyFile), readBytes(yearFile)) << "copy refreshed";

    EXPECT_EQ(remove("S45国勢", "1970/10/01", "1975/09/30"), 0);
    EXPECT_FALSE(QFile::exists(yearFile));
    EXPECT_FALSE(QFile::exists(copyFile));
    EXPECT_EQ(remove("S45国勢", "1970/10/01", "1975/09/30"), -1) << "file missing";
}

TEST_F(ClsYearTest, RemoveLastLineWithoutCopyFailsWithMinus3)
{
    ASSERT_EQ(add("H12人口"), 0);
    QFile::remove(copyFile);
    EXPECT_EQ(remove("H12人口"), -3);
    EXPECT_FALSE(QFile::exists(yearFile));
}

TEST_F(ClsYearTest, UnusableInitTouchesNothing)
{
    clsYear shortPath;
    shortPath.YearInit("a\\b\\c.txt", "2000/10/01", "2005/09/30");
    EXPECT_EQ(shortPath.AddData(), -2);
    EXPECT_EQ(shortPath.RemoveData(), -1);
    EXPECT_EQ(add("H12人口", "2000/10/1", "2005/09/30"), -2) << "date of seven digits";
    EXPECT_EQ(add("H12人,口"), -2) << "a comma would split the line";
    EXPECT_FALSE(QFile::exists(yearFile));
}

TEST(ClsBaseYear, KeepsOnlyValidDateTexts)
{
    struct Row
    {
        const char16_t *text;
        bool accepted;
    };
    const Row rows[] = {
        {u"2000/10/01", true},
        {u"2100/09/30", true},
        {u"2004/02/29", true},
        {u"2005/1/1", false},
        {u"2005-10-01", false},
        {u"2005/13/01", false},
        {u"2005/02/29", false},
        {u"２００５/10/01", false},
        {u"2005/10/0a", false},
        {u"", false},
        {u"2005/10/011", false},
    };
    for (const Row &row : rows) {
        const QString text = QString::fromUtf16(row.text);
        SCOPED_TRACE(text.toStdString());
        clsBaseYear base;
        base.setStartYear("1990/10/01");
        base.setEndYear("1995/09/30");
        base.setStartYear(text);
        base.setEndYear(text);
        EXPECT_EQ(base.StartYear(), row.accepted ? text : QStringLiteral("1990/10/01"));
        EXPECT_EQ(base.EndYear(), row.accepted ? text : QStringLiteral("1995/09/30"));
    }
    clsBaseYear fresh;
    fresh.setStartYear("2005/1/1");
    EXPECT_EQ(fresh.StartYear(), QString());
}
