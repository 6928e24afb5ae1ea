// One class histogram (mode "1": sort, statistics, classes, legend rows,
// axis, bars and handles) over 200,000 unsorted town-block values with 9
// classes, by equal interval and by natural breaks, next to a bare std::sort
// of the same values. Prints the times and the ratio to the bare sort.
#include "fakegraphowner.h"
#include "fakeitemselection.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/recordingcanvas.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr std::size_t ValueCount = 200000;
constexpr int EqualInterval = 3;
constexpr int NaturalBreaks = 1;

std::vector<double> unsortedValues()
{
    std::mt19937_64 rng(2020);
    std::lognormal_distribution<double> spread(6.0, 1.2);
    std::vector<double> x(ValueCount);
    for (double &v : x)
        v = std::floor(spread(rng));
    return x;
}

// A graph linked as the statistics map window links it, with 9 classes.
struct HistogramBed
{
    explicit HistogramBed(int method)
    {
        glngGraphKind = GraphKindNuri;
        graph.SetFormName(&owner);
        graph.SetCtlGradation(&gradation);
        graph.SetCtlLegend(&legend);
        graph.SetCtlSelect(&select);
        select.answers[1] = 1;
        owner.methods[static_cast<std::size_t>(method)]->setChecked(true);
        owner.map->resize(400, 300);
        owner.loadSliders(9);
        graph.setAutoRedraw(true);
    }
    void feed(const std::vector<double> &values)
    {
        graph.Clear();
        for (double v : values)
            graph.AddSegment(v, QString(), 0, 0);
        owner.furiwake->clear();
        for (int i = 2; i <= 9; ++i)
            owner.furiwake->addItem(QString::number(i));
        owner.furiwake->setCurrentIndex(9 - 2);
        canvas.clear();
    }
    std::int32_t draw() { return graph.DrawHistogram(&canvas, owner.map, true, QStringLiteral("1"), 0, QString()); }

    FakeGraphOwner owner;
    ctlGradation gradation;
    ctlLegend legend;
    FakeItemSelection select;
    clsDrawGraph graph;
    RecordingCanvas canvas;
};

void BM_Histogram(benchmark::State &state)
{
    const int method = static_cast<int>(state.range(0));
    const std::vector<double> x = unsortedValues();
    HistogramBed bed(method);
    for (auto _ : state) {
        state.PauseTiming();
        bed.feed(x);
        state.ResumeTiming();
        if (bed.draw() != 1)
            state.SkipWithError("the histogram failed");
    }
    state.SetLabel(method == EqualInterval ? "equal interval, 9 classes" : "natural breaks, 9 classes");
}
BENCHMARK(BM_Histogram)->Arg(EqualInterval)->Arg(NaturalBreaks)->Unit(benchmark::kMillisecond);

void BM_BareSort(benchmark::State &state)
{
    const std::vector<double> x = unsortedValues();
    std::vector<double> copy;
    for (auto _ : state) {
        state.PauseTiming();
        copy = x;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_BareSort)->Unit(benchmark::kMillisecond);

template<typename F>
double bestOf(int runs, F &&f)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void printRatios()
{
    const std::vector<double> x = unsortedValues();
    std::vector<double> copy;
    const double sort = bestOf(5, [&] {
        copy = x;
        std::sort(copy.begin(), copy.end());
    });
    std::printf("\n200,000 values, 9 classes (best of 5, copy included in the sort)\n");
    std::printf("  bare std::sort          %8.1f ms\n", sort * 1e3);
    for (int method : {EqualInterval, NaturalBreaks}) {
        HistogramBed bed(method);
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            bed.feed(x);
            best = std::min(best, bestOf(1, [&] { benchmark::DoNotOptimize(bed.draw()); }));
        }
        std::printf("  histogram, %-14s %8.1f ms  (%.1fx the bare sort)\n",
            method == EqualInterval ? "equal" : "natural", best * 1e3, best / sort);
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
    glngGraphKind = 0;
    return 0;
}
