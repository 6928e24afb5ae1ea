// Time of the default-data generation: building the model (outlines and
// synthetic cells) and writing the document, definitions and database.
#include "basemap/basemapmodel.h"
#include "basemap/defaultdatawriter.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace veltra::basemap;

namespace {

struct Sources
{
    std::vector<Prefecture> prefectures;
    std::vector<Municipality> municipalities;
    bool ok = false;
};

const Sources &sources()
{
    static const Sources s = [] {
        Sources r;
        const QString dir = QStringLiteral(VELTRA_DATA_SOURCES) + u'/';
        QString error;
        r.ok = readPrefectures(dir + "prefectures.csv", r.prefectures, &error)
            && readMunicipalities(dir + "municipalities.csv", r.municipalities, &error)
            && attachOutlines(dir + "prefectures_mapdata.geojson", r.prefectures, &error);
        return r;
    }();
    return s;
}

void BM_BuildModel(benchmark::State &state)
{
    if (!sources().ok) {
        state.SkipWithError("cannot read the sources");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(buildBaseMap(sources().prefectures, sources().municipalities));
}
BENCHMARK(BM_BuildModel)->Unit(benchmark::kMillisecond);

void BM_WriteDefaultData(benchmark::State &state)
{
    if (!sources().ok) {
        state.SkipWithError("cannot read the sources");
        return;
    }
    const BaseMapModel model = buildBaseMap(sources().prefectures, sources().municipalities);
    QTemporaryDir dir;
    for (auto _ : state) {
        QString error;
        if (!writeDefaultData(model, dir.filePath("default"), &error))
            state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_WriteDefaultData)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
