// The classification of the graph object: the class-count list, each method
// over its edge cases, the repair pass, the counting, the class colours, the
// handle and legend conversions, and checks on the 2020 census totals.
#include "fakegraphowner.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/valuethroughtext.h"
#include "platform/fs/fs.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>
#include <gtest/gtest.h>

namespace {

constexpr int Zokusei = 0, Shizen = 1, Touryou = 2, TouKankaku = 3, Standard = 4;

// A graph linked to a fake owner, a gradation and a legend, fed sorted values.
struct Classifier
{
    Classifier(std::vector<double> values, int method, const QString &count)
    {
        glngGraphKind = GraphKindNuri;
        std::sort(values.begin(), values.end());
        graph.SetFormName(&owner);
        graph.SetCtlGradation(&gradation);
        graph.SetCtlLegend(&legend);
        for (double v : values)
            graph.AddSegment(v, QString(), 0, 0);
        owner.methods[static_cast<std::size_t>(method)]->setChecked(true);
        owner.furiwake->setEditable(true);
        for (int i = 2; i <= 9; ++i)
            owner.furiwake->addItem(QString::number(i));
        owner.furiwake->setEditText(count);
    }
    ~Classifier() { glngGraphKind = 0; }

    bool run(const QString &mode = QStringLiteral("1"))
    {
        const double sum = graph.GetSum();
        const double variance = graph.GetBunsan(sum);
        return graph.classify(mode, graph.GetAverage(sum), graph.GetStandard(variance));
    }
    std::vector<double> counts() const
    {
        std::vector<double> out;
        for (int i = 0; i < graph.GetGradeNum(); ++i)
            out.push_back(graph.classList()[static_cast<std::size_t>(i)].Kensuu);
        return out;
    }
    void expectClasses(const std::vector<std::pair<double, double>> &bounds) const
    {
        ASSERT_EQ(graph.GetGradeNum(), static_cast<std::int32_t>(bounds.size()));
        for (std::size_t i = 0; i < bounds.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "class " << i);
            EXPECT_NEAR(graph.classList()[i].Ijyou, bounds[i].first, 1e-9);
            EXPECT_NEAR(graph.classList()[i].Miman, bounds[i].second, 1e-9);
        }
    }

    FakeGraphOwner owner;
    ctlGradation gradation;
    ctlLegend legend;
    clsDrawGraph graph;
};

std::vector<double> range(double first, double last, double step = 1)
{
    std::vector<double> out;
    for (double v = first; v <= last + 1e-9; v += step)
        out.push_back(v);
    return out;
}

} // namespace

TEST(Classification, MethodsOverTheirEdgeCases)
{
    struct Case
    {
        const char *name;
        std::vector<double> values;
        int method;
        const char *count;
        std::vector<std::pair<double, double>> classes;
        std::vector<double> counts;
    };
    const Case cases[] = {
        {"equal interval 0..100, k = 4, 100 counted last", range(0, 100), TouKankaku, "4",
            {{0, 25}, {25, 50}, {50, 75}, {75, 100}}, {25, 25, 25, 26}},
        {"quantile n = 10, k = 3: 4, 3, 3, the fifth value first bound", range(1, 10), Touryou, "3",
            {{1, 5}, {5, 8}, {8, 10}}, {4, 3, 3}},
        {"quantile n < k: one value a class, then max on both sides", {1, 2, 3}, Touryou, "5",
            {{1, 2}, {2, 3}, {3, 3}, {3, 3}, {3, 3}}, {1, 1, 0, 0, 1}},
        {"quantile ties go to the upper class", {1, 2, 2, 2, 3, 4}, Touryou, "2", {{1, 2}, {2, 4}}, {1, 5}},
        {"natural breaks 1, 2, 3, 10, 11, 12: the means are the bounds", {1, 2, 3, 10, 11, 12}, Shizen, "2",
            {{1, 2}, {2, 12}}, {1, 5}},
        {"natural breaks on equal values lowers the count", {5, 5, 5, 5}, Shizen, "3", {{5, 5}, {5, 5}}, {0, 4}},
        {"attribute value: steps of 0.1", range(0, 9), Zokusei, "3", {{0, 0.1}, {0.1, 0.2}, {0.2, 0.3}}, {1, 0, 0}},
        // Nineteen values 10 and one 110: mean 15, deviation √475, S = 4.
        {"standard deviation, even count", {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                                               10, 110},
            Standard, "2", {{10, 15}, {15, 110}}, {19, 1}},
        {"standard deviation, odd count: the top class reaches max",
            {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 110}, Standard, "3",
            {{10, 10.1}, {10.1, 15}, {15, 110}}, {19, 0, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Classifier classifier(c.values, c.method, QString::fromLatin1(c.count));
        ASSERT_TRUE(classifier.run());
        classifier.expectClasses(c.classes);
        EXPECT_EQ(classifier.counts(), c.counts);
        EXPECT_EQ(classifier.graph.classMin(), c.values.front());
    }
}

TEST(Classification, CountListFollowsTheMethod)
{
    Classifier natural({5, 5, 5, 5}, Shizen, QStringLiteral("3"));
    ASSERT_TRUE(natural.run());
    EXPECT_EQ(natural.owner.furiwake->count(), 8);
    EXPECT_EQ(natural.owner.furiwake->currentText(), QStringLiteral("2")); // lowered with the count

    const std::vector<double> skewed{10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 110};
    struct Case
    {
        const char *count;
        int listMax;
        const char *chosen;
        std::int32_t classes;
    };
    // S = 4: an odd request builds req + 1 work classes and lists up to them;
    // an even one lists up to S + 1; more than S gives S classes.
    const Case cases[] = {{"3", 4, "3", 3}, {"2", 5, "2", 2}, {"4", 5, "4", 4}, {"7", 4, "4", 4}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        Classifier deviation(skewed, Standard, QString::fromLatin1(c.count));
        deviation.owner.furiwake->setCurrentIndex(std::min(QString::fromLatin1(c.count).toInt() - 2, 7));
        ASSERT_TRUE(deviation.run());
        EXPECT_EQ(deviation.owner.furiwake->count(), c.listMax - 1);
        EXPECT_EQ(deviation.owner.furiwake->currentText(), QString::fromLatin1(c.chosen));
        EXPECT_EQ(deviation.graph.GetGradeNum(), c.classes);
        const std::vector<double> counts = deviation.counts();
        EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0.0), 20);
    }
}

TEST(Classification, StandardDeviationWithNegativeValuesSkipsToTheEmptyEntries)
{
    // Mean 0, deviation √10: work classes [-10, 0) and [0, 10], then empty ones.
    std::vector<double> values(18, 0);
    values.push_back(-10);
    values.push_back(10);
    Classifier c(values, Standard, QStringLiteral("2"));
    const double sum = c.graph.GetSum();
    ASSERT_TRUE(c.graph.prepareClassCount(c.graph.GetAverage(sum), c.graph.GetStandard(c.graph.GetBunsan(sum))));
    c.graph.computeClasses();
    c.expectClasses({{0, 10}, {0, 0}});
}

TEST(Classification, BadInputFailsAndKeepsTheStoredClasses)
{
    struct Case
    {
        const char *name;
        std::vector<double> values;
        int method;
        const char *count;
    };
    const Case cases[] = {
        {"count outside the list", {1, 2, 3}, TouKankaku, "10"},
        {"count not a number", {1, 2, 3}, TouKankaku, "abc"},
        {"all values equal: no deviation", {4, 4, 4}, Standard, "2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Classifier classifier(c.values, TouKankaku, QStringLiteral("2"));
        ASSERT_TRUE(classifier.run());
        const std::vector<ClassRange> before = classifier.graph.classList();
        classifier.owner.methods[static_cast<std::size_t>(c.method)]->setChecked(true);
        classifier.owner.furiwake->setEditText(QString::fromLatin1(c.count));
        EXPECT_ANY_THROW(classifier.run());
        ASSERT_EQ(classifier.graph.classList().size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(classifier.graph.classList()[i].Ijyou, before[i].Ijyou);
            EXPECT_EQ(classifier.graph.classList()[i].Miman, before[i].Miman);
        }
    }
}

TEST(Classification, RepairWidensEmptyClassesUntilMax)
{
    // Method 0 with max 0.25: [0, 0.1), [0.1, 0.2), and [0.2, 0.2) stays, as
    // 0.3 would pass max.
    Classifier c({0, 0.05, 0.1, 0.25}, Zokusei, QStringLiteral("3"));
    ASSERT_TRUE(c.run());
    c.expectClasses({{0, 0.1}, {0.1, 0.2}, {0.2, 0.2}});
    EXPECT_EQ(c.counts(), (std::vector<double>{2, 1, 0}));
}

TEST(Classification, ColoursComeFromTheGradationUnlessChangedByHand)
{
    Classifier c(range(1, 16), TouKankaku, QStringLiteral("8"));
    c.gradation.cmbGradient()->setCurrentIndex(3);
    ASSERT_TRUE(c.run());
    const std::int32_t percents[] = {12, 25, 38, 50, 62, 75, 88, 100};
    for (int i = 0; i < 8; ++i) {
        std::int32_t p = percents[i];
        EXPECT_EQ(c.graph.classColors()[static_cast<std::size_t>(i)], c.gradation.Color(p)) << i;
    }
    EXPECT_NE(c.graph.classColors()[0], c.graph.classColors()[7]);
    for (int i = 0; i < 8; ++i)
        c.legend.AddSegment(0, QStringLiteral("0/0/0"), 0);
    c.graph.ChangeColor(0, 0x123456);
    c.gradation.cmbGradient()->setCurrentIndex(5);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(c.graph.classColors()[0], 0x123456);
}

TEST(Classification, BoundsFromTheLegendAndKeptBounds)
{
    Classifier c(range(0, 100), TouKankaku, QStringLiteral("2"));
    ASSERT_TRUE(c.run());
    c.legend.Clear();
    c.legend.AddSegment(0, QStringLiteral("0/30/0"), 0);
    c.legend.AddSegment(0, QStringLiteral("30/100/0"), 0);
    c.legend.ShowLegend();
    ASSERT_TRUE(c.run(QStringLiteral("2")));
    c.expectClasses({{0, 30}, {30, 100}});
    EXPECT_EQ(c.counts(), (std::vector<double>{30, 71}));
    c.graph.InputDataSet(0, QStringLiteral("0"), QStringLiteral("40"));
    ASSERT_TRUE(c.run(QStringLiteral("0")));
    c.expectClasses({{0, 40}, {40, 100}});
    EXPECT_EQ(c.counts(), (std::vector<double>{40, 61}));
}

TEST(Classification, InputDataSetStoresNothingForATextThatIsNotANumber)
{
    Classifier c(range(0, 100), TouKankaku, QStringLiteral("4"));
    ASSERT_TRUE(c.run());
    EXPECT_THROW(c.graph.InputDataSet(1, QStringLiteral("30"), QStringLiteral("abc")), veltra::vb::TypeMismatch);
    c.expectClasses({{0, 25}, {25, 50}, {50, 75}, {75, 100}});
    c.graph.InputDataSet(3, QStringLiteral("70"), QStringLiteral("1,000"));
    c.expectClasses({{0, 25}, {25, 50}, {50, 75}, {70, 1000}});
}

TEST(Classification, HandlePositionsAndMovedHandles)
{
    Classifier c(range(0, 100), TouKankaku, QStringLiteral("4"));
    ASSERT_TRUE(c.run());
    c.owner.loadSliders(4);
    c.owner.bar->setGeometry(60, 200, 300, 4);
    c.owner.sliders[0]->resize(8, 16);
    const double left = veltra::ui::pixelsToTwipsX(60);
    const double width = veltra::ui::pixelsToTwipsX(360) - left;
    const double halfHandle = veltra::ui::pixelsToTwipsX(8) / 2;
    EXPECT_DOUBLE_EQ(c.graph.getSliderIchi(50), 0.5 * width + left - halfHandle);
    EXPECT_DOUBLE_EQ(c.graph.getSliderIchi(100), width + left - halfHandle);

    Classifier flat({3, 3}, TouKankaku, QStringLiteral("2"));
    ASSERT_TRUE(flat.run());
    flat.owner.loadSliders(2);
    flat.owner.bar->setGeometry(60, 200, 300, 4);
    flat.owner.sliders[0]->resize(8, 16);
    EXPECT_DOUBLE_EQ(flat.graph.getSliderIchi(3), left - halfHandle);

    struct Case
    {
        const char *name;
        std::int16_t index;
        double position;
        std::vector<std::pair<double, double>> classes;
    };
    const Case cases[] = {
        {"inner handle half-way", 2, 1500, {{0, 25}, {25, 50}, {50, 75}, {75, 100}}},
        {"inner handle on its left limit: r = 1 / 1000", 2, 1000, {{0, 25}, {25, 25.05}, {25.05, 75}, {75, 100}}},
        {"first handle", 0, 1500, {{12.5, 25}, {25, 50}, {50, 75}, {75, 100}}},
        {"handle before the last class", 3, 1500, {{0, 25}, {25, 50}, {50, 75}, {75, 100}}},
        {"last handle", 4, 1250, {{0, 25}, {25, 50}, {50, 75}, {75, 81.25}}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        Classifier moved(range(0, 100), TouKankaku, QStringLiteral("4"));
        ASSERT_TRUE(moved.run());
        moved.graph.SetHani(k.index, k.position, 1000, 2000, 4);
        moved.expectClasses(k.classes);
    }
}

TEST(Classification, LegendMembersNeedALegend)
{
    clsDrawGraph graph;
    EXPECT_FALSE(graph.RangeCheck());
    EXPECT_THROW(graph.BunruiSelect(), veltra::vb::ObjectNotSet);
    ctlLegend legend;
    graph.SetCtlLegend(&legend);
    EXPECT_TRUE(graph.RangeCheck());
    EXPECT_NO_THROW(graph.BunruiSelect());
}

TEST(Classification, ValuesAreCountedThroughTheirText)
{
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> spread(-1e7, 1e7);
    for (int i = 0; i < 5000; ++i) {
        const double v = i % 2 ? spread(rng) : std::round(spread(rng) * 100) / 100 + 0.00005;
        ASSERT_EQ(veltra::graphs::throughText(v), veltra::vb::cDbl(veltra::vb::cStr(v))) << v;
    }
    EXPECT_THROW(veltra::graphs::throughText(std::numeric_limits<double>::infinity()), veltra::vb::TypeMismatch);
}

namespace {

std::vector<double> prefectureTotals()
{
    const QString list = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/etc/R2国勢調査.txt");
    if (!veltra::fs::fileExists(list))
        return {};
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
    }
    return x;
}

} // namespace

TEST(Classification, On2020PrefectureTotalsMatchesThePublishedFigures)
{
    const std::vector<double> totals = prefectureTotals();
    ASSERT_EQ(totals.size(), 47U) << "build the target veltra_default_statistics";

    // Equal interval, k = 5, from 鳥取県 (553,407) to 東京都 (14,047,594).
    Classifier equal(totals, TouKankaku, QStringLiteral("5"));
    ASSERT_TRUE(equal.run());
    const double width = (14047594.0 - 553407.0) / 5;
    EXPECT_EQ(equal.graph.classList()[0].Ijyou, 553407);
    EXPECT_NEAR(equal.graph.classList()[0].Miman - equal.graph.classList()[0].Ijyou, width, 1e-6);
    EXPECT_NEAR(equal.graph.classList()[3].Miman, 553407.0 + 4 * width, 1e-6);
    EXPECT_EQ(equal.graph.classList()[4].Miman, 14047594);

    // Quantile, k = 4: the 13th, 25th and 37th smallest are 宮崎県
    // (1,069,576), 熊本県 (1,738,301) and 茨城県 (2,867,009).
    Classifier quantile(totals, Touryou, QStringLiteral("4"));
    ASSERT_TRUE(quantile.run());
    quantile.expectClasses({{553407, 1069576}, {1069576, 1738301}, {1738301, 2867009}, {2867009, 14047594}});
    EXPECT_EQ(quantile.counts(), (std::vector<double>{12, 12, 12, 11}));

    // Standard deviation, 3 classes: every prefecture is counted once.
    Classifier deviation(totals, Standard, QStringLiteral("3"));
    deviation.owner.furiwake->setCurrentIndex(1);
    ASSERT_TRUE(deviation.run());
    ASSERT_EQ(deviation.graph.GetGradeNum(), 3);
    const std::vector<double> counts = deviation.counts();
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0.0), 47);
    EXPECT_EQ(deviation.graph.classList()[2].Miman, 14047594);
}
