// The calculation templates shipped in the generated default data folder,
// evaluated for an area as the statistics map window evaluates them.
#include "platform/analyzer/analyzerengine.h"
#include "platform/fs/fs.h"
#include "statdata/areacalculationbinder.h"
#include "statdata/calctemplate.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"

#include <gtest/gtest.h>

using namespace veltra;

namespace {

QString dataFolder()
{
    return QStringLiteral(VELTRA_DEFAULT_DATA) + QStringLiteral("/VeltraData/");
}

// The item-list file of each variable: File<g> of the token equal to the
// variable (its left reference for a range).
std::vector<QString> variableLists(const statdata::CalcField &field, const analyzer::AnalyzerEngine &engine)
{
    std::vector<QString> lists{QString()};
    for (std::int32_t i = 1; i <= engine.VariableCount(); ++i) {
        QString left = engine.VariableName(i);
        QString right;
        ComCaldoraNeo::SplitRangeEntry(engine.VariableName(i), left, right);
        QString list;
        for (std::size_t g = 0; g < field.tokens.size(); ++g) {
            if (field.tokens[g] == (right.isEmpty() ? engine.VariableName(i) : left))
                list = field.files[g];
        }
        lists.push_back(list);
    }
    return lists;
}

double itemValue(const QString &list, const QString &reference, const QString &code)
{
    const int32_t column = ComCaldoraTable::GetEntryIndex(list, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(list, reference);
    const int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
    const QString file = ComCaldoraNeo::GetDataFileName(code.left(2).toInt(), folder, level);
    int32_t status = -1;
    const double value = ComCaldoraNeo::ReadAreaValue(
        file, code, static_cast<int32_t>(code.size()), level, column, 0, false, status);
    EXPECT_EQ(status, 0) << reference.toStdString();
    return value;
}

TEST(ShippedTemplates, PopulationDensityOfTokyoThroughTheValueLookup)
{
    const QString path = statdata::calcTemplateFolder(dataFolder(), 1) + QStringLiteral("\\人口密度.cal");
    ASSERT_TRUE(fs::fileExists(path)) << "build the target veltra_default_statistics";
    const statdata::CalcTemplate tmpl = statdata::readCalcTemplate(path, dataFolder());
    ASSERT_EQ(tmpl.fields.size(), 1u);
    EXPECT_FALSE(tmpl.comment.isEmpty());

    analyzer::AnalyzerEngine engine;
    const QString expression = ComCaldoraNeo::GetCalcExpression(path, 1);
    ASSERT_TRUE(engine.CheckSyntax(expression)) << expression.toStdString();
    ASSERT_EQ(engine.VariableCount(), 2);
    std::vector<QString> variables{QString()};
    for (std::int32_t i = 1; i <= engine.VariableCount(); ++i)
        variables.push_back(engine.VariableName(i));
    ASSERT_TRUE(ComCaldoraNeo::CheckCalcVariables(variables));
    const std::vector<QString> lists = variableLists(tmpl.fields[0], engine);
    ASSERT_TRUE(fs::fileExists(lists[1]));

    statdata::AreaCalculationBinder binder(engine);
    int32_t status = -1;
    const double density = ComCaldoraNeo::CalcAreaValue(QStringLiteral("13"), 2, 2, variables, lists, status);
    EXPECT_EQ(status, 0);
    const double population = itemValue(lists[1], QStringLiteral("{[都道府県][人口][総人口]}"), "13");
    const double area = itemValue(lists[2], QStringLiteral("{[都道府県][面積][面積(km2)]}"), "13");
    EXPECT_EQ(population, 14047594);
    EXPECT_DOUBLE_EQ(density, population / area);
}

TEST(ShippedTemplates, EveryShippedTemplateParsesAndNamesExistingItemLists)
{
    for (std::int16_t level : {1, 2}) {
        for (const char *name : {"人口密度", "1世帯当たり人員"}) {
            SCOPED_TRACE(name);
            const QString path = statdata::calcTemplateFolder(dataFolder(), level) + u'\\'
                + QString::fromUtf8(name) + ".cal";
            const statdata::CalcTemplate tmpl = statdata::readCalcTemplate(path, dataFolder());
            ASSERT_EQ(tmpl.fields.size(), 1u);
            analyzer::AnalyzerEngine engine;
            EXPECT_TRUE(engine.CheckSyntax(ComCaldoraNeo::GetCalcExpression(path, 1)));
            for (const QString &list : tmpl.fields[0].files) {
                if (!list.isEmpty()) {
                    EXPECT_TRUE(fs::fileExists(list)) << list.toStdString();
                }
            }
        }
    }
    EXPECT_TRUE(fs::folderExists(statdata::calcTemplateFolder(dataFolder(), 3)));
}

} // namespace
