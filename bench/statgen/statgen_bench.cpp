// Time of the default statistics generation: reading and checking the census
// tables, and registering every value table into a fresh data folder.
#include "statgen/censusplan.h"
#include "statgen/censustables.h"
#include "statgen/statregistrar.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace veltra::statgen;

namespace {

void BM_ReadCensusTables(benchmark::State &state)
{
    for (auto _ : state) {
        CensusTables tables;
        QString error;
        if (!readCensusTables(QStringLiteral(VELTRA_CENSUS_SOURCES), tables, &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        benchmark::DoNotOptimize(tables.muniAge2020.rows.size());
    }
}
BENCHMARK(BM_ReadCensusTables)->Unit(benchmark::kMillisecond);

void BM_WriteStatisticsTree(benchmark::State &state)
{
    CensusTables tables;
    std::vector<ValueTable> plan;
    QString error;
    if (!readCensusTables(QStringLiteral(VELTRA_CENSUS_SOURCES), tables, &error)
        || !buildCensusPlan(tables, plan, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state) {
        QTemporaryDir dir;
        if (!writeStatisticsTree(dir.path() + QStringLiteral("/VeltraData"), plan, &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
    }
}
BENCHMARK(BM_WriteStatisticsTree)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
