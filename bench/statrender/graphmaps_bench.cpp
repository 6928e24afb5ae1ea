// Pie and bar graph maps end to end: an analysis pair of 100 areas (the
// default area limit) and of 1,000 areas, absolute values of three items,
// drawn through PSY_DrawFromFiles onto a copy of the generated default map
// document, the legend included; the statistics map is cleared between
// iterations outside the timing. The counter picture_share is the part of
// the drawing spent writing the graph pictures. Goal: 100 areas under 200 ms.
#include "platform/text/text.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statrender/clearstatmap.h"
#include "statrender/drawfromfiles.h"
#include "statrender/graphmapcalls.h"
#include "statrender/renderingregistration.h"
#include "statrender/workfiles.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>

namespace {

QTemporaryDir *gFolder = nullptr;
zorvik::Zorvik *gMap = nullptr;

// One analysis pair of `kind` (2 pie, 3 bar) over `areas` areas spread over
// the map's extent, replacing any pair before it.
void writeAnalysis(int kind, int areas)
{
    const QString db = gFolder->filePath(QStringLiteral("VeltraData/DB/"));
    QDir(db).removeRecursively();
    QDir().mkpath(db);
    QStringList header{QStringLiteral("H1,0,0,2500000,20201001,\"\",\"\",tempdata000.dat"),
        QStringLiteral("H2,1,1,0,0,1,0,%1,1,3,0,0,0").arg(kind), QStringLiteral("H3,\"\",\"\",0,,\"\",0,0"),
        QStringLiteral("H4,0,0,0,0,\"\"")};
    for (const char *name : {"0～14歳", "15～64歳", "65歳以上"})
        header.append(QStringLiteral("H5,\"%1\",255,20201001,20201001").arg(QString::fromUtf8(name)));
    QStringList data;
    for (int i = 0; i < areas; ++i) {
        const int x = 5400000 + (i * 7919) % 2200000;
        const int y = 3300000 + (i * 104729) % 2400000;
        data.append(QStringLiteral("1,%1,%2,0,0,%3,0,0,0,\"地域%4\",%5,%6,%7,%1,%2,%3,0,0")
                        .arg(x)
                        .arg(y)
                        .arg(1 + i % 47)
                        .arg(i + 1)
                        .arg(10000 + i * 37 % 90000)
                        .arg(50000 + i * 53 % 400000)
                        .arg(20000 + i * 29 % 150000));
    }
    if (!veltra::text::writeLines(db + QStringLiteral("tempheader000.hed"), header)
        || !veltra::text::writeLines(db + QStringLiteral("tempdata000.dat"), data))
        std::abort();
}

void BM_GraphMap(benchmark::State &state, int kind)
{
    const int areas = static_cast<int>(state.range(0));
    writeAnalysis(kind, areas);
    auto &calls = veltra::statrender::graphMapCalls();
    const auto realCircle = calls.circle;
    const auto realBar = calls.bar;
    std::chrono::nanoseconds pictures{0};
    auto timed = [&pictures](const auto &call) {
        return [&pictures, call](const VoVuderParam &p, QString *error) {
            const auto start = std::chrono::steady_clock::now();
            const std::int32_t r = call(p, error);
            pictures += std::chrono::steady_clock::now() - start;
            return r;
        };
    };
    calls.circle = timed(realCircle);
    calls.bar = timed(realBar);

    std::chrono::nanoseconds drawing{0};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ComPSY::PSY_DrawFromFiles(gMap);
        drawing += std::chrono::steady_clock::now() - start;
        state.PauseTiming();
        ComPSY::PSY_ClearStatisticsMap(gMap, true);
        ComPSY::DeleteGraphTempFiles();
        state.ResumeTiming();
    }
    calls.circle = realCircle;
    calls.bar = realBar;
    state.counters["picture_share"]
        = drawing.count() ? double(pictures.count()) / double(drawing.count()) : 0;
}

void BM_PieMap(benchmark::State &state)
{
    BM_GraphMap(state, 2);
}
void BM_BarMap(benchmark::State &state)
{
    BM_GraphMap(state, 3);
}
BENCHMARK(BM_PieMap)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BarMap)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The engine is a widget: an application on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    gFolder = &folder;
    const QDir source(QStringLiteral(VELTRA_DEFAULT_DATA));
    QDirIterator files(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = folder.filePath(source.relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target)) {
            fprintf(stderr, "cannot copy %s\n", qPrintable(file));
            return 1;
        }
    }
    veltra::shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
    gstrDataPath = folder.filePath(QStringLiteral("VeltraData/"));
    gstrLimitPie = gstrLimitBar = QStringLiteral("100000");
    zorvik::Zorvik map;
    map.resize(800, 600);
    map.setDocumentPath(folder.filePath(QStringLiteral("Veltra.zor")));
    if (map.InitializeMap(0) != 0) {
        fprintf(stderr, "no map: %s\n", qPrintable(map.lastError()));
        return 1;
    }
    map.InitDisplay();
    map.ShowAll();
    gobjZor = &map;
    gMap = &map;
    gintMapInit = 1;
    veltra::statrender::registerStatisticsRendering();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gobjZor = nullptr;
    return 0;
}
