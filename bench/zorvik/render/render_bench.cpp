// Speed of a full map redraw into a 1920 x 1080 image at national, regional
// (1:500,000) and city (1:25,000) scale, next to a bare loop that draws the
// same visible polylines, already in device pixels and unmerged, with
// QPainter::drawPolyline and the same pen.
//
// Two documents are built once per run in a temporary folder:
//   - "municipal": 2,000 adjoining polygons of 500 points (1,000,000 vertices),
//     the size of a national municipality map;
//   - "store": ZORVIK_BENCH_ELEMENTS polygons (default 250,000) of 40 to 200
//     points spread over Japan's extent, as in the core benchmark.
// The generated default map, when it has been built, adds two views with its
// place names: the start view (1:10,000,000) and 1:500,000 around Osaka.
// At the end the medians and the ratios to the bare loop are printed
// (--summary_only as the last argument prints only those).
#include "zorvik/core/document.h"
#include "zorvik/core/engine.h"
#include "zorvik/core/geo.h"
#include "zorvik/render/renderer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>

namespace {

using namespace zorvik;

const QSize Screen(1920, 1080);
constexpr std::int16_t Kind = 1;

struct Map
{
    QTemporaryDir dir;
    std::shared_ptr<Document> doc;
    WorldBox extent;
    std::int64_t vertices = 0;
};

std::map<std::string, std::unique_ptr<Map>> g_maps;

// Polygon around (cx, cy) with n points, radius in world units.
ElementRecord polygon(std::mt19937 &rng, double cx, double cy, int n, double rx, double ry, double jitter)
{
    std::uniform_real_distribution<double> wobble(1 - jitter, 1 + jitter);
    ElementRecord r;
    r.Type = TypeVector;
    r.iPra = {0, 0, Kind};
    r.lPra = {0, 0, DayUndecided, DayUndecided, 0, 0};
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double w = wobble(rng);
        r.X.push_back(static_cast<std::int32_t>(cx + rx * w * std::cos(a)));
        r.Y.push_back(static_cast<std::int32_t>(cy + ry * w * std::sin(a)));
    }
    r.X.push_back(r.X.front());
    r.Y.push_back(r.Y.front());
    r.PNum = static_cast<std::int32_t>(r.X.size());
    return r;
}

std::unique_ptr<Map> build(bool municipal)
{
    auto map = std::make_unique<Map>();
    const QString zor = map->dir.filePath(QStringLiteral("Bench.zor"));
    NewDocument options;
    options.defDataDir = QStringLiteral("Def\\");
    if (Document::create(zor, options) != code::Ok)
        std::abort();
    Engine e;
    e.setDocumentPath(zor);
    if (e.InitializeMap(0) != code::Ok)
        std::abort();
    e.AddSpace(1, QStringLiteral("area"), QStringLiteral("F"));
    e.AddVectorKind(Kind, QStringLiteral("boundary"));
    e.AddVectorKindToSpace(1, Kind);
    Style6 style;
    style.n = {0, 0, 1, 0, 3, 0};
    e.SetVectorDispInfo(Kind, 1, 1, style);
    e.SaveDefFile();

    std::mt19937 rng(7);
    // Japan's extent: 129..146 E, 31..45.5 N.
    const double x0 = geo::worldX(129), x1 = geo::worldX(146), y0 = geo::worldY(31), y1 = geo::worldY(45.5);
    int count = 250000;
    if (const char *n = std::getenv("ZORVIK_BENCH_ELEMENTS"))
        count = std::max(1000, std::atoi(n));
    const int batch = 5000;
    Handle set = 0;
    auto flush = [&](bool last) {
        if (set && (last || e.sets().find(set)->liveCount() >= static_cast<std::size_t>(batch))) {
            if (e.AddElements(set) != code::Ok)
                std::abort();
            e.ReleaseElements(set);
            set = 0;
        }
    };
    if (municipal) {
        // 50 x 40 cells, each a polygon of 500 points filling its cell.
        const int cols = 50, rows = 40;
        const double cw = (x1 - x0) / cols, ch = (y1 - y0) / rows;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                if (!set)
                    e.CreateElementList(set);
                e.AddElementToList(set,
                    polygon(rng, x0 + (c + 0.5) * cw, y0 + (r + 0.5) * ch, 499, cw * 0.5, ch * 0.5, 0.04));
                map->vertices += 500;
                flush(false);
            }
    } else {
        std::uniform_real_distribution<double> ux(x0, x1), uy(y0, y1);
        std::uniform_int_distribution<int> points(40, 200);
        std::uniform_real_distribution<double> radius(300, 2500);
        for (int i = 0; i < count; ++i) {
            if (!set)
                e.CreateElementList(set);
            const int n = points(rng);
            const double rad = radius(rng);
            e.AddElementToList(set, polygon(rng, ux(rng), uy(rng), n - 1, rad, rad, 0.3));
            map->vertices += n;
            flush(false);
        }
    }
    flush(true);
    if (e.SaveMap() != code::Ok)
        std::abort();
    e.CloseMap();
    Result r = 0;
    map->doc = Document::open(zor, r);
    if (!map->doc)
        std::abort();
    map->extent = map->doc->extent();
    return map;
}

std::unique_ptr<Map> openDefault()
{
    auto map = std::make_unique<Map>();
    Result r = 0;
    map->doc = Document::open(QStringLiteral(VELTRA_DEFAULT_DATA "/Veltra.zor"), r);
    if (map->doc)
        map->extent = map->doc->extent();
    return map;
}

Map &mapNamed(const std::string &name)
{
    auto &slot = g_maps[name];
    if (!slot)
        slot = name == "default" ? openDefault() : build(name == "municipal");
    return *slot;
}

bool available(const Map &map)
{
    return map.doc != nullptr;
}

ViewTransform viewFor(const Map &map, double scale, double x = 0, double y = 0)
{
    const double cx = x ? x : (map.extent.minX + map.extent.maxX) / 2.0;
    const double cy = y ? y : (map.extent.minY + map.extent.maxY) / 2.0;
    ViewTransform v(cx, cy, 25000, 0, Screen, 96);
    if (scale <= 0) // national: the whole extent
        return v.withScale(
            v.scaleToFit(map.extent.maxX - map.extent.minX, map.extent.maxY - map.extent.minY));
    return v.withScale(scale);
}

double renderOnce(const Map &map, const ViewTransform &view, QImage &image)
{
    RenderInput input;
    input.document = map.doc.get();
    const auto start = std::chrono::steady_clock::now();
    image.fill(Qt::white);
    QPainter painter(&image);
    Renderer().render(painter, view, input);
    painter.end();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The visible polylines in device pixels, every vertex kept.
std::vector<QPolygonF> visibleLines(const Map &map, const ViewTransform &view)
{
    std::vector<QPolygonF> lines;
    map.doc->forEachInBox(view.visibleBox(), [&](const StoredElement &e) {
        QPolygonF line;
        line.reserve(e.pointCount);
        for (int i = 0; i < e.pointCount; ++i)
            line << view.worldToDevice(e.x(i), e.y(i));
        lines.push_back(std::move(line));
        return true;
    });
    return lines;
}

double bareOnce(const std::vector<QPolygonF> &lines, QImage &image)
{
    const auto start = std::chrono::steady_clock::now();
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygonF &line : lines)
        painter.drawPolyline(line);
    painter.end();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Case
{
    const char *map;
    const char *name;
    double scale; // 0 = national
    double x = 0, y = 0; // view centre; 0 = the extent's centre
};
const Case Cases[] = {{"municipal", "national", 0}, {"municipal", "regional 1:500,000", 500000},
    {"municipal", "city 1:25,000", 25000}, {"store", "national", 0}, {"store", "regional 1:500,000", 500000},
    {"store", "city 1:25,000", 25000}, {"default", "start 1:10,000,000", 10000000, 5904000, 5040000},
    {"default", "Osaka 1:500,000", 500000, 4860000, 3848400}};

void BM_Render(benchmark::State &state)
{
    const Case &c = Cases[state.range(0)];
    const Map &map = mapNamed(c.map);
    if (!available(map)) {
        state.SkipWithError("the default map is not built");
        return;
    }
    const ViewTransform view = viewFor(map, c.scale, c.x, c.y);
    QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderOnce(map, view, image));
    state.SetLabel(std::string(c.map) + " " + c.name);
}

void BM_BareLoop(benchmark::State &state)
{
    const Case &c = Cases[state.range(0)];
    const Map &map = mapNamed(c.map);
    if (!available(map)) {
        state.SkipWithError("the default map is not built");
        return;
    }
    const auto lines = visibleLines(map, viewFor(map, c.scale, c.x, c.y));
    QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        benchmark::DoNotOptimize(bareOnce(lines, image));
    state.SetLabel(std::string(c.map) + " " + c.name);
}

BENCHMARK(BM_Render)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareLoop)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void summary()
{
    std::printf("\nFull redraw into %dx%d, median of 9 (ms):\n", Screen.width(), Screen.height());
    std::printf("%-10s %-20s %10s %10s %8s %10s %12s\n", "map", "view", "render", "bare", "ratio", "elements",
        "scale");
    for (const Case &c : Cases) {
        const Map &map = mapNamed(c.map);
        if (!available(map)) {
            std::printf("%-10s %-20s (not built)\n", c.map, c.name);
            continue;
        }
        const ViewTransform view = viewFor(map, c.scale, c.x, c.y);
        const auto lines = visibleLines(map, view);
        QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
        std::vector<double> render, bare;
        for (int i = 0; i < 9; ++i) {
            render.push_back(renderOnce(map, view, image));
            bare.push_back(bareOnce(lines, image));
        }
        const double r = median(render), b = median(bare);
        std::printf("%-10s %-20s %10.2f %10.2f %8.2f %10zu %12.0f\n", c.map, c.name, r, b, r / b,
            lines.size(), view.scale());
    }
    // Where the time of the national municipal redraw goes.
    {
        const Map &map = mapNamed("municipal");
        const ViewTransform view = viewFor(map, 0);
        RenderInput input;
        input.document = map.doc.get();
        QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
        LayerTimes sum{};
        const int runs = 9;
        for (int i = 0; i < runs; ++i) {
            LayerTimes times;
            QPainter painter(&image);
            Renderer().render(painter, view, input, LayerSlot::Background, LayerSlot::SetDrawings, &times);
            for (std::size_t k = 0; k < sum.size(); ++k)
                sum[k] += times[k];
        }
        const char *names[]
            = {"background", "rasters", "choropleth", "base map (walk + draw)", "statistics", "set drawings"};
        std::printf("\nMunicipal national, mean per layer (ms):\n");
        for (std::size_t k = 0; k < sum.size(); ++k)
            std::printf("  %-24s %8.2f\n", names[k], sum[k] / runs);
    }
    for (const auto &[name, map] : g_maps)
        if (map->vertices)
            std::printf("%s: %lld vertices\n", name.c_str(), static_cast<long long>(map->vertices));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // --summary_only: just the table of medians and ratios.
    const bool summaryOnly = argc > 1 && std::string(argv[argc - 1]) == "--summary_only";
    if (summaryOnly)
        --argc;
    benchmark::Initialize(&argc, argv);
    if (!summaryOnly)
        benchmark::RunSpecifiedBenchmarks();
    summary();
    benchmark::Shutdown();
    g_maps.clear(); // documents close before the engine's own statics go
    return 0;
}
