// The statistics generator: reading and checking the census tables, the plan
// of value tables, and the registration of a plan into a data folder.
#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"
#include "statgen/censusplan.h"
#include "statgen/censustables.h"
#include "statgen/statregistrar.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>
#include <map>

using namespace veltra::statgen;

namespace {

const QString kCensusFolder = QStringLiteral(VELTRA_CENSUS_SOURCES);

struct Found
{
    double value = 0;
    int32_t status = -1;
};

const CensusTables &realTables()
{
    static const CensusTables tables = [] {
        CensusTables t;
        QString error;
        EXPECT_TRUE(readCensusTables(kCensusFolder, t, &error)) << error.toStdString();
        return t;
    }();
    return tables;
}

void writeUtf8(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    veltra::test::writeBytes(path, text);
}

std::map<QString, QByteArray> filesUnder(const QString &root)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out[QDir(root).relativeFilePath(path)] = veltra::test::readBytes(path);
    }
    return out;
}

TEST(CensusTables, MalformedTablesAreRefusedWithTheirPlace)
{
    const std::vector<ColumnRule> rules{
        {QStringLiteral("code"), CellForm::Code2}, {QStringLiteral("total"), CellForm::Count}};
    struct Case
    {
        const char *contents;
        const char *message; // a part of the error text; empty: accepted
    };
    const Case cases[] = {
        {"code,name,total\n01,a,5\n02,b,\n", ""},
        {"\xEF\xBB\xBF"
         "code,name,total\r\n01,a,5\r\n",
            ""},
        {"code,name\n01,a\n", "no column \"total\""},
        {"code,name,total\n01,a,5,6\n", "line 2 has 4 cells"},
        {"code,name,total\n1,a,5\n", "line 2, column code"},
        {"code,name,total\n01,a,5\n02,b,1.5\n", "line 3, column total"},
        {"code,name,total\n01,a,-\n", "column total"},
        {"code,name,total\n01,\"a,b\",5\n", "quoted"},
        {"", "empty"},
    };
    veltra::test::TempDir tmp;
    for (const Case &c : cases) {
        const QString path = tmp.file(QStringLiteral("t.csv"));
        writeUtf8(path, c.contents);
        CsvTable table;
        QString error;
        const bool ok = readCsvTable(path, rules, table, &error);
        if (*c.message == 0) {
            EXPECT_TRUE(ok) << c.contents << error.toStdString();
            EXPECT_EQ(table.columns, QStringList({"code", "name", "total"}));
        } else {
            EXPECT_FALSE(ok) << c.contents;
            EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << error.toStdString();
        }
    }
    CsvTable table;
    QString error;
    EXPECT_FALSE(readCsvTable(tmp.file(QStringLiteral("missing.csv")), rules, table, &error));
}

// A damaged copy of a table is refused before anything is written.
TEST(CensusTables, InconsistentFiguresAreRefused)
{
    ASSERT_EQ(realTables().muniPop2020.rows.size(), 1916u);
    QString error;
    ASSERT_TRUE(checkCensusTables(realTables(), &error)) << error.toStdString();

    struct Case
    {
        CsvTable CensusTables::*table;
        const char *code; // the first cell of the row to change
        QStringList columns; // each raised by one
        const char *message;
    };
    const Case cases[] = {
        {&CensusTables::prefPop2020, "13", {"male"}, "male + female"},
        {&CensusTables::muniPop2020, "13101", {"households"}, "not the sum of its municipalities"},
        {&CensusTables::muniPop2020, "01101", {"total", "male"}, "wards of 01100"},
        {&CensusTables::muniAge2020, "01100", {"age_40_44"}, "age classes do not add up"},
        {&CensusTables::muniAge2020, "01100", {"age_40_44", "total"}, "differs from"},
        {&CensusTables::nationalSeries, "1960", {"total"}, "1960"},
        {&CensusTables::prefSeries, "01", {"total"}, "national total"},
        {&CensusTables::prefPop2015, "01", {"total"}, "male + female"},
    };
    for (const Case &c : cases) {
        CensusTables t = realTables();
        CsvTable &table = t.*c.table;
        bool changed = false;
        for (QStringList &row : table.rows) {
            if (row.first() == QLatin1String(c.code)) {
                for (const QString &column : c.columns) {
                    QString &cell = row[table.column(column)];
                    cell = QString::number(cell.toLongLong() + 1);
                }
                changed = true;
                break;
            }
        }
        ASSERT_TRUE(changed) << c.code;
        EXPECT_FALSE(checkCensusTables(t, &error)) << c.code << ' ' << c.columns.join(u' ').toStdString();
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.message))) << error.toStdString();
    }
}

TEST(CensusPlan, TablesOfTheDefaultStatistics)
{
    std::vector<ValueTable> plan;
    QString error;
    ASSERT_TRUE(buildCensusPlan(realTables(), plan, &error)) << error.toStdString();
    // 2020: 4 groups by prefecture and 4 x 47 municipal files; 2015: 2 + 2 x 47;
    // 2010 and the 18 earlier counts: one prefecture file each.
    EXPECT_EQ(plan.size(), 4u + 4 * 47 + 2 + 2 * 47 + 1 + 18);
    EXPECT_EQ(statisticsName(plan.front()), QStringLiteral("R2国勢調査"));
    EXPECT_EQ(statisticsName(plan.back()), QStringLiteral("T9国勢調査"));

    std::map<QString, const ValueTable *> byKey;
    for (const ValueTable &t : plan) {
        // Every line has its code, its name and one value per item.
        for (const QStringList &row : t.rows)
            ASSERT_EQ(row.size(), t.header.size()) << statisticsName(t).toStdString();
        byKey[statisticsName(t) + u'/' + t.areaUnit + u'/' + t.itemGroup + u'/' + t.fileTitle] = &t;
    }
    const ValueTable *wards2015 = byKey.at(QStringLiteral("H27国勢調査/市区町村/人口/01"));
    EXPECT_EQ(wards2015->prefNum, QStringLiteral("01"));
    EXPECT_EQ(wards2015->rows.at(0), QStringList({"01100", "札幌市", "1952356", "910614", "1041742"}));
    EXPECT_EQ(wards2015->rows.at(1), QStringList({"01101", "札幌市中央区", "-", "-", "-"}));
    const ValueTable *age = byKey.at(QStringLiteral("R2国勢調査/都道府県/年齢5歳階級別/00"));
    EXPECT_EQ(age->header.size(), 2 + 46);
    EXPECT_EQ(age->header.at(2 + 1), QStringLiteral("0～4歳(男)"));
    EXPECT_EQ(age->header.at(2 + 22), QStringLiteral("年齢不詳(男)"));
    EXPECT_EQ(age->rows.size(), 47u); // the national line is not a prefecture
    const ValueTable *count1945 = byKey.at(QStringLiteral("S20人口調査/都道府県/人口/00"));
    EXPECT_EQ(count1945->startDate, QStringLiteral("1945/11/01"));
    EXPECT_EQ(count1945->rows.size(), 46u); // no count in Okinawa

    // An area that the 2020 list does not have is refused.
    CensusTables t = realTables();
    t.muniPop2015.rows.front()[0] = QStringLiteral("01999");
    EXPECT_FALSE(buildCensusPlan(t, plan, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("01999")));
}

TEST(StatisticsTree, ListFoldersRelativeToTheList)
{
    const struct
    {
        const char *list, *folder, *relative;
    } cases[] = {
        {"/d/etc/R2国勢調査.txt", "/d/etc/R2国勢調査/都道府県/", "R2国勢調査\\都道府県\\"},
        {"/d/etc/etc2/R2国勢調査.txt", "/d/etc/etc2/R2国勢調査/市区町村/", "R2国勢調査\\市区町村\\"},
        {"/d/etc/R2国勢調査.txt", "/d/other/R2国勢調査/都道府県/", ""},
        {"/d/etc/R2国勢調査.txt", "/d/etc/../x/", ""},
    };
    for (const auto &c : cases) {
        const QString relative = relativeListFolder(QString::fromUtf8(c.list), QString::fromUtf8(c.folder));
        EXPECT_EQ(relative, QString::fromUtf8(c.relative)) << c.folder;
        if (!relative.isEmpty()) {
            EXPECT_EQ(veltra::fs::normalize(
                          veltra::statdata::resolveListFolder(QString::fromUtf8(c.list), relative)),
                QString::fromUtf8(c.folder));
        }
    }
}

class StatisticsTreeWriting : public ::testing::Test
{
protected:
    static ValueTable table(const QString &unit, const QString &group, const QString &file,
        const QStringList &items, const std::vector<QStringList> &rows)
    {
        ValueTable t;
        t.title = QStringLiteral("国勢調査");
        t.startDate = QStringLiteral("2020/10/01");
        t.endDate = QStringLiteral("2100/09/30");
        t.areaUnit = unit;
        t.itemGroup = group;
        t.prefNum = file;
        t.fileTitle = file;
        t.header = QStringList{QStringLiteral("コード"), QStringLiteral("名称")} + items;
        t.rows = rows;
        return t;
    }

    std::vector<ValueTable> smallPlan() const
    {
        return {table(kPref, QStringLiteral("人口"), QStringLiteral("00"), {QStringLiteral("総人口")},
                    {{"01", "北海道", "5224614"}, {"13", "東京都", "14047594"}}),
            table(kCity, QStringLiteral("人口"), QStringLiteral("01"), {QStringLiteral("総人口")},
                {{"01100", "札幌市", "1973395"}, {"01101", "中央区", "248680"}}),
            table(kCity, QStringLiteral("人口"), QStringLiteral("13"), {QStringLiteral("総人口")},
                {{"13101", "千代田区", "66680"}}),
            table(kCity, QStringLiteral("世帯"), QStringLiteral("01"), {QStringLiteral("世帯数")},
                {{"01100", "札幌市", "969161"}, {"01101", "中央区", "-"}})};
    }

    // The value of one item in the tree below `data`.
    static Found lookupIn(const QString &data, const QString &unit, const QString &group, const QString &item,
        const QString &code)
    {
        const QString list = data + QStringLiteral("/etc/R2国勢調査.txt");
        const QString reference = "{[" + unit + "][" + group + "][" + item + "]}";
        const int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
        const QString file = ComCaldoraNeo::GetDataFileName(
            code.left(2).toInt(), ComCaldoraTable::GetValueFolder(list, reference), level);
        Found v;
        v.value = ComCaldoraNeo::ReadAreaValue(file, code, static_cast<int32_t>(code.size()), level,
            ComCaldoraTable::GetEntryIndex(list, reference), 0, false, v.status);
        return v;
    }

    static inline const QString kPref = QStringLiteral("都道府県");
    static inline const QString kCity = QStringLiteral("市区町村");
    veltra::test::TempDir tmp;
};

TEST_F(StatisticsTreeWriting, TheTreeIsReadWhereverTheDataFolderLies)
{
    const QString data = tmp.path() + QStringLiteral("VeltraData");
    QString error;
    ASSERT_TRUE(writeStatisticsTree(data, smallPlan(), &error)) << error.toStdString();
    const QString list = data + QStringLiteral("/etc/R2国勢調査.txt");
    EXPECT_EQ(veltra::profile::getString(kCity, QStringLiteral("Path"), {}, list),
        QStringLiteral("R2国勢調査\\市区町村\\"));
    EXPECT_EQ(veltra::profile::getString(
                  kCity, QStringLiteral("Path"), {}, data + QStringLiteral("/etc/etc2/R2国勢調査.txt")),
        QStringLiteral("R2国勢調査\\市区町村\\"));
    QStringList index;
    ASSERT_TRUE(
        veltra::text::readLines(data + QStringLiteral("/etc/R2国勢調査/市区町村/人口/FileIndex.txt"), index));
    EXPECT_EQ(index, QStringList({"[FileName]", "Code1=01.txt", "Code13=13.txt"}));
    QStringList years;
    ASSERT_TRUE(veltra::text::readLines(data + QStringLiteral("/etc/統計ﾃﾞｰﾀ年度管理.txt"), years));
    EXPECT_EQ(years, QStringList({"R2国勢調査,20201001,21000930"}));
    EXPECT_FALSE(veltra::fs::folderExists(data + QStringLiteral("/etc.new")));
    EXPECT_EQ(
        QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList({"etc"}));

    // The data folder is copied elsewhere (as the first start copies it into
    // the program folder) and the original removed: nothing points back.
    const QString moved = tmp.path() + QStringLiteral("elsewhere/VeltraData");
    QDir().mkpath(tmp.path() + QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().rename(data, moved));
    veltra::profile::clearCache();
    const struct
    {
        const char *unit, *group, *item, *code;
        double value;
        int32_t status;
    } cases[] = {
        {"都道府県", "人口", "総人口", "13", 14047594, 0},
        {"市区町村", "人口", "総人口", "01100", 1973395, 0},
        {"市区町村", "人口", "総人口", "13101", 66680, 0},
        {"市区町村", "世帯", "世帯数", "01101", 0, 1},
        {"市区町村", "世帯", "世帯数", "13101", 0, 2},
    };
    for (const auto &c : cases) {
        const auto v = lookupIn(moved, QString::fromUtf8(c.unit), QString::fromUtf8(c.group),
            QString::fromUtf8(c.item), QString::fromUtf8(c.code));
        EXPECT_EQ(v.status, c.status) << c.code << ' ' << c.item;
        EXPECT_EQ(v.value, c.value) << c.code << ' ' << c.item;
    }
}

TEST_F(StatisticsTreeWriting, SamePlanSameBytesAndARunReplacesTheTree)
{
    const QString a = tmp.path() + QStringLiteral("a/VeltraData");
    const QString b = tmp.path() + QStringLiteral("b/VeltraData");
    QString error;
    ASSERT_TRUE(writeStatisticsTree(a, smallPlan(), &error)) << error.toStdString();
    // b first holds a stale tree with another statistics.
    std::vector<ValueTable> other = smallPlan();
    other.resize(1);
    other.front().startDate = QStringLiteral("2015/10/01");
    ASSERT_TRUE(writeStatisticsTree(b, other, &error)) << error.toStdString();
    ASSERT_TRUE(writeStatisticsTree(b, smallPlan(), &error)) << error.toStdString();
    const auto filesA = filesUnder(a);
    EXPECT_EQ(filesA, filesUnder(b));
    EXPECT_EQ(filesA.size(), 10u); // 4 value files, 2 indexes, 2 x (list + year file)
}

TEST_F(StatisticsTreeWriting, AFailedRunLeavesThePreviousTree)
{
    const QString data = tmp.path() + QStringLiteral("VeltraData");
    QString error;
    ASSERT_TRUE(writeStatisticsTree(data, smallPlan(), &error)) << error.toStdString();
    const auto before = filesUnder(data);
    // The same value file twice: its second registration is refused.
    std::vector<ValueTable> plan = smallPlan();
    plan.push_back(plan.back());
    EXPECT_FALSE(writeStatisticsTree(data, plan, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("value file"))) << error.toStdString();
    EXPECT_EQ(filesUnder(data), before);
}

// A user later registers own data into the shipped tree: the registration
// writes full paths, and both its data and the shipped data are found.
TEST_F(StatisticsTreeWriting, UserRegistrationsBesideTheShippedData)
{
    const QString data = tmp.path() + QStringLiteral("VeltraData");
    QString error;
    ASSERT_TRUE(writeStatisticsTree(data, smallPlan(), &error)) << error.toStdString();
    const ValueTable users = table(kCity, QStringLiteral("就業者"), QStringLiteral("13"),
        {QStringLiteral("就業者数")}, {{"13101", "千代田区", "35000"}});
    ASSERT_TRUE(registerTable(data + QStringLiteral("/etc"), tmp.path(), users, &error))
        << error.toStdString();
    const QString path = veltra::profile::getString(
        kCity, QStringLiteral("Path"), {}, data + QStringLiteral("/etc/R2国勢調査.txt"));
    EXPECT_TRUE(path.startsWith(u'/')) << path.toStdString();
    const auto own = lookupIn(
        data, kCity, QStringLiteral("就業者"), QStringLiteral("就業者数"), QStringLiteral("13101"));
    EXPECT_EQ(own.status, 0);
    EXPECT_EQ(own.value, 35000);
    const auto shipped
        = lookupIn(data, kCity, QStringLiteral("人口"), QStringLiteral("総人口"), QStringLiteral("01100"));
    EXPECT_EQ(shipped.status, 0);
    EXPECT_EQ(shipped.value, 1973395);
}

} // namespace
