// Registration and deletion of user statistics through the data-file classes,
// in the order the registration and deletion windows run them, with the
// values read back by the value lookup through the real files.
#include "statdata/clsindex.h"
#include "statdata/clslist.h"
#include "statdata/clsrealdata.h"
#include "statdata/clstownindex.h"
#include "statdata/clsyear.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

const QString kStat = QStringLiteral("H12人口統計");
const QString kStart = QStringLiteral("2000/10/01");
const QString kEnd = QStringLiteral("2005/09/30");

class RegistrationRoundTrip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        etc = tmp.path() + QStringLiteral("Data/etc/");
        // Another statistics is already there and must come out untouched.
        writeTextFile(etc + QStringLiteral("統計ﾃﾞｰﾀ年度管理.txt"), {"S45国勢,19701001,19750930"});
        writeTextFile(etc + QStringLiteral("etc2/統計ﾃﾞｰﾀ年度管理.txt"), {"S45国勢,19701001,19750930"});
        writeTextFile(etc + QStringLiteral("S45国勢.txt"), {"[統計内容]", "Entry1=国勢"});
        writeTextFile(etc + QStringLiteral("S45国勢/都道府県/人口/pref.txt"), {"ｺｰﾄﾞ,人口", "13,1"});
        itemList = etc + kStat + QStringLiteral(".txt");
    }
    void TearDown() override { veltra::statdata::setAreaCalculation({}); }

    // The value file a registration writes (Windows separators, as the
    // registration window forms it).
    QString valuePath(const QString &unit, const QString &group, const QString &file) const
    {
        return etc + kStat + "\\" + unit + "\\" + group + "\\" + file;
    }

    void registerCsv(const QString &unit, const QString &group, const QString &pref, const QString &file,
        const QStringList &csv, bool utf8 = false)
    {
        const QString csvPath = tmp.path() + QStringLiteral("input/") + file + QStringLiteral(".csv");
        writeTextFile(csvPath, csv, utf8, utf8 ? "\n" : "\r\n");
        const QString real = valuePath(unit, group, file + QStringLiteral(".txt"));

        clsRealData data;
        data.setSelectedFilePath(csvPath);
        data.setRealFilePath(real);
        data.setDataKind(unit);
        data.setAlreadyMode(true);
        ASSERT_EQ(data.CheckFileFormat(), 0);
        ASSERT_EQ(data.ConvertTextFile(), 0);
        clsList list;
        list.ListInit(real, kStart);
        ASSERT_EQ(list.AddData(), 0);
        if (unit != QStringLiteral("都道府県")) {
            clsIndex index;
            index.IndexInit(real, pref);
            ASSERT_EQ(index.AddData(), 0);
        }
        if (unit == QStringLiteral("町丁字")) {
            clsTownIndex town;
            town.setRealFilePath(real);
            ASSERT_EQ(town.CreateFile(), 0);
        }
        clsYear year;
        year.YearInit(real, kStart, kEnd);
        ASSERT_EQ(year.AddData(), 0);
    }

    void removeRegistration(const QString &unit, const QString &group, const QString &file)
    {
        const QString real = valuePath(unit, group, file + QStringLiteral(".txt"));
        clsRealData data;
        data.setRealFilePath(real);
        ASSERT_EQ(data.DeleteFile(), 0);
        if (unit == QStringLiteral("町丁字")) {
            clsTownIndex town;
            town.setRealFilePath(real);
            ASSERT_EQ(town.DeleteFile(), 0);
        }
        if (unit != QStringLiteral("都道府県")) {
            clsIndex index;
            index.IndexInit(real, QStringLiteral("00"));
            ASSERT_EQ(index.RemoveData(), 0);
        }
        clsList list;
        list.ListInit(real, kStart);
        ASSERT_EQ(list.RemoveData(), 0);
        clsYear year;
        year.YearInit(real, kStart, kEnd);
        ASSERT_EQ(year.RemoveData(), 0);
    }

    // The value of one item for one area, found as the statistics map window
    // finds it: item list -> column and folder -> value file -> line.
    double lookup(const QString &unit, const QString &group, const QString &item, const QString &code,
        int32_t n, int32_t &status) const
    {
        const QString reference = "{[" + unit + "][" + group + "][" + item + "]}";
        const int32_t column = ComCaldoraTable::GetEntryIndex(itemList, reference);
        const QString folder = ComCaldoraTable::GetValueFolder(itemList, reference);
        const int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
        const QString file = ComCaldoraNeo::GetDataFileName(code.left(2).toInt(), folder, level);
        status = -1;
        return ComCaldoraNeo::ReadAreaValue(file, code, n, level, column, 0, false, status);
    }

    TempDir tmp;
    QString etc;
    QString itemList;
};

} // namespace

TEST_F(RegistrationRoundTrip, RegisteredValuesReadBackAndRemovalRestoresTheTree)
{
    const auto before = snapshot(tmp.path() + QStringLiteral("Data"));
    const QString city = QStringLiteral("市区町村"), town = QStringLiteral("町丁字"),
                  pref = QStringLiteral("都道府県");
    const QString basic = QStringLiteral("基本集計");

    registerCsv(city, basic, "13", "13",
        {"ｺｰﾄﾞ,名前,人口,世帯数", "13101,千代田区,100,50", "13102,中央区,200,-", "13103,港区,300"});
    registerCsv(city, basic, "01", "01", {"ｺｰﾄﾞ,名前,人口,世帯数", "1101,札幌市中央区,400,120"}, true);
    registerCsv(town, QStringLiteral("町丁別"), "13", "13",
        {"ｺｰﾄﾞ,名前,人口", "13102001001,八重洲,7", "13101001001,丸の内,5", "13101001002,大手町,6"});
    registerCsv(pref, QStringLiteral("県計"), "13", "pref", {"ｺｰﾄﾞ,名前,面積", "13,東京都,2194.07"});

    // What the files hold, byte for byte.
    const QString cityFolder = etc + kStat + QStringLiteral("/市区町村/基本集計/");
    EXPECT_EQ(
        readBytes(cityFolder + "FileIndex.txt"), cp932Lines({"[FileName]", "Code13=13.txt", "Code1=01.txt"}));
    EXPECT_EQ(readBytes(cityFolder + "01.txt"), cp932Lines({"ｺｰﾄﾞ,人口,世帯数", "01101,400,120"}));
    const QString townFolder = etc + kStat + QStringLiteral("/町丁字/町丁別/");
    EXPECT_EQ(readBytes(townFolder + "13.txt"),
        cp932Lines({"ｺｰﾄﾞ,人口", "13101001001,5", "13101001002,6", "13102001001,7"}));
    EXPECT_EQ(readBytes(townFolder + "13Index.txt"), cp932Lines({"[Index]", "13101=1", "13102=3"}));
    EXPECT_EQ(readBytes(etc + QStringLiteral("統計ﾃﾞｰﾀ年度管理.txt")),
        cp932Lines({"S45国勢,19701001,19750930", "H12人口統計,20001001,20050930"}));

    struct Row
    {
        QString unit, group, item, code;
        int32_t n;
        double value;
        int32_t status;
    };
    const Row rows[] = {
        {city, basic, "人口", "13101", 5, 100, 0},
        {city, basic, "世帯数", "13101", 5, 50, 0},
        {city, basic, "世帯数", "13102", 5, 0, 1}, // "-": no data
        {city, basic, "世帯数", "13103", 5, 0, 0}, // filled-in empty field reads as 0
        {city, basic, "人口", "01101", 5, 400, 0}, // second prefecture through FileIndex.txt
        {city, basic, "人口", "13199", 5, 0, 2}, // no such area
        {city, basic, "面積", "13101", 5, 0, 2}, // no such item
        {town, "町丁別", "人口", "13101001002", 11, 6, 0},
        {town, "町丁別", "人口", "13102001001", 11, 7, 0},
        {pref, "県計", "面積", "13", 2, 2194.07, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE((row.unit + "/" + row.item + "/" + row.code).toStdString());
        int32_t status = -1;
        EXPECT_DOUBLE_EQ(lookup(row.unit, row.group, row.item, row.code, row.n, status), row.value);
        EXPECT_EQ(status, row.status);
    }

    // One template field over a single item and a column range.
    veltra::statdata::setAreaCalculation([](QVariant &result, const std::vector<double> &values) {
        result = values.at(1) * 1000 + values.at(2);
        return true;
    });
    const std::vector<QString> variables{
        "", "{[市区町村][基本集計][人口]}", "{[市区町村][基本集計][人口]}:{[市区町村][基本集計][世帯数]}"};
    const std::vector<QString> files{"", itemList, itemList};
    int32_t status = -1;
    EXPECT_DOUBLE_EQ(ComCaldoraNeo::CalcAreaValue("13101", 5, 2, variables, files, status), 100150.0);
    EXPECT_EQ(status, 0);
    EXPECT_DOUBLE_EQ(ComCaldoraNeo::CalcAreaValue("01101", 5, 2, variables, files, status), 400520.0);

    // Removing prefecture 13 keeps prefecture 01 of the same group listed.
    removeRegistration(city, basic, "13");
    EXPECT_DOUBLE_EQ(lookup(city, basic, "人口", "01101", 5, status), 400);
    EXPECT_EQ(status, 0);
    // Removing the town blocks leaves the other units readable.
    removeRegistration(town, QStringLiteral("町丁別"), "13");
    EXPECT_DOUBLE_EQ(lookup(pref, QStringLiteral("県計"), "面積", "13", 2, status), 2194.07);
    EXPECT_EQ(status, 0);
    removeRegistration(pref, QStringLiteral("県計"), "pref");
    EXPECT_DOUBLE_EQ(lookup(city, basic, "世帯数", "01101", 5, status), 120);
    removeRegistration(city, basic, "01");

    const auto after = snapshot(tmp.path() + QStringLiteral("Data"));
    EXPECT_EQ(after, before);
    for (const auto &[path, bytes] : after) {
        if (!before.count(path) || before.at(path) != bytes)
            ADD_FAILURE() << "changed or left: " << path.toStdString();
    }
    for (const auto &[path, bytes] : before) {
        if (!after.count(path))
            ADD_FAILURE() << "lost: " << path.toStdString();
    }
}
