// Speed of a full map redraw into a 1920 x 1080 image, anti-aliasing on,
// row by row beside a plain QPainter loop over the same merged polylines
// (the runs the renderer draws, in device pixels, with the same pen and
// brush), and beside the renderer's reference drawing (QPainter's own
// stroker, fill and text calls: the picture the control tests compare with).
//
// Documents, built once per run in a temporary folder:
//   - "national 1M": 2,000 adjoining polygons of 500 points (1,000,000
//     vertices), the size of a national municipality map, one name each;
//   - "national 4M": 8,000 such polygons (4,000,000 vertices);
//   - "town blocks": 760 blocks of about 60 points (46,000 vertices) that
//     fill a 1:25,000 view, one name each.
// Rows for the first and the last: lines of 1, 2 and 3 px, dashed 2 px, the
// choropleth fills of every polygon with their 1-px outlines (to set against
// the 1-px lines of the same rings), and the names alone. The generated default map, when it has been built,
// adds its national, 1:500,000 and 1:25,000 views as shipped. At the end the medians of 9 redraws are printed
// as one table with the load average (--summary_only as the last argument prints only that table).
#include "zorvik/core/document.h"
#include "zorvik/core/engine.h"
#include "zorvik/core/geo.h"
#include "zorvik/render/connectorrenderer.h"
#include "zorvik/render/devicepath.h"
#include "zorvik/render/renderer.h"

#include <QFile>
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
constexpr std::int16_t NameKind = 2;

struct Map
{
    QTemporaryDir dir;
    std::shared_ptr<Document> doc;
    WorldBox extent;
    std::int64_t vertices = 0;
    DrawingStore fills; // one choropleth polygon per area
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

ElementRecord name(double x, double y, int i)
{
    ElementRecord r;
    r.Type = TypeConnector;
    r.iPra = {0, 0, NameKind};
    r.lPra = {0, 0, DayUndecided, DayUndecided, 0, 0};
    r.X = {static_cast<std::int32_t>(x)};
    r.Y = {static_cast<std::int32_t>(y)};
    r.PNum = 1;
    static const char *const Stems[] = {"北山", "南川", "東原", "西野", "中島", "大森", "小林", "高田"};
    r.Key = QString::fromUtf8(Stems[i % 8]) + QString::number(i % 97) + QStringLiteral("町");
    return r;
}

// A grid of cols x rows wobbly polygons of `points` points over the box, one name each.
std::unique_ptr<Map> build(int cols, int rows, int points, double x0, double y0, double x1, double y1)
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
    e.AddConnectorKind(NameKind, QStringLiteral("name"), 1, QStringLiteral("STRING.DLL"));
    e.SaveDefFile();

    std::mt19937 rng(7);
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
    const double cw = (x1 - x0) / cols, ch = (y1 - y0) / rows;
    std::vector<ChoroplethPolygon> fills;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            if (!set)
                e.CreateElementList(set);
            const double cx = x0 + (c + 0.5) * cw, cy = y0 + (r + 0.5) * ch;
            ElementRecord area = polygon(rng, cx, cy, points - 1, cw * 0.5, ch * 0.5, 0.04);
            ChoroplethPolygon fill;
            fill.x = area.X;
            fill.y = area.Y;
            fill.colour = QColor::fromHsv((r * cols + c) * 37 % 360, 90, 240);
            fill.box = recordBox(area);
            fills.push_back(std::move(fill));
            e.AddElementToList(set, area);
            e.AddElementToList(set, name(cx, cy, r * cols + c));
            map->vertices += points;
            flush(false);
        }
    flush(true);
    if (e.SaveMap() != code::Ok)
        std::abort();
    e.CloseMap();
    Result result = 0;
    map->doc = Document::open(zor, result);
    if (!map->doc)
        std::abort();
    map->extent = map->doc->extent();
    map->fills.addPolygons(std::move(fills));
    return map;
}

std::unique_ptr<Map> openDefault()
{
    auto map = std::make_unique<Map>();
    const QString zor = QStringLiteral(VELTRA_DEFAULT_DATA "/Veltra.zor");
    if (!QFile::exists(zor))
        return map;
    Result r = 0;
    map->doc = Document::open(zor, r);
    if (map->doc)
        map->extent = map->doc->extent();
    return map;
}

// Japan's extent: 129..146 E, 31..45.5 N; the blocks: 3.5 km x 2.0 km around Osaka.
Map &mapNamed(const std::string &name)
{
    auto &slot = g_maps[name];
    if (!slot) {
        const double x0 = geo::worldX(129), x1 = geo::worldX(146), y0 = geo::worldY(31),
                     y1 = geo::worldY(45.5);
        if (name == "default")
            slot = openDefault();
        else if (name == "national 1M")
            slot = build(50, 40, 500, x0, y0, x1, y1);
        else if (name == "national 4M")
            slot = build(100, 80, 500, x0, y0, x1, y1);
        else {
            const double bx = geo::worldX(135.5), by = geo::worldY(34.69);
            const double w = geo::worldX(135.5 + 0.0372) - bx, h = geo::worldY(34.69 + 0.0172) - by;
            slot = build(38, 20, 61, bx - w / 2, by - h / 2, bx + w / 2, by + h / 2);
        }
    }
    return *slot;
}

enum class Draw { Lines, Fills, Names, Shipped };

struct Case
{
    const char *map;
    const char *name;
    Draw draw;
    int width = 1; // line width in px
    int code = 0; // line type code: 0 solid, 1 dashed
    double scale = 0; // 0 = the whole extent
    double x = 0, y = 0; // view centre; 0 = the extent's centre
};
const Case Cases[] = {
    {"national 1M", "1-px lines", Draw::Lines, 1},
    {"national 1M", "2-px lines", Draw::Lines, 2},
    {"national 1M", "3-px lines", Draw::Lines, 3},
    {"national 1M", "2-px dashed", Draw::Lines, 2, 1},
    {"national 1M", "fills + outlines", Draw::Fills, 1},
    {"national 1M", "names", Draw::Names},
    {"town blocks", "1-px lines", Draw::Lines, 1, 0, 25000},
    {"town blocks", "2-px lines", Draw::Lines, 2, 0, 25000},
    {"town blocks", "3-px lines", Draw::Lines, 3, 0, 25000},
    {"town blocks", "2-px dashed", Draw::Lines, 2, 1, 25000},
    {"town blocks", "fills + outlines", Draw::Fills, 1, 0, 25000},
    {"town blocks", "names", Draw::Names, 1, 0, 25000},
    {"national 4M", "1-px lines", Draw::Lines, 1},
    {"national 4M", "2-px lines", Draw::Lines, 2},
    {"default", "national", Draw::Shipped},
    {"default", "1:500,000 Osaka", Draw::Shipped, 1, 0, 500000, 4860000, 3848400},
    {"default", "1:25,000 Osaka", Draw::Shipped, 1, 0, 25000, 4860000, 3848400},
};
constexpr int CaseCount = static_cast<int>(std::size(Cases));

// Sets the synthetic map's kinds for a row (line type 0 is the boundary's).
void prepare(Map &map, const Case &c)
{
    if (c.draw == Draw::Shipped)
        return;
    Catalog &catalog = map.doc->catalog();
    auto types = catalog.lineTypes();
    types[0].width = c.width;
    types[0].code = c.code;
    catalog.setLineTypes(types);
    // Fills: the choropleth's own outlines against the 1-px lines of the same rings.
    catalog.vectorKind(Kind)->disp = c.draw == Draw::Lines ? 1 : 0;
    catalog.connectorKind(NameKind)->disp = c.draw == Draw::Names ? 1 : 0;
}

ViewTransform viewFor(const Map &map, const Case &c)
{
    const double cx = c.x ? c.x : (map.extent.minX + map.extent.maxX) / 2.0;
    const double cy = c.y ? c.y : (map.extent.minY + map.extent.maxY) / 2.0;
    ViewTransform v(cx, cy, 25000, 0, Screen, 96);
    if (c.scale <= 0)
        return v.withScale(
            v.scaleToFit(map.extent.maxX - map.extent.minX, map.extent.maxY - map.extent.minY));
    return v.withScale(c.scale);
}

RenderInput inputFor(const Map &map, const Case &c, bool reference)
{
    RenderInput input;
    input.document = map.doc.get();
    input.drawings = c.draw == Draw::Fills ? &map.fills : nullptr;
    input.referenceDrawing = reference;
    return input;
}

using Clock = std::chrono::steady_clock;
double since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double renderOnce(const RenderInput &input, const ViewTransform &view, QImage &image)
{
    const auto start = Clock::now();
    image.fill(Qt::white);
    QPainter painter(&image);
    Renderer().render(painter, view, input);
    painter.end();
    return since(start);
}

// What the plain loop draws: the merged runs of the visible vectors, the
// fill rings, and the names that the renderer wrote.
struct Plain
{
    std::vector<QPolygonF> runs;
    std::vector<std::pair<QPolygonF, QColor>> rings;
    std::vector<DrawnText> texts;
    QPen pen;
    double textPx = 9;
    std::size_t elements = 0;
};

Plain plainFor(const Map &map, const Case &c, const ViewTransform &view)
{
    Plain plain;
    const QRectF target = QRectF(QPointF(0, 0), QSizeF(Screen)).adjusted(-16, -16, 16, 16);
    const DevicePathBuilder paths(view, target);
    if (c.draw == Draw::Lines || c.draw == Draw::Shipped)
        map.doc->forEachInBox(view.visibleBox(), [&](const StoredElement &e) {
            if (e.type != TypeVector)
                return true;
            ++plain.elements;
            paths.build(
                e.pointCount, [&](int i) { return QPointF(e.x(i), e.y(i)); },
                [&](QPolygonF &run) { plain.runs.push_back(std::move(run)); });
            return true;
        });
    if (c.draw == Draw::Fills)
        for (const auto &[id, polygons] : map.fills.polygons())
            for (const ChoroplethPolygon &p : polygons)
                paths.build(
                    static_cast<int>(p.x.size()), [&](int i) { return QPointF(p.x[i], p.y[i]); },
                    [&](const QPolygonF &ring) { plain.rings.emplace_back(ring, p.colour); }, false);
    plain.pen = QPen(Qt::black, c.width, c.code == 1 ? Qt::DashLine : Qt::SolidLine,
        c.code == 1 ? Qt::FlatCap : Qt::SquareCap, Qt::BevelJoin);
    if (c.draw == Draw::Names) {
        QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        Renderer().render(painter, view, inputFor(map, c, false), LayerSlot::Background,
            LayerSlot::SetDrawings, nullptr, &plain.texts);
        plain.elements = plain.texts.size();
        plain.textPx = plain.texts.empty() ? 9 : plain.texts.front().box.height() - 2;
    }
    return plain;
}

double plainOnce(const Plain &plain, QImage &image)
{
    const auto start = Clock::now();
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::darkGray, 1));
    for (const auto &[ring, colour] : plain.rings) {
        painter.setBrush(colour);
        painter.drawPolygon(ring);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(plain.pen);
    for (const QPolygonF &run : plain.runs)
        painter.drawPolyline(run);
    painter.setFont(mapFont(plain.textPx));
    painter.setPen(Qt::black);
    for (const DrawnText &t : plain.texts)
        painter.drawText(t.box, Qt::AlignCenter, t.text);
    painter.end();
    return since(start);
}

struct Row
{
    const Case &c;
    Map &map;
    ViewTransform view;
};

Row rowOf(int index)
{
    const Case &c = Cases[index];
    Map &map = mapNamed(c.map);
    if (map.doc)
        prepare(map, c);
    return {c, map, map.doc ? viewFor(map, c) : ViewTransform()};
}

void BM_Render(benchmark::State &state)
{
    Row row = rowOf(static_cast<int>(state.range(0)));
    if (!row.map.doc) {
        state.SkipWithError("the default map is not built");
        return;
    }
    const RenderInput input = inputFor(row.map, row.c, state.range(1) != 0);
    QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderOnce(input, row.view, image));
    state.SetLabel(std::string(row.c.map) + ", " + row.c.name + (state.range(1) ? " (reference)" : ""));
}

void BM_Plain(benchmark::State &state)
{
    Row row = rowOf(static_cast<int>(state.range(0)));
    if (!row.map.doc) {
        state.SkipWithError("the default map is not built");
        return;
    }
    const Plain plain = plainFor(row.map, row.c, row.view);
    QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        benchmark::DoNotOptimize(plainOnce(plain, image));
    state.SetLabel(std::string(row.c.map) + ", " + row.c.name);
}

BENCHMARK(BM_Render)
    ->ArgsProduct({benchmark::CreateDenseRange(0, CaseCount - 1, 1), {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plain)->DenseRange(0, CaseCount - 1)->Unit(benchmark::kMillisecond);

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QByteArray loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray("?");
}

// A frame of nothing against a frame of one short line: the fixed cost.
void fixedCost()
{
    Map &map = mapNamed("town blocks");
    prepare(map, Cases[6]);
    const ViewTransform far = viewFor(map, Cases[6]).withCenter(geo::worldX(150), geo::worldY(30));
    const ViewTransform none = far;
    RenderInput input = inputFor(map, Cases[6], false);
    RenderInput empty;
    QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> a, b;
    for (int i = 0; i < 201; ++i) {
        a.push_back(renderOnce(empty, none, image));
        b.push_back(renderOnce(input, far, image));
    }
    std::printf("\nFixed cost: empty frame %.3f ms, frame of an open document with nothing in view %.3f ms"
                " (+%.3f)\n",
        median(a), median(b), median(b) - median(a));
}

void summary()
{
    std::printf("\nFull redraw into %dx%d, anti-aliased, median of 9 (ms); load average at start: %s\n",
        Screen.width(), Screen.height(), loadAverage().constData());
    std::printf("%-12s %-22s %9s %9s %9s %7s %7s %9s\n", "map", "row", "render", "reference", "plain",
        "r/plain", "r/ref", "elements");
    std::map<std::string, double> lines1;
    for (int i = 0; i < CaseCount; ++i) // every document built before any timing
        rowOf(i);
    for (int i = 0; i < CaseCount; ++i) {
        Row row = rowOf(i);
        if (!row.map.doc) {
            std::printf("%-12s %-22s (not built)\n", row.c.map, row.c.name);
            continue;
        }
        const RenderInput input = inputFor(row.map, row.c, false);
        const RenderInput reference = inputFor(row.map, row.c, true);
        const Plain plain = plainFor(row.map, row.c, row.view);
        QImage image(Screen, QImage::Format_ARGB32_Premultiplied);
        std::vector<double> r, ref, p;
        for (int k = -1; k < 9; ++k) { // the first round warms the caches up
            if (k < 0) {
                renderOnce(input, row.view, image);
                renderOnce(reference, row.view, image);
                plainOnce(plain, image);
                continue;
            }
            r.push_back(renderOnce(input, row.view, image));
            ref.push_back(renderOnce(reference, row.view, image));
            p.push_back(plainOnce(plain, image));
        }
        const double mr = median(r), mref = median(ref), mp = median(p);
        std::printf("%-12s %-22s %9.2f %9.2f %9.2f %7.2f %7.2f %9zu", row.c.map, row.c.name, mr, mref, mp,
            mr / mp, mr / mref, plain.elements);
        if (row.c.draw == Draw::Lines && row.c.width == 1 && row.c.code == 0)
            lines1[row.c.map] = mr;
        else if (lines1.count(row.c.map))
            std::printf("   %.2fx the 1-px lines", mr / lines1[row.c.map]);
        std::printf("\n");
    }
    fixedCost();
    for (const auto &[name, map] : g_maps)
        if (map->vertices)
            std::printf("%s: %lld vertices\n", name.c_str(), static_cast<long long>(map->vertices));
    std::printf("load average at end: %s\n", loadAverage().constData());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // --summary_only: just the table of medians and ratios; --no_summary: just
    // the benchmark rows (to profile one row alone).
    const bool summaryOnly = argc > 1 && std::string(argv[argc - 1]) == "--summary_only";
    const bool noSummary = argc > 1 && std::string(argv[argc - 1]) == "--no_summary";
    if (summaryOnly || noSummary)
        --argc;
    benchmark::Initialize(&argc, argv);
    if (!summaryOnly)
        benchmark::RunSpecifiedBenchmarks();
    if (!noSummary)
        summary();
    benchmark::Shutdown();
    g_maps.clear(); // documents close before the engine's own statics go
    return 0;
}
