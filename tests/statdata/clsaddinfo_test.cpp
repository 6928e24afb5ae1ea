// The user-data register: adding, replacing and removing registrations, the
// two checks a new registration passes, and the take-apart getters.
#include "statdata/clsaddinfo.h"
#include "statdata/clslist.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

const QString kStart = QStringLiteral("2000/10/01");
const QString kEnd = QStringLiteral("2005/09/30");
const QString kHeader
    = QStringLiteral("ユーザーデータ名,年次,,地域の単位,項目のグループ名,都道府県,ファイル名,追加日");

class AddInfoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        etc = tmp.path() + QStringLiteral("Data/etc/");
        info.setAddInfoFilePath(tmp.file(QStringLiteral("add_inf.txt")));
        setTime(QDateTime(QDate(2024, 3, 5), QTime(9, 7)));
    }
    void TearDown() override { clsAddInfo::setClock(nullptr); }

    static void setTime(const QDateTime &when)
    {
        clsAddInfo::setClock([when] { return when; });
    }

    // A value file path as the registration window forms it.
    QString real(const QString &stat, const QString &unit, const QString &group, const QString &file) const
    {
        return etc + stat + "\\" + unit + "\\" + group + "\\" + file + ".txt";
    }

    // A registered value file with its item-list entries (header: code title
    // and items), as the registration pipeline leaves it.
    void registerValues(const QString &realPath, const QStringList &items)
    {
        QString p = realPath;
        p.replace(u'\\', u'/');
        writeTextFile(p, {QStringLiteral("ｺｰﾄﾞ,") + items.join(u','), QStringLiteral("13,1")});
        clsList list;
        list.ListInit(realPath, kStart);
        ASSERT_EQ(list.AddData(), 0);
    }

    // A user CSV whose first line holds the code title, the area-name title
    // and the items.
    QString csv(const QStringList &items)
    {
        const QString path = tmp.file(QStringLiteral("input%1.csv").arg(++csvCount));
        writeTextFile(
            path, {QStringLiteral("ｺｰﾄﾞ,地域名,") + items.join(u','), QStringLiteral("13,東京都,1")});
        return path;
    }

    QStringList registerLines() const
    {
        QStringList lines;
        for (const QByteArray &l : readBytes(info.AddInfoFilePath()).split('\n')) {
            if (!l.isEmpty())
                lines << veltra::text::decodeAuto(l.endsWith('\r') ? l.chopped(1) : l);
        }
        return lines;
    }

    TempDir tmp;
    QString etc;
    clsAddInfo info;
    int csvCount = 0;
};

TEST_F(AddInfoTest, FirstRegistrationWritesTheHeaderAndOneCp932Line)
{
    const QString path = real("S統計", "市区町村", "人口", "13");
    ASSERT_EQ(info.AddData(path, kStart, kEnd, "13"), 0);
    const QString line = "S統計,20001001,20050930,市区町村,人口,13," + path + ",2024年3月5日 09:07";
    EXPECT_EQ(readBytes(info.AddInfoFilePath()), cp932Lines({kHeader, line}));
}

TEST_F(AddInfoTest, RegisteringAgainReplacesTheLineInPlace)
{
    const QString a = real("S統計", "市区町村", "人口", "13");
    const QString b = real("S統計", "市区町村", "人口", "14");
    ASSERT_EQ(info.AddData(a, kStart, kEnd, "13"), 0);
    ASSERT_EQ(info.AddData(b, kStart, kEnd, "14"), 0);
    setTime(QDateTime(QDate(2025, 12, 31), QTime(23, 59)));
    // The same file written with the other separator is the same registration.
    QString aSlashed = a;
    aSlashed.replace(u'\\', u'/');
    ASSERT_EQ(info.AddData(aSlashed, kStart, kEnd, "13"), 0);
    const QStringList lines = registerLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",2025年12月31日 23:59")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",13,")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(",2024年3月5日 09:07")));
    std::vector<QString> listed;
    EXPECT_EQ(info.CreateAddedDataList(listed), 2);
    EXPECT_EQ(listed[0], lines[1]);
}

TEST_F(AddInfoTest, StatisticsWhoseNameEndsAnotherStayApart)
{
    const QString a = real("A", "市区町村", "人口", "13");
    const QString ba = real("BA", "市区町村", "人口", "13");
    ASSERT_EQ(info.AddData(ba, kStart, kEnd, "13"), 0);
    ASSERT_EQ(info.AddData(a, kStart, kEnd, "13"), 0);
    EXPECT_EQ(registerLines().size(), 3); // "A" was appended, not put over "BA"
    ASSERT_EQ(info.RemoveData(a, kStart, kEnd, "13"), 0);
    const QStringList lines = registerLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("BA,")));
}

TEST_F(AddInfoTest, RuleOneOneFilePerPrefectureAndOnePrefecturePerFile)
{
    const QString file13 = real("S統計", "市区町村", "人口", "13");
    registerValues(file13, {"人口"});
    ASSERT_EQ(info.AddData(file13, kStart, kEnd, "13"), 0);
    const QString input = csv({"人口"});
    struct Row
    {
        QString path;
        QString pref;
        bool permitted;
    };
    const Row rows[] = {
        {real("S統計", "市区町村", "人口", "14"), "14", true}, // another prefecture, another file
        {real("S統計", "市区町村", "人口", "13b"), "13", false}, // the same prefecture in another file
        {file13, "14", false}, // the same file under another prefecture
        {real("S統計", "町丁字", "人口", "13"), "13", true}, // another unit
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.path.toStdString() + " " + r.pref.toStdString());
        AddInfoList clashes{{"stale", "stale"}};
        EXPECT_EQ(info.IsPermittedEdit(input, r.path, kStart, kEnd, r.pref, clashes), r.permitted);
        if (r.permitted) {
            EXPECT_TRUE(clashes.empty());
        } else {
            ASSERT_EQ(clashes.size(), 1u);
            EXPECT_EQ(clashes[0].key, QStringLiteral("1"));
            EXPECT_TRUE(clashes[0].line.contains(file13));
        }
    }
}

TEST_F(AddInfoTest, RuleTwoAGroupKeepsItsItemsAcrossUnits)
{
    const QString city = real("S統計", "市区町村", "人口", "13");
    const QString city14 = real("S統計", "市区町村", "人口", "14");
    registerValues(city, {"男", "女"});
    ASSERT_EQ(info.AddData(city, kStart, kEnd, "13"), 0);
    ASSERT_EQ(info.AddData(city14, kStart, kEnd, "14"), 0);
    const QString pref = real("S統計", "都道府県", "人口", "pref");
    AddInfoList clashes;
    EXPECT_FALSE(info.IsPermittedEdit(csv({"総数"}), pref, kStart, kEnd, "00", clashes));
    ASSERT_EQ(clashes.size(), 2u);
    EXPECT_EQ(clashes[0].key, QStringLiteral("1"));
    EXPECT_EQ(clashes[1].key, QStringLiteral("2"));
    EXPECT_TRUE(info.IsPermittedEdit(csv({"女", "男"}), pref, kStart, kEnd, "00", clashes));
    EXPECT_TRUE(clashes.empty());
}

// A registration with other items under any unit lists the group's lines of
// every unit, the town-block one included.
TEST_F(AddInfoTest, RuleTwoListsTheLinesOfEveryUnit)
{
    const QString pref = real("S統計", "都道府県", "人口", "pref");
    const QString city = real("S統計", "市区町村", "人口", "13");
    const QString town = real("S統計", "町丁字", "人口", "13");
    registerValues(city, {"男", "女"});
    ASSERT_EQ(info.AddData(pref, kStart, kEnd, "00"), 0);
    ASSERT_EQ(info.AddData(city, kStart, kEnd, "13"), 0);
    ASSERT_EQ(info.AddData(town, kStart, kEnd, "13"), 0);
    struct Row
    {
        QString path;
        QString pref;
    };
    const Row rows[] = {
        {real("S統計", "市区町村", "人口", "14"), "14"},
        {real("S統計", "町丁字", "人口", "14"), "14"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.path.toStdString());
        AddInfoList clashes;
        EXPECT_FALSE(info.IsPermittedEdit(csv({"総数"}), r.path, kStart, kEnd, r.pref, clashes));
        ASSERT_EQ(clashes.size(), 3u);
        const QString listed[] = {pref, city, town};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(clashes[i].key, QString::number(i + 1));
            EXPECT_TRUE(clashes[i].line.contains(u',' + listed[i] + u',')) << clashes[i].line.toStdString();
        }
        EXPECT_TRUE(info.IsPermittedEdit(csv({"女", "男"}), r.path, kStart, kEnd, r.pref, clashes));
        EXPECT_TRUE(clashes.empty());
    }
}

TEST_F(AddInfoTest, OverlapNeedsTheSameRegistrationAndItems)
{
    const QString file13 = real("S統計", "市区町村", "人口", "13");
    registerValues(file13, {"男", "女"});
    AddInfoList clashes;
    // No register yet: a new registration.
    EXPECT_FALSE(info.IsOverlapedEdit(csv({"男", "女"}), file13, kStart, kEnd, "13", clashes));
    AddInfoList permitted;
    EXPECT_TRUE(info.IsPermittedEdit(csv({"男", "女"}), file13, kStart, kEnd, "13", permitted));
    ASSERT_EQ(info.AddData(file13, kStart, kEnd, "13"), 0);
    EXPECT_TRUE(info.IsOverlapedEdit(csv({"男", "女"}), file13, kStart, kEnd, "13", clashes));
    EXPECT_TRUE(clashes.empty());
    EXPECT_FALSE(info.IsOverlapedEdit(csv({"男"}), file13, kStart, kEnd, "13", clashes));
    EXPECT_FALSE(info.IsOverlapedEdit(csv({"男", "女"}), file13, kStart, "2006/09/30", "13", clashes));
    EXPECT_FALSE(info.IsOverlapedEdit(tmp.file("missing.csv"), file13, kStart, kEnd, "13", clashes));
}

TEST_F(AddInfoTest, RemovingKeepsTheHeaderAndDeletesOnlyAnEmptiedFile)
{
    const QString path = real("S統計", "都道府県", "人口", "pref");
    std::vector<QString> listed{"stale"};
    EXPECT_EQ(info.CreateAddedDataList(listed), 0); // missing register
    EXPECT_TRUE(listed.empty());
    EXPECT_EQ(info.RemoveData(path, kStart, kEnd, "00"), -1);
    ASSERT_EQ(info.AddData(path, kStart, kEnd, "00"), 0);
    ASSERT_EQ(info.RemoveData(path, kStart, kEnd, "00"), 0);
    EXPECT_EQ(readBytes(info.AddInfoFilePath()), cp932Lines({kHeader}));
    EXPECT_EQ(info.CreateAddedDataList(listed), 0);
    QString header;
    EXPECT_EQ(info.GetAddInfoFileHeader(header), 0);
    EXPECT_EQ(header, kHeader);
    // A register holding nothing but the registration (no header) goes.
    writeTextFile(
        info.AddInfoFilePath(), {"S統計,20001001,20050930,都道府県,人口,00," + path + ",2024年3月5日 09:07"});
    ASSERT_EQ(info.RemoveData(path, kStart, kEnd, "00"), 0);
    EXPECT_FALSE(QFileInfo::exists(info.AddInfoFilePath()));
    EXPECT_EQ(info.GetAddInfoFileHeader(header), -1);
}

TEST_F(AddInfoTest, AnUnwritableRegisterGivesTheNegativeResults)
{
    writeBytes(tmp.file(QStringLiteral("plain")), "a file, not a folder");
    clsAddInfo blocked;
    blocked.setAddInfoFilePath(tmp.file(QStringLiteral("plain/add_inf.txt")));
    EXPECT_EQ(blocked.AddData(real("S", "都道府県", "g", "f"), kStart, kEnd, "00"), -1);
}

// A register that cannot be written leaves the old one whole: a new line or
// a kept one that CP932 cannot hold (a register another program saved in
// UTF-8) refuses the write before the file is touched.
TEST_F(AddInfoTest, AnOldRegisterStaysWholeWhenItCannotBeWritten)
{
    const QString kept = real("S統計", "都道府県", "人口", "pref");
    const QString gone = real("S統計", "市区町村", "人口", "13");
    const QString foreign = real("통계", "市区町村", "人口", "14");
    const QString date = QStringLiteral(",2024年3月5日 09:07");
    struct Row
    {
        const char *what;
        QStringList lines; // the register before, saved in UTF-8
        bool add; // AddData, else RemoveData
        QString path;
        QString pref;
        int32_t result;
    };
    const Row rows[] = {
        {"adding a line CP932 cannot hold", {kHeader, "S統計,20001001,20050930,都道府県,人口,00," + kept + date},
            true, foreign, "14", -1},
        {"removing beside a line CP932 cannot hold",
            {kHeader, "통계,20001001,20050930,市区町村,人口,14," + foreign + date,
                "S統計,20001001,20050930,市区町村,人口,13," + gone + date},
            false, gone, "13", -2},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        writeTextFile(info.AddInfoFilePath(), r.lines, true);
        const QByteArray before = readBytes(info.AddInfoFilePath());
        EXPECT_EQ(r.add ? info.AddData(r.path, kStart, kEnd, r.pref) : info.RemoveData(r.path, kStart, kEnd, r.pref),
            r.result);
        EXPECT_EQ(readBytes(info.AddInfoFilePath()), before);
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{QStringLiteral("add_inf.txt")});
    }
}

TEST(AddInfoGetters, TakeALineApart)
{
    const QString line
        = QStringLiteral("S統計,20001001,20050930,都道府県,人口,00,C:\\etc\\S統計\\都道府県\\人口\\p.txt,"
                         "2024年3月5日 09:07");
    EXPECT_EQ(clsAddInfo::GetStartYear(line), QStringLiteral("2000/10/01"));
    EXPECT_EQ(clsAddInfo::GetEndYear(line), QStringLiteral("2005/09/30"));
    EXPECT_EQ(clsAddInfo::GetPrefNum(line), QStringLiteral("00"));
    EXPECT_EQ(clsAddInfo::GetKind(line), QStringLiteral("都道府県"));
    EXPECT_EQ(clsAddInfo::GetRealFilePath(line), QStringLiteral("C:\\etc\\S統計\\都道府県\\人口\\p.txt"));
    EXPECT_EQ(clsAddInfo::GetRealFilePath(QStringLiteral("S,2000")), QString());
    EXPECT_EQ(clsAddInfo::GetStartYear(QStringLiteral("S")), QString());
}

} // namespace
