// The statistics of the generated default data folder, read as the program
// reads them: year-management file -> item list -> column and value folder ->
// value file -> line.
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "shell/mdlcommon.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString kPref = QStringLiteral("都道府県");
const QString kCity = QStringLiteral("市区町村");

QString etcFolder()
{
    return QStringLiteral(VELTRA_DEFAULT_DATA) + QStringLiteral("/VeltraData/etc/");
}

QString itemList(const QString &statistics)
{
    return etcFolder() + statistics + QStringLiteral(".txt");
}

struct Found
{
    double value = 0;
    int32_t status = -1;
};

// One item of one area, found as the statistics map window finds it; with
// `lastItem` the sum of the columns from `item` to `lastItem`.
Found lookup(const QString &statistics, const QString &unit, const QString &group, const QString &item,
    const QString &code, int32_t lastItem = 0)
{
    const QString list = itemList(statistics);
    const QString reference = "{[" + unit + "][" + group + "][" + item + "]}";
    const int32_t column = ComCaldoraTable::GetEntryIndex(list, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(list, reference);
    const int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
    const QString file = ComCaldoraNeo::GetDataFileName(code.left(2).toInt(), folder, level);
    Found f;
    f.value = ComCaldoraNeo::ReadAreaValue(
        file, code, static_cast<int32_t>(code.size()), level, column, lastItem, lastItem != 0, f.status);
    return f;
}

QString prefCode(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

class DefaultStatistics : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(veltra::fs::fileExists(etcFolder() + veltra::statdata::yearFileName()))
            << "no generated data folder in " VELTRA_DEFAULT_DATA
               " (build the target veltra_default_statistics)";
    }
};

TEST_F(DefaultStatistics, PublishedFiguresAreFound)
{
    struct Case
    {
        const char *statistics, *unit, *group, *item, *code;
        double value;
    };
    const Case cases[] = {
        {"R2国勢調査", "都道府県", "人口", "総人口", "13", 14047594},
        {"R2国勢調査", "市区町村", "人口", "総人口", "01100", 1973395},
        {"R2国勢調査", "都道府県", "人口", "総人口", "02", 1237984},
        {"R2国勢調査", "都道府県", "世帯", "一般世帯数", "01", 2469063},
        {"R2国勢調査", "市区町村", "世帯", "世帯数", "01100", 969161},
        {"R2国勢調査", "市区町村", "面積", "面積(km2)", "01100", 1121.26},
        {"R2国勢調査", "市区町村", "人口", "総人口", "13101", 66680}, // a special ward
        {"R2国勢調査", "市区町村", "人口", "総人口", "47382", 1676}, // the last line of its file
        {"H27国勢調査", "市区町村", "世帯", "世帯数", "01100", 921837},
        {"H27国勢調査", "都道府県", "世帯", "世帯数", "01", 2444810},
        {"S20人口調査", "都道府県", "人口", "総人口", "13", 3488284},
        {"T9国勢調査", "都道府県", "人口", "総人口", "13", 3699428},
    };
    for (const Case &c : cases) {
        const Found f = lookup(QString::fromUtf8(c.statistics), QString::fromUtf8(c.unit),
            QString::fromUtf8(c.group), QString::fromUtf8(c.item), QString::fromUtf8(c.code));
        EXPECT_EQ(f.status, 0) << c.statistics << ' ' << c.item << ' ' << c.code;
        EXPECT_DOUBLE_EQ(f.value, c.value) << c.statistics << ' ' << c.item << ' ' << c.code;
    }
}

TEST_F(DefaultStatistics, PrefecturesAddUpToTheNation)
{
    const std::pair<const char *, double> totals[] = {{"R2国勢調査", 126146099}, {"H27国勢調査", 127094745},
        {"H22国勢調査", 128057352}, {"T9国勢調査", 55963053}};
    for (const auto &[statistics, national] : totals) {
        double sum = 0;
        for (int p = 1; p <= 47; ++p) {
            const Found f = lookup(QString::fromUtf8(statistics), kPref, QStringLiteral("人口"),
                QStringLiteral("総人口"), prefCode(p));
            ASSERT_EQ(f.status, 0) << statistics << ' ' << p;
            sum += f.value;
        }
        EXPECT_DOUBLE_EQ(sum, national) << statistics;
    }
}

TEST_F(DefaultStatistics, FiguresTheSourceLacksAreNoData)
{
    // Households and areas of designated-city wards, and the 2015 wards.
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"R2国勢調査", "世帯", "世帯数"},
        {"R2国勢調査", "面積", "面積(km2)"},
        {"H27国勢調査", "人口", "総人口"},
    };
    for (const auto &[statistics, group, item] : cases) {
        const Found f = lookup(QString::fromUtf8(statistics), kCity, QString::fromUtf8(group),
            QString::fromUtf8(item), QStringLiteral("01101"));
        EXPECT_EQ(f.status, 1) << statistics << ' ' << item;
        EXPECT_EQ(f.value, 0) << statistics << ' ' << item;
    }
    // The census counted nobody in 双葉町 in 2020: a figure, not a gap.
    const Found futaba = lookup(QStringLiteral("R2国勢調査"), kCity, QStringLiteral("人口"),
        QStringLiteral("総人口"), QStringLiteral("07546"));
    EXPECT_EQ(futaba.status, 0);
    EXPECT_EQ(futaba.value, 0);
}

TEST_F(DefaultStatistics, AgeClassesServeThePyramid)
{
    const QString list = itemList(QStringLiteral("R2国勢調査"));
    const QString group = QStringLiteral("年齢5歳階級別");
    QString count, first, second;
    mdlCommon::ReadIniString(group, QStringLiteral("DataCnt"), count, list);
    mdlCommon::ReadIniString(group, QStringLiteral("StartField1"), first, list);
    mdlCommon::ReadIniString(group, QStringLiteral("StartField2"), second, list);
    ASSERT_EQ(count, QStringLiteral("21"));
    // The series labels are the entries before the first class of each sex.
    QString label1, label2;
    mdlCommon::ReadIniString(group, veltra::statdata::entryKey(first.toInt() - 1), label1, list);
    mdlCommon::ReadIniString(group, veltra::statdata::entryKey(second.toInt() - 1), label2, list);
    EXPECT_EQ(label1, QStringLiteral("男,男"));
    EXPECT_EQ(label2, QStringLiteral("女,女"));
    QString firstClass, lastClass;
    mdlCommon::ReadIniString(group, veltra::statdata::entryKey(second.toInt()), firstClass, list);
    mdlCommon::ReadIniString(
        group, veltra::statdata::entryKey(second.toInt() + count.toInt() - 1), lastClass, list);
    EXPECT_EQ(firstClass, QStringLiteral("0～4歳(女),0～4歳(女)"));
    EXPECT_EQ(lastClass, QStringLiteral("100歳以上(女),100歳以上(女)"));

    // For Sapporo and for Tokyo the classes and the unknown age add up to the
    // total of each sex, and the totals to the population.
    for (const auto &[unit, code] :
        {std::pair{kCity, QStringLiteral("01100")}, std::pair{kPref, QStringLiteral("13")}}) {
        double bothSexes = 0;
        for (const QString &sex : {QStringLiteral("男"), QStringLiteral("女")}) {
            const Found total = lookup(QStringLiteral("R2国勢調査"), unit, group, sex, code);
            const Found classes = lookup(QStringLiteral("R2国勢調査"), unit, group,
                QStringLiteral("0～4歳(") + sex + u')', code,
                ComCaldoraTable::GetEntryIndex(list, "{[" + unit + "][" + group + "][年齢不詳(" + sex + ")]}"));
            ASSERT_EQ(total.status, 0) << code.toStdString();
            ASSERT_EQ(classes.status, 0) << code.toStdString();
            EXPECT_DOUBLE_EQ(classes.value, total.value) << code.toStdString();
            bothSexes += total.value;
        }
        EXPECT_DOUBLE_EQ(bothSexes,
            lookup(QStringLiteral("R2国勢調査"), unit, QStringLiteral("人口"), QStringLiteral("総人口"), code)
                .value);
    }
}

TEST_F(DefaultStatistics, EveryListedStatisticsHasItsFolders)
{
    QStringList lines;
    ASSERT_TRUE(veltra::text::readLines(etcFolder() + veltra::statdata::yearFileName(), lines));
    ASSERT_EQ(lines.size(), 21); // 1920 to 2020, every five years
    EXPECT_EQ(lines.first(), QStringLiteral("R2国勢調査,20201001,21000930"));
    EXPECT_EQ(lines.last(), QStringLiteral("T9国勢調査,19201001,19250930"));
    QStringList copy;
    ASSERT_TRUE(veltra::text::readLines(
        etcFolder() + veltra::statdata::etc2FolderName() + u'/' + veltra::statdata::yearFileName(), copy));
    EXPECT_EQ(copy, lines);

    int municipalLines = 0;
    for (const QString &line : lines) {
        const QString name = line.section(u',', 0, 0);
        const QString list = itemList(name);
        ASSERT_TRUE(veltra::fs::fileExists(list)) << name.toStdString();
        for (int u = 1;; ++u) {
            QString unit;
            mdlCommon::ReadIniString(
                veltra::statdata::itemListKindSection(), veltra::statdata::entryKey(u), unit, list);
            if (unit.isEmpty())
                break;
            QString path;
            mdlCommon::ReadIniString(unit, veltra::statdata::itemListPathKey(), path, list);
            // Named relative to the list, so the folder can move.
            EXPECT_FALSE(path.startsWith(u'/')) << path.toStdString();
            for (int g = 1;; ++g) {
                QString group;
                mdlCommon::ReadIniString(unit, veltra::statdata::entryKey(g), group, list);
                if (group.isEmpty())
                    break;
                const QString folder = veltra::statdata::resolveListFolder(list, path) + group;
                EXPECT_TRUE(veltra::fs::folderExists(folder)) << folder.toStdString();
                if (name == QStringLiteral("R2国勢調査") && unit == kCity
                    && group == QStringLiteral("人口")) {
                    for (int p = 1; p <= 47; ++p) {
                        const QString file = ComCaldoraNeo::GetDataFileName(p, folder, 2);
                        QStringList values;
                        ASSERT_TRUE(veltra::text::readLines(veltra::fs::resolve(file), values)) << p;
                        municipalLines += static_cast<int>(values.size()) - 1;
                    }
                }
            }
        }
    }
    // 1,741 municipalities (Tokyo's special wards among them) and the 175
    // wards of the designated cities.
    EXPECT_EQ(municipalLines, 1741 + 175);
}

} // namespace
