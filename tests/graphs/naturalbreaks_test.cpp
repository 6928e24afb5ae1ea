// The natural-breaks table against the plain programme it replaces, against
// an exhaustive search of every partition, and on the 2020 census totals of
// the 47 prefectures.
#include "graphs/naturalbreaks.h"
#include "platform/fs/fs.h"
#include "shizenreference.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>
#include <gtest/gtest.h>

using veltra::graphs::NaturalBreaksTable;
using veltra::graphs::naturalBreaks;

namespace {

// The class starts (1-based) walked back from (n, k), lowest class first.
std::vector<std::int32_t> walk(const NaturalBreaksTable &table, std::int32_t n, std::int32_t k)
{
    std::vector<std::int32_t> starts;
    std::int32_t upper = n;
    for (std::int32_t j = k; j >= 1 && upper >= 1; --j) {
        const std::int32_t lower = table.low(upper, j);
        if (lower <= 0)
            break;
        starts.insert(starts.begin(), lower);
        upper = lower - 1;
    }
    return starts;
}

double squaredDeviations(const std::vector<double> &x, const std::vector<std::int32_t> &starts)
{
    double total = 0;
    for (std::size_t c = 0; c < starts.size(); ++c) {
        const std::size_t first = static_cast<std::size_t>(starts[c] - 1);
        const std::size_t end = c + 1 < starts.size() ? static_cast<std::size_t>(starts[c + 1] - 1) : x.size();
        double mean = 0;
        for (std::size_t i = first; i < end; ++i)
            mean += x[i];
        mean /= static_cast<double>(end - first);
        for (std::size_t i = first; i < end; ++i)
            total += (x[i] - mean) * (x[i] - mean);
    }
    return total;
}

// Every split of x into exactly k contiguous classes; the least sum of
// squared deviations and the first split reaching it.
struct Best
{
    double sum = std::numeric_limits<double>::infinity();
    std::vector<std::int32_t> starts;
};

void search(const std::vector<double> &x, std::int32_t k, std::vector<std::int32_t> &starts, Best &best)
{
    const auto n = static_cast<std::int32_t>(x.size());
    if (static_cast<std::int32_t>(starts.size()) == k) {
        const double sum = squaredDeviations(x, starts);
        if (best.starts.empty() || sum < best.sum - 1e-9 * std::max(1.0, best.sum)) {
            best.sum = sum;
            best.starts = starts;
        }
        return;
    }
    const std::int32_t remaining = k - static_cast<std::int32_t>(starts.size());
    for (std::int32_t s = starts.back() + 1; s <= n - remaining + 1; ++s) {
        starts.push_back(s);
        search(x, k, starts, best);
        starts.pop_back();
    }
}

Best exhaustive(const std::vector<double> &x, std::int32_t k)
{
    Best best;
    std::vector<std::int32_t> starts{1};
    search(x, k, starts, best);
    return best;
}

// Sorted values with many repeats: whole numbers or halves of a small range,
// sometimes with a long tail.
std::vector<double> randomValues(std::mt19937 &rng, std::int32_t n)
{
    std::uniform_int_distribution<int> range(1, 60);
    std::uniform_int_distribution<int> kind(0, 2);
    const int spread = range(rng);
    const int shape = kind(rng);
    std::uniform_int_distribution<int> pick(0, spread);
    std::exponential_distribution<double> tail(0.05);
    std::vector<double> x(static_cast<std::size_t>(n));
    for (double &v : x) {
        if (shape == 0)
            v = pick(rng);
        else if (shape == 1)
            v = pick(rng) / 2.0;
        else
            v = std::floor(tail(rng));
    }
    std::sort(x.begin(), x.end());
    return x;
}

} // namespace

TEST(NaturalBreaks, EqualsThePlainProgrammeOnRandomValuesWithRepeats)
{
    std::mt19937 rng(20240229);
    std::uniform_int_distribution<int> classes(2, 9);
    std::uniform_int_distribution<int> small(2, 300);
    std::uniform_int_distribution<int> large(1000, 2000);
    for (int run = 0; run < 300; ++run) {
        const std::int32_t n = run % 15 == 0 ? large(rng) : small(rng);
        const std::int32_t k = classes(rng);
        const std::vector<double> x = randomValues(rng, n);
        SCOPED_TRACE(testing::Message() << "run " << run << ", n " << n << ", k " << k);
        const auto expected = veltra::graphs::reference::shizenLow(x, k);
        const NaturalBreaksTable table = naturalBreaks(x, k);
        std::int32_t differences = 0;
        for (std::int32_t l = 0; l <= n; ++l)
            for (std::int32_t j = 0; j <= k; ++j)
                differences += table.low(l, j) != expected[static_cast<std::size_t>(l)][static_cast<std::size_t>(j)];
        ASSERT_EQ(differences, 0);
    }
}

TEST(NaturalBreaks, FindsTheLeastSumOfSquaredDeviationsOfAllSplits)
{
    std::mt19937 rng(12);
    for (std::int32_t n = 2; n <= 12; ++n) {
        for (std::int32_t k = 2; k <= std::min(n, 6); ++k) {
            for (int run = 0; run < 5; ++run) {
                std::vector<double> x = randomValues(rng, n);
                // Some runs of distinct values with decimals as well.
                if (run == 4)
                    for (std::size_t i = 0; i < x.size(); ++i)
                        x[i] = x[i] * 1.37 + static_cast<double>(i) * 0.011;
                std::sort(x.begin(), x.end());
                SCOPED_TRACE(testing::Message() << "n " << n << ", k " << k << ", run " << run);
                const NaturalBreaksTable table = naturalBreaks(x, k);
                const std::vector<std::int32_t> starts = walk(table, n, k);
                const Best best = exhaustive(x, k);
                EXPECT_NEAR(squaredDeviations(x, starts), best.sum, 1e-9 * std::max(1.0, best.sum));
            }
        }
    }
}

TEST(NaturalBreaks, EqualValuesLeaveFewerClassesThanAsked)
{
    // Every split of equal values costs nothing; the leftmost start wins, so
    // the walk reaches the first value with classes to spare.
    const NaturalBreaksTable table = naturalBreaks({5, 5, 5, 5}, 3);
    EXPECT_EQ(walk(table, 4, 3), (std::vector<std::int32_t>{1, 2}));
    // Fewer values than classes: one class a value.
    EXPECT_EQ(walk(naturalBreaks({1, 2, 3}, 5), 3, 5), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST(NaturalBreaks, OnThe2020PrefectureTotalsEqualsTheExhaustiveOptimum)
{
    // The 47 prefecture totals of the 2020 census (a public, published data
    // set) from the generated default data folder. Its optimal splits are
    // checked against every split of the 47 values.
    const QString list = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/etc/R2国勢調査.txt");
    ASSERT_TRUE(veltra::fs::fileExists(list)) << "build the target veltra_default_statistics";
    const QString reference = QStringLiteral("{[都道府県][人口][総人口]}");
    const std::int32_t column = ComCaldoraTable::GetEntryIndex(list, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(list, reference);
    const std::int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
    std::vector<double> x;
    for (int pref = 1; pref <= 47; ++pref) {
        const QString code = QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0'));
        std::int32_t status = -1;
        x.push_back(ComCaldoraNeo::ReadAreaValue(
            ComCaldoraNeo::GetDataFileName(pref, folder, level), code, 2, level, column, 0, false, status));
        ASSERT_EQ(status, 0);
    }
    std::sort(x.begin(), x.end());
    for (std::int32_t k : {3, 4, 5}) {
        SCOPED_TRACE(k);
        const Best best = exhaustive(x, k);
        EXPECT_EQ(walk(naturalBreaks(x, k), 47, k), best.starts);
    }
    // The largest class of five holds 東京都 alone (14,047,594), the next
    // 埼玉県, 愛知県, 大阪府 and 神奈川県 (from 7,344,765 up).
    const std::vector<std::int32_t> five = walk(naturalBreaks(x, 5), 47, 5);
    ASSERT_EQ(five.size(), 5U);
    EXPECT_EQ(five[4], 47);
    EXPECT_EQ(x[static_cast<std::size_t>(five[3] - 1)], 7344765);
}
