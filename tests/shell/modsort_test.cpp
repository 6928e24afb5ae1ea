// The three quicksorts on ranges.
#include "platform/vb/errors.h"
#include "shell/modsort.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

TEST(ShellModSort, LongTable)
{
    struct Case
    {
        std::vector<int32_t> in;
        int32_t low, high;
        std::vector<int32_t> out;
    };
    const Case cases[] = {
        {{5, 3, 9, 1, 7}, 0, 4, {1, 3, 5, 7, 9}},
        {{5, 3, 9, 1, 7}, 1, 3, {5, 1, 3, 9, 7}},
        {{2, 1}, 0, 1, {1, 2}},
        {{3, 2, 1}, 1, 1, {3, 2, 1}},
        {{3, 2, 1}, 2, 0, {3, 2, 1}},
        {{4, 4, 4, 1, 4}, 0, 4, {1, 4, 4, 4, 4}},
        {{-1, 2147483647, -2147483647 - 1, 0}, 0, 3, {-2147483647 - 1, -1, 0, 2147483647}},
        {{}, 0, -1, {}},
    };
    for (const Case &c : cases) {
        std::vector<int32_t> v = c.in;
        modSort::QuickSortLong(v, c.low, c.high);
        EXPECT_EQ(v, c.out);
    }
}

TEST(ShellModSort, StringsByCodeUnitAndHeaderKept)
{
    std::vector<QString> v{"見出し", "b", "B", "a", "A", "東京", "10", "9"};
    modSort::QuickSortString(v, 1, 7);
    EXPECT_EQ(v, (std::vector<QString>{"見出し", "10", "9", "A", "B", "a", "b", "東京"}));
}

TEST(ShellModSort, DoublesWithDuplicatesAndNegatives)
{
    std::vector<double> v{0.5, -1.25, 3.0, 0.5, -0.0, 2.75, -1.25};
    modSort::QuickSortDouble(v, 0, 6);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
    EXPECT_EQ(v.front(), -1.25);
    EXPECT_EQ(v.back(), 3.0);
}

TEST(ShellModSort, RandomArraysMatchTheLibrarySort)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 50; ++round) {
        std::uniform_int_distribution<int> size(0, 200), value(-50, 50);
        std::vector<int32_t> v(size(rng));
        for (int32_t &x : v)
            x = value(rng);
        std::vector<int32_t> expected = v;
        std::sort(expected.begin(), expected.end());
        modSort::QuickSortLong(v, 0, int32_t(v.size()) - 1);
        EXPECT_EQ(v, expected);

        std::vector<double> d(v.begin(), v.end());
        std::shuffle(d.begin(), d.end(), rng);
        modSort::QuickSortDouble(d, 0, int32_t(d.size()) - 1);
        EXPECT_TRUE(std::is_sorted(d.begin(), d.end()));

        std::vector<QString> s;
        for (int32_t x : v)
            s.push_back(QString::number(x));
        std::shuffle(s.begin(), s.end(), rng);
        std::vector<QString> sorted = s;
        std::sort(sorted.begin(), sorted.end());
        modSort::QuickSortString(s, 0, int32_t(s.size()) - 1);
        EXPECT_EQ(s, sorted);
    }
}

TEST(ShellModSort, RangeOutsideTheArrayRaises)
{
    std::vector<int32_t> v{3, 1, 2};
    EXPECT_THROW(modSort::QuickSortLong(v, 0, 3), veltra::vb::SubscriptOutOfRange);
    EXPECT_THROW(modSort::QuickSortLong(v, -1, 2), veltra::vb::SubscriptOutOfRange);
    EXPECT_EQ(v, (std::vector<int32_t>{3, 1, 2}));
}
