// Classifying the values of a town-block map: 200,000 skewed values (a
// log-normal spread of populations, whole numbers) with every method for 5
// and 9 classes, counting included; and natural breaks next to the plain
// O(k·n²) programme at 5,000 and 20,000 values. Prints the times and the
// speed-up over the plain programme.
#include "fakegraphowner.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/globals.h"
#include "graphs/naturalbreaks.h"
#include "shizenreference.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

std::vector<double> skewedValues(std::size_t n)
{
    std::mt19937_64 rng(2020);
    std::lognormal_distribution<double> spread(6.0, 1.2);
    std::vector<double> x(n);
    for (double &v : x)
        v = std::floor(spread(rng));
    std::sort(x.begin(), x.end());
    return x;
}

const char *methodName(int method)
{
    static const char *names[] = {"attribute", "natural", "quantile", "equal", "stddev"};
    return names[method];
}

// One classification (steps 1 to 5 of a histogram's "1" mode).
void BM_Classify(benchmark::State &state)
{
    const int method = static_cast<int>(state.range(0));
    const int k = static_cast<int>(state.range(1));
    const std::vector<double> x = skewedValues(200000);
    glngGraphKind = GraphKindNuri;
    FakeGraphOwner owner;
    ctlGradation gradation;
    clsDrawGraph graph;
    graph.SetFormName(&owner);
    graph.SetCtlGradation(&gradation);
    for (double v : x)
        graph.AddSegment(v, QString(), 0, 0);
    owner.methods[static_cast<std::size_t>(method)]->setChecked(true);
    for (int i = 2; i <= 9; ++i)
        owner.furiwake->addItem(QString::number(i));
    const double sum = graph.GetSum();
    const double avg = graph.GetAverage(sum);
    const double sd = graph.GetStandard(graph.GetBunsan(sum));
    for (auto _ : state) {
        owner.furiwake->clear();
        for (int i = 2; i <= 9; ++i)
            owner.furiwake->addItem(QString::number(i));
        owner.furiwake->setCurrentIndex(k - 2);
        benchmark::DoNotOptimize(graph.classify(QStringLiteral("1"), avg, sd));
    }
    state.SetLabel(methodName(method));
}
BENCHMARK(BM_Classify)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {5, 9}})
    ->Unit(benchmark::kMillisecond);

void BM_NaturalBreaksTable(benchmark::State &state)
{
    const std::vector<double> x = skewedValues(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(veltra::graphs::naturalBreaks(x, static_cast<std::int32_t>(state.range(1))));
}
BENCHMARK(BM_NaturalBreaksTable)
    ->Args({5000, 5})
    ->Args({20000, 5})
    ->Args({200000, 5})
    ->Args({200000, 9})
    ->Unit(benchmark::kMillisecond);

void BM_NaturalBreaksPlainProgramme(benchmark::State &state)
{
    const std::vector<double> x = skewedValues(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(veltra::graphs::reference::shizenLow(x, static_cast<std::int32_t>(state.range(1))));
}
BENCHMARK(BM_NaturalBreaksPlainProgramme)
    ->Args({5000, 5})
    ->Args({20000, 5})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

template<typename F>
double seconds(F &&f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printRatios()
{
    std::printf("\nnatural breaks, k = 5: plain programme vs table\n");
    for (std::size_t n : {5000U, 20000U}) {
        const std::vector<double> x = skewedValues(n);
        const double plain = seconds([&] { benchmark::DoNotOptimize(veltra::graphs::reference::shizenLow(x, 5)); });
        double fast = 1e9;
        for (int i = 0; i < 5; ++i)
            fast = std::min(fast, seconds([&] { benchmark::DoNotOptimize(veltra::graphs::naturalBreaks(x, 5)); }));
        std::printf("  n = %6zu: plain %9.1f ms, table %7.2f ms, %7.0fx faster\n", n, plain * 1e3, fast * 1e3,
            plain / fast);
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printRatios();
    return 0;
}
