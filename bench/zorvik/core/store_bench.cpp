// Speed of the engine core on a large document: opening it, point searches
// (modes 0 and 3 at 1:25,000) against a bare SQLite R*Tree query with the
// same exact test, a search by kind, and entering 10,000 elements plus save.
//
// The document holds ZORVIK_BENCH_ELEMENTS polygons (default 250,000) of 40 to
// 200 points spread over Japan's extent, built once per run in a temporary
// folder. At the end the figures and the ratios to the bare queries are printed.
#include "zorvik/core/document.h"
#include "zorvik/core/engine.h"
#include "zorvik/core/geo.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <sqlite3.h>

namespace {

using namespace zorvik;

constexpr int KindCount = 20;
constexpr int PointSamples = 2000;

struct Fixture
{
    QTemporaryDir dir;
    QString zor;
    int elements = 250000;
    std::vector<std::pair<std::int32_t, std::int32_t>> nearPoints; // next to an edge
    std::vector<std::pair<std::int32_t, std::int32_t>> insidePoints; // polygon centres
    double tolerance = 0; // world units of 10 px at 1:25,000
    double buildSeconds = 0;
};

Fixture *g_fixture = nullptr;

// A star-shaped closed polygon of n points around (cx, cy).
ElementRecord polygon(std::mt19937 &rng, std::int32_t cx, std::int32_t cy, int n, std::int16_t kind)
{
    std::uniform_real_distribution<double> radius(300, 2500);
    ElementRecord r;
    r.Type = TypeVector;
    r.PNum = n + 1;
    r.iPra = {0, 0, kind};
    r.lPra = {0, 0, DayUndecided, DayUndecided, 0, 0};
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double rad = radius(rng);
        r.X.push_back(cx + static_cast<std::int32_t>(rad * std::cos(a)));
        r.Y.push_back(cy + static_cast<std::int32_t>(rad * std::sin(a)));
    }
    r.X.push_back(r.X.front());
    r.Y.push_back(r.Y.front());
    r.Key = QStringLiteral("%1,0").arg(cx);
    return r;
}

void build(Fixture &f)
{
    const auto start = std::chrono::steady_clock::now();
    if (const char *n = std::getenv("ZORVIK_BENCH_ELEMENTS"))
        f.elements = std::max(1000, std::atoi(n));
    f.zor = f.dir.filePath(QStringLiteral("Bench.zor"));
    NewDocument options;
    options.defDataDir = QStringLiteral("Def\\");
    if (Document::create(f.zor, options) != code::Ok)
        std::abort();
    {
        Engine e;
        e.setDocumentPath(f.zor);
        if (e.InitializeMap(0) != code::Ok)
            std::abort();
        e.AddSpace(1, QStringLiteral("area"), QStringLiteral("F"));
        for (std::int16_t k = 1; k <= KindCount; ++k) {
            e.AddVectorKind(k, QStringLiteral("kind %1").arg(k));
            e.AddVectorKindToSpace(1, k);
        }
        e.SaveDefFile();
    }
    // Elements straight into the store, in batches (the engine's own save path).
    ElementStore store;
    if (!store.open(f.dir.filePath(QStringLiteral("Bench.zdb")), false))
        std::abort();
    std::mt19937 rng(2026);
    // Japan's extent: 122°-154° E, 24°-46° N.
    std::uniform_int_distribution<std::int32_t> xs(0, static_cast<std::int32_t>(geo::worldX(154.0)));
    std::uniform_int_distribution<std::int32_t> ys(0, static_cast<std::int32_t>(geo::worldY(46.0)));
    std::uniform_int_distribution<int> points(40, 200);
    std::int64_t id = 1;
    const int batch = 10000;
    for (int done = 0; done < f.elements; done += batch) {
        std::vector<ElementRecord> records;
        for (int i = 0; i < std::min(batch, f.elements - done); ++i) {
            records.push_back(
                polygon(rng, xs(rng), ys(rng), points(rng), std::int16_t(1 + (done + i) % KindCount)));
            if (f.insidePoints.size() < PointSamples && (done + i) % 97 == 0) {
                const ElementRecord &r = records.back();
                f.insidePoints.emplace_back((r.X[0] + r.X[r.PNum / 2]) / 2, (r.Y[0] + r.Y[r.PNum / 2]) / 2);
                f.nearPoints.emplace_back(r.X[3] + 40, r.Y[3] - 40);
            }
        }
        ElementStore::Changes changes;
        for (const ElementRecord &r : records)
            changes.inserts.emplace_back(id++, &r);
        if (!store.apply(changes))
            std::abort();
    }
    f.tolerance = 10 * 0.0254 / 96 * 25000 / geo::metresPerUnitY(36.0);
    f.buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Engine &openEngine()
{
    static Engine *engine = nullptr;
    if (!engine) {
        engine = new Engine;
        engine->setDocumentPath(g_fixture->zor);
        if (engine->InitializeMap(0) != code::Ok)
            std::abort();
        engine->setRecognizeLength(10);
        engine->setRecognizeElementType(3);
    }
    return *engine;
}

void BM_InitializeMap(benchmark::State &state)
{
    for (auto _ : state) {
        Engine e;
        e.setDocumentPath(g_fixture->zor);
        if (e.InitializeMap(0) != code::Ok)
            state.SkipWithError("open failed");
        e.CloseMap();
    }
}

void BM_SearchElementsMode(benchmark::State &state)
{
    Engine &e = openEngine();
    ViewMetrics view;
    view.scale = 25000;
    view.centerY = static_cast<std::int32_t>(geo::worldY(36.0));
    const int mode = static_cast<int>(state.range(0));
    const auto &points = mode == 0 ? g_fixture->nearPoints : g_fixture->insidePoints;
    std::size_t i = 0;
    std::int64_t found = 0;
    for (auto _ : state) {
        const auto [x, y] = points[i++ % points.size()];
        Handle set = 0;
        std::int32_t a = 0, b = 0, c = 0;
        e.SearchElements(mode, x, y, set, a, b, c, view);
        found += a;
        e.ReleaseElements(set);
    }
    state.counters["found/search"] = double(found) / std::max<std::int64_t>(1, state.iterations());
}

// --- the bare baseline: one R*Tree query and the exact test, nothing else.

double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay, l = dx * dx + dy * dy;
    double t = l > 0 ? ((px - ax) * dx + (py - ay) * dy) / l : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(ax + t * dx - px, ay + t * dy - py);
}

void BM_BareQuery(benchmark::State &state)
{
    const int mode = static_cast<int>(state.range(0));
    sqlite3 *db = nullptr;
    sqlite3_open_v2(g_fixture->dir.filePath(QStringLiteral("Bench.zdb")).toUtf8().constData(), &db,
        SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db,
        "SELECT e.id, e.npts, e.pts FROM element_rtree r CROSS JOIN element e ON e.id = r.id "
        "WHERE r.minx <= ?2 AND r.maxx >= ?1 AND r.miny <= ?4 AND r.maxy >= ?3",
        -1, &st, nullptr);
    const auto &points = mode == 0 ? g_fixture->nearPoints : g_fixture->insidePoints;
    const double tol = mode == 0 ? g_fixture->tolerance : 0;
    std::size_t i = 0;
    std::int64_t found = 0;
    std::vector<std::int32_t> pts;
    for (auto _ : state) {
        const auto [x, y] = points[i++ % points.size()];
        const std::int32_t t = static_cast<std::int32_t>(std::ceil(tol));
        sqlite3_bind_int(st, 1, x - t);
        sqlite3_bind_int(st, 2, x + t);
        sqlite3_bind_int(st, 3, y - t);
        sqlite3_bind_int(st, 4, y + t);
        std::vector<std::int64_t> hits;
        while (sqlite3_step(st) == SQLITE_ROW) {
            const int n = sqlite3_column_int(st, 1);
            pts.resize(2 * n);
            std::memcpy(pts.data(), sqlite3_column_blob(st, 2), 8 * n);
            bool hit = false;
            if (mode == 0) {
                for (int k = 1; k < n && !hit; ++k)
                    hit = segmentDistance(x, y, pts[2 * k - 2], pts[2 * k - 1], pts[2 * k], pts[2 * k + 1])
                        <= tol;
            } else {
                for (int k = 0, j = n - 1; k < n; j = k++) {
                    const double xi = pts[2 * k], yi = pts[2 * k + 1], xj = pts[2 * j], yj = pts[2 * j + 1];
                    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                        hit = !hit;
                }
            }
            if (hit)
                hits.push_back(sqlite3_column_int64(st, 0));
        }
        sqlite3_reset(st);
        found += static_cast<std::int64_t>(hits.size());
        benchmark::DoNotOptimize(hits.data());
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    state.counters["found/search"] = double(found) / std::max<std::int64_t>(1, state.iterations());
}

void BM_SearchElementsByKind(benchmark::State &state)
{
    Engine &e = openEngine();
    std::int64_t found = 0;
    for (auto _ : state) {
        Handle set = 0;
        std::int32_t v = 0, c = 0;
        e.SearchElementsByKind(1, {7}, 0, {}, set, v, c);
        found = v;
        e.ReleaseElements(set);
    }
    state.counters["found"] = double(found);
}

void BM_AddElements10kAndSave(benchmark::State &state)
{
    Engine &e = openEngine();
    std::mt19937 rng(99);
    std::uniform_int_distribution<std::int32_t> xs(0, 11000000), ys(0, 7900000);
    std::uniform_int_distribution<int> points(40, 200);
    for (auto _ : state) {
        state.PauseTiming();
        Handle set = 0;
        e.CreateElementList(set);
        for (int i = 0; i < 10000; ++i)
            e.AddElementToList(set, polygon(rng, xs(rng), ys(rng), points(rng), 3));
        state.ResumeTiming();
        if (e.AddElements(set) != code::Ok || e.SaveMap() != code::Ok)
            state.SkipWithError("add or save failed");
        state.PauseTiming();
        e.ReleaseElements(set);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_InitializeMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchElementsMode)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareQuery)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchElementsByKind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddElements10kAndSave)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps the real time per iteration of each run, for the ratios.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> nsPerIteration;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            nsPerIteration[r.benchmark_name()] = r.GetAdjustedRealTime()
                * (r.time_unit == benchmark::kMillisecond        ? 1e6
                        : r.time_unit == benchmark::kMicrosecond ? 1e3
                                                                 : 1.0);
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    build(fixture);
    std::printf("Store of %d polygons (40-200 points) built in %.1f s; search tolerance %.0f world units\n",
        fixture.elements, fixture.buildSeconds, fixture.tolerance);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char *ours, const char *bare) {
        const auto a = reporter.nsPerIteration.find(ours), b = reporter.nsPerIteration.find(bare);
        if (a != reporter.nsPerIteration.end() && b != reporter.nsPerIteration.end() && b->second > 0)
            std::printf("%-28s / %-18s = %.2f (goal <= 2)\n", ours, bare, a->second / b->second);
    };
    ratio("BM_SearchElementsMode/0", "BM_BareQuery/0");
    ratio("BM_SearchElementsMode/3", "BM_BareQuery/3");
    benchmark::Shutdown();
    return 0;
}
