// The choropleth of every municipality of the default data (the 2020 totals,
// 1,916 lines) drawn end to end: from the call to one rendered 1920 x 1080
// frame. The document and the point tables are written in the set-up by the
// generator's library (writeDefaultData), as the build writes the default
// data folder. Three cases:
//   Cold     the outline cache empty: every area searched in the engine;
//   Cached   a second analysis of the same run, from the cache through the
//            run's index;
//   Literal  the same, each area looked up by reading its NN.csv whole.
// The legend pop-up is shown and captured by every drawing; PopUp times it
// alone so that it can be taken off the figures above.
// Goals: Cold under 200 ms without the pop-up; Cached faster than Cold and
// at least 5x faster than Literal.
#include "basemap/basemapmodel.h"
#include "basemap/defaultdatawriter.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/areacache.h"
#include "statrender/choroplethmap.h"
#include "statrender/drawfromfiles.h"
#include "statrender/frmpsyhanreinuri2.h"
#include "statrender/globals.h"
#include "statrender/legendcapture.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

const QSize kFrame(1920, 1080);

// The generated default data, an engine on its document and the analysis.
struct Setup
{
    QTemporaryDir dir;
    std::unique_ptr<frmMain> frame;
    std::unique_ptr<zorvik::Zorvik> map;
    std::vector<QString> header;
    std::vector<QString> data;
    QString error;
};

// Classes of 0-10,000, 10,000-50,000, 50,000-200,000 and 200,000-4,000,000.
std::vector<QString> analysisHeader()
{
    return {QString(), QStringLiteral("H1,0,0,0,0,\"\",\"\",tempdata000.dat"),
        QStringLiteral("H2,1,13,101,0,1,1,1,1,0,0"), QStringLiteral("H3,\"総人口\",\"\",1,,\"\",4,1"),
        QStringLiteral("H4,1,16773344,0,10000,\"\""), QStringLiteral("H4,2,16761984,10000,50000,\"\""),
        QStringLiteral("H4,3,15761456,50000,200000,\"\""), QStringLiteral("H4,4,11542544,200000,4000000,\"\""),
        QStringLiteral("H5,\"総人口\",255,\"20201001\",\"\"")};
}

Setup &setup()
{
    static Setup *const s = [] {
        auto *out = new Setup;
        using namespace veltra::basemap;
        const QString sources = QStringLiteral(VELTRA_DATA_SOURCES) + u'/';
        std::vector<Prefecture> prefectures;
        std::vector<Municipality> municipalities;
        if (!readPrefectures(sources + "prefectures.csv", prefectures, &out->error)
            || !readMunicipalities(sources + "municipalities.csv", municipalities, &out->error)
            || !attachOutlines(sources + "prefectures_mapdata.geojson", prefectures, &out->error))
            return out;
        const QString root = out->dir.filePath(QStringLiteral("default"));
        if (!writeDefaultData(buildBaseMap(prefectures, municipalities), root, &out->error))
            return out;
        gstrDataPath = root + "/VeltraData/";

        QFile census(sources + "census/muni_population_2020.csv");
        if (!census.open(QIODevice::ReadOnly)) {
            out->error = census.fileName() + " does not open";
            return out;
        }
        census.readLine();
        out->data.emplace_back();
        while (!census.atEnd()) {
            const QStringList f = QString::fromUtf8(census.readLine()).trimmed().split(u',');
            const QString code = f.value(0);
            out->data.push_back(QStringLiteral("1,0,0,0,0,%1,%2,0,0,\"%3\",%4")
                                    .arg(code.left(2).toInt())
                                    .arg(code.mid(2).toInt())
                                    .arg(f.value(2), f.value(5)));
        }
        out->header = analysisHeader();

        out->frame = std::make_unique<frmMain>();
        gfrmMain = out->frame.get();
        out->map = std::make_unique<zorvik::Zorvik>();
        out->map->resize(kFrame);
        out->map->setDocumentPath(root + "/Veltra.zor");
        if (out->map->InitializeMap(0) != 0) {
            out->error = out->map->lastError();
            return out;
        }
        out->map->InitDisplay();
        out->map->ShowAll();
        gobjZor = out->map.get();
        gintMapInit = 1;
        return out;
    }();
    return *s;
}

bool ready(benchmark::State &state)
{
    if (!setup().error.isEmpty() || !setup().map) {
        state.SkipWithError(qPrintable(setup().error));
        return false;
    }
    return true;
}

// Takes the previous analysis off the map, as clearing the statistics map
// does, so that every frame holds one choropleth.
void eraseDrawings()
{
    for (std::size_t i = 1; i < glngNuriDrawIds.size(); ++i)
        setup().map->EraseElements(glngNuriDrawIds[i]);
    glngNuriDrawIds.assign(1, 0);
}

// The rendering's share of the last drawAndRender, in seconds.
double gRenderSeconds = 0;

// One analysis drawn and rendered; its time in seconds.
double drawAndRender(benchmark::State &state)
{
    Setup &s = setup();
    std::int16_t level = 0;
    std::int32_t spare = 0;
    QElapsedTimer timer;
    timer.start();
    const bool drawn = ComPSY::DrawChoroplethMap(s.map.get(), s.header, s.data, level, spare);
    const qint64 drawnAt = timer.nsecsElapsed();
    const QImage frame = s.map->RenderToImage(kFrame);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
    gRenderSeconds = seconds - static_cast<double>(drawnAt) * 1e-9;
    if (!drawn || frame.isNull())
        state.SkipWithError("the choropleth was not drawn");
    benchmark::DoNotOptimize(frame.constBits());
    return seconds;
}

void setCounters(benchmark::State &state)
{
    state.counters["polygons"] = ComPSY::ChoroplethPolygons().lngPolyCount;
}

void BM_ChoroplethCold(benchmark::State &state)
{
    if (!ready(state))
        return;
    veltra::statrender::choroplethSettings() = {};
    double render = 0;
    for (auto _ : state) {
        ComPSY::DeletePrefAreaCache();
        eraseDrawings();
        state.SetIterationTime(drawAndRender(state));
        render += gRenderSeconds;
    }
    setCounters(state);
    state.counters["render_ms"] = benchmark::Counter(render * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ChoroplethCold)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// A second analysis of the same run: the first one (untimed) filled the cache.
void cachedRun(benchmark::State &state, bool literal)
{
    if (!ready(state))
        return;
    veltra::statrender::choroplethSettings() = {};
    ComPSY::DeletePrefAreaCache();
    eraseDrawings();
    drawAndRender(state);
    veltra::statrender::choroplethSettings().literalCacheLookup = literal;
    int searches = 0;
    veltra::statrender::choroplethSettings().search = [&searches](zorvik::Zorvik *engine, std::int16_t space,
                                                          const std::vector<ElementInfo> &records,
                                                          std::vector<ElementInfo> &outlines) {
        ++searches;
        return ComModule::CollectAreaPolygons(engine, space, records, outlines);
    };
    double render = 0;
    for (auto _ : state) {
        eraseDrawings();
        state.SetIterationTime(drawAndRender(state));
        render += gRenderSeconds;
    }
    setCounters(state);
    state.counters["render_ms"] = benchmark::Counter(render * 1e3, benchmark::Counter::kAvgIterations);
    // Only the further parts (212.csv, 214.csv) are searched again.
    state.counters["searches"] = benchmark::Counter(searches, benchmark::Counter::kAvgIterations);
    veltra::statrender::choroplethSettings() = {};
    ComPSY::DeletePrefAreaCache();
}

void BM_ChoroplethCached(benchmark::State &state)
{
    cachedRun(state, false);
}
BENCHMARK(BM_ChoroplethCached)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ChoroplethCachedLiteral(benchmark::State &state)
{
    cachedRun(state, true);
}
BENCHMARK(BM_ChoroplethCachedLiteral)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The legend pop-up alone, shown and captured as each drawing above does.
void BM_ChoroplethPopUp(benchmark::State &state)
{
    if (!ready(state))
        return;
    for (auto _ : state) {
        veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYHanreiNuri2"));
        veltra::statrender::showAndCaptureLegend(
            veltra::ui::form<frmPSYHanreiNuri2>(static_cast<QWidget *>(gfrmMain)));
    }
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYHanreiNuri2"));
}
BENCHMARK(BM_ChoroplethPopUp)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    veltra::ui::WindowRegistry::instance().deleteAll();
    gobjZor = nullptr;
    return 0;
}
