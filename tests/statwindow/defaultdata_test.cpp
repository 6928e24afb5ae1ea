// The readers on the generated default data folder: the census figures of
// every municipality and the shipped population-density template over the
// prefectures equal the census tables the folder was made from.
#include "platform/analyzer/analyzerengine.h"
#include "platform/ui/dialogscript.h"
#include "runstateguard.h"
#include "shell/globals.h"
#include "statdata/meshdatabase.h"
#include "statwindow/globals.h"
#include "statwindow/statareacalculation.h"
#include "statwindow/statareareader.h"

#include <QFile>
#include <QHash>
#include <gtest/gtest.h>

using namespace veltra::statwindow;

namespace {

const QString kData = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");

// The rows of a census CSV (UTF-8, header first) by the named columns.
std::vector<QHash<QString, QString>> censusRows(const char *file)
{
    QFile csv(QStringLiteral(VELTRA_CENSUS_TABLES "/") + QString::fromUtf8(file));
    EXPECT_TRUE(csv.open(QIODevice::ReadOnly)) << file;
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    std::vector<QHash<QString, QString>> rows;
    if (lines.isEmpty())
        return rows;
    const QStringList header = lines[0].trimmed().split(u',');
    for (qsizetype k = 1; k < lines.size(); ++k) {
        const QStringList fields = lines[k].trimmed().split(u',');
        QHash<QString, QString> row;
        for (qsizetype c = 0; c < header.size() && c < fields.size(); ++c)
            row.insert(header[c], fields[c]);
        rows.push_back(row);
    }
    return rows;
}

class DefaultDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gstrDataPath = kData;
        ASSERT_TRUE(db.open(veltra::statdata::MeshDatabase::pathInDataFolder(kData)))
            << "build the target veltra_default_statistics: " << db.lastError().toStdString();
    }
    veltra::test::RunStateGuard guard;
    veltra::statdata::MeshDatabase db;
};

TEST_F(DefaultDataTest, MunicipalPopulationEqualsTheCensus)
{
    const auto rows = censusRows("muni_population_2020.csv");
    ASSERT_EQ(rows.size(), 1916u);
    AreaSelection selection{AnaRangeCity, {}};
    for (const auto &row : rows)
        selection.entries.push_back({QString::number(row.value("pref_code").toInt()),
            QString::number(row.value("muni_code").mid(2).toInt()), QString()});
    const QString folder = kData + QStringLiteral("etc/R2国勢調査/市区町村/人口");
    StatAreaReader reader(db);
    ASSERT_TRUE(reader.ReadStatValues(selection, {QString(), folder, folder, folder}, 3, {0, 1, 2, 3}))
        << reader.lastError().toStdString();
    ASSERT_EQ(gtypStatArea.size(), rows.size() + 1);
    for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
        const auto &row = rows[r - 1];
        const StatArea &area = gtypStatArea[r];
        SCOPED_TRACE(area.AreaCode.toStdString());
        ASSERT_EQ(area.AreaCode, row.value("muni_code") + QStringLiteral("000000"));
        const char *columns[] = {"total", "male", "female"};
        for (std::size_t i = 1; i <= 3; ++i) {
            EXPECT_EQ(area.DataFlag[i], 0) << columns[i - 1];
            EXPECT_EQ(statNumber(area.Value[i]), row.value(columns[i - 1]).toDouble()) << columns[i - 1];
        }
    }
}

TEST_F(DefaultDataTest, ShippedDensityTemplateEqualsPopulationOverArea)
{
    const auto population = censusRows("pref_population_2020.csv");
    const auto areas = censusRows("pref_area_2020.csv");
    ASSERT_EQ(population.size(), 47u);
    ASSERT_EQ(areas.size(), 47u);
    QHash<QString, double> expected;
    for (std::size_t k = 0; k < 47; ++k) {
        ASSERT_EQ(population[k].value("pref_code"), areas[k].value("pref_code"));
        expected.insert(population[k].value("pref_code"),
            population[k].value("total").toDouble() / areas[k].value("area_km2").toDouble());
    }
    veltra::ui::DialogScript script;
    veltra::analyzer::AnalyzerEngine engine;
    StatAreaCalculation calculation(engine);
    StatAreaReader reader(db);
    reader.setCalculation(&calculation);
    const QString tmpl = kData + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ/都道府県/人口密度.cal");
    // The nation level: every prefecture whatever the list holds.
    ASSERT_TRUE(reader.ReadStatValues({AnaRangeNation, {}}, {QString(), tmpl}, 1, {0, -1}));
    EXPECT_TRUE(script.requests().empty());
    ASSERT_EQ(gtypStatArea.size(), 48u);
    for (std::size_t r = 1; r <= 47; ++r) {
        const StatArea &area = gtypStatArea[r];
        SCOPED_TRACE(area.AreaCode.toStdString());
        ASSERT_TRUE(expected.contains(area.AreaCode.left(2)));
        EXPECT_EQ(area.DataFlag[1], 0);
        EXPECT_DOUBLE_EQ(statNumber(area.Value[1]), expected.value(area.AreaCode.left(2)));
    }
}

} // namespace
