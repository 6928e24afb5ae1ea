// The size classes shipped in the default program folder (hanreiinfo.txt),
// read as the graph maps read them, on the 2020 census prefecture totals of
// the generated default data.
#include "platform/fs/fs.h"
#include "platform/vb/convert.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statrender/analysislines.h"
#include "statrender/graphelements.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const QString kSizeClasses = QStringLiteral(VELTRA_PROGRAM_DEFAULTS "hanreiinfo.txt");

std::vector<QString> shippedClasses()
{
    std::vector<QString> lines;
    EXPECT_TRUE(ComPSY::ReadLines(kSizeClasses, lines)) << kSizeClasses.toStdString();
    return lines;
}

// Millimetres of a picture size in dots, at the 90 dots per inch of the size rule.
double millimetres(std::int32_t dots)
{
    return dots * 25.4 / 90;
}

} // namespace

TEST(ShippedSizeClasses, ThreeContiguousClassesPerUnitLevel)
{
    const std::vector<QString> lines = shippedClasses();
    ASSERT_EQ(lines.size(), 11U); // a title and nine class lines, from element 1
    for (std::int32_t level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        const std::int32_t first = 2 + (level - 1) * 3;
        EXPECT_EQ(veltra::vb::cLng(ComPSY::GetLineField(lines, first, 3)), 0);
        for (std::int32_t line = first; line < first + 3; ++line) {
            SCOPED_TRACE(line);
            const std::int32_t mm = veltra::vb::cLng(ComPSY::GetLineField(lines, line, 1));
            EXPECT_GE(mm, 10);
            EXPECT_LE(mm, 15);
            EXPECT_LT(veltra::vb::cLng(ComPSY::GetLineField(lines, line, 3)),
                veltra::vb::cLng(ComPSY::GetLineField(lines, line, 4)));
            // Each class starts where the one before ends, so every mean has one.
            if (line > first) {
                EXPECT_EQ(ComPSY::GetLineField(lines, line, 3), ComPSY::GetLineField(lines, line - 1, 4));
            }
        }
    }
}

TEST(ShippedSizeClasses, PrefecturePopulationPiesAreTenToFifteenMillimetres)
{
    const QString list = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/etc/R2国勢調査.txt");
    ASSERT_TRUE(veltra::fs::fileExists(list)) << "build the target veltra_default_statistics";
    const QString reference = QStringLiteral("{[都道府県][人口][総人口]}");
    const std::int32_t column = ComCaldoraTable::GetEntryIndex(list, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(list, reference);
    const std::int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
    std::vector<double> totals;
    double sum = 0;
    for (int pref = 1; pref <= 47; ++pref) {
        const QString code = QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0'));
        std::int32_t status = -1;
        totals.push_back(ComCaldoraNeo::ReadAreaValue(
            ComCaldoraNeo::GetDataFileName(pref, folder, level), code, 2, level, column, 0, false, status));
        ASSERT_EQ(status, 0) << pref;
        sum += totals.back();
    }
    // As an absolute pie map sizes its graphs: the totals and their mean
    // rounded, unit level 1.
    const std::vector<QString> classes = shippedClasses();
    const double mean = veltra::vb::cLng(sum / 47);
    std::int32_t width = 0, height = 0, pictureSize = 0;
    double widths = 0;
    for (double total : totals) {
        ComPSY::GetGraphSize(2, classes, 1, veltra::vb::cLng(total), width, height, pictureSize, mean);
        ASSERT_GT(width, 0);
        widths += width;
    }
    // The pie of the mean total, and the mean of the 47 pies.
    const double meanPie = millimetres(pictureSize);
    const double averagePie = millimetres(std::int32_t(widths / 47 + 0.5));
    EXPECT_GE(meanPie, 10);
    EXPECT_LE(meanPie, 15);
    EXPECT_GE(averagePie, 10);
    EXPECT_LE(averagePie, 15);
}
