// The renderer's fast drawing (wide lines by coverage, fills, cached names)
// against its reference drawing (QPainter's plain stroke, fill and text calls)
// on the generated default map and on a synthetic map, at the national,
// 1:500,000 and 1:25,000 views (and 1:5,000,000, where the synthetic map is
// drawn from its level-of-detail copies): at most 1 % of the pixels may
// differ by more than a small colour step, and no element the reference
// draws may be missing from the fast picture. VELTRA_CONTROL_SHARES=1 prints
// the shares and writes both pictures of every case to the working folder.
#include "../testmap/tinymap.h"
#include "zorvik/core/document.h"
#include "zorvik/render/renderer.h"

#include <QFile>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

using namespace zorvik::test;

const QSize Frame(960, 540);
constexpr int ColourStep = 40; // on any channel
constexpr double AllowedShare = 0.01;

struct Pictures
{
    QImage fast, reference;
    std::vector<DrawnText> fastTexts, referenceTexts;
};

Pictures renderBoth(const Document &doc, const ViewTransform &view, const DrawingStore *drawings = nullptr)
{
    Pictures p;
    for (bool reference : {false, true}) {
        RenderInput input;
        input.document = &doc;
        input.drawings = drawings;
        input.referenceDrawing = reference;
        // The fast picture is a view's second frame: its names come from
        // the pictures the first one left.
        QImage image;
        for (int frame = reference ? 1 : 0; frame < 2; ++frame) {
            image = QImage(view.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            auto &texts = reference ? p.referenceTexts : p.fastTexts;
            texts.clear();
            const QStringList errors = Renderer().render(
                painter, view, input, LayerSlot::Background, LayerSlot::SetDrawings, nullptr, &texts);
            EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
        }
        (reference ? p.reference : p.fast) = image;
    }
    return p;
}

int channelDifference(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

double differingShare(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += channelDifference(a.pixel(x, y), b.pixel(x, y)) > ColourStep;
    return static_cast<double>(n) / (a.width() * a.height());
}

bool inked(const QImage &image, int x, int y, int radius = 1)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx, py = y + dy;
            if (image.rect().contains(px, py)
                && channelDifference(image.pixel(px, py), qRgb(255, 255, 255)) > ColourStep)
                return true;
        }
    return false;
}

// Vector elements whose vertices show ink in the reference and none in the
// fast picture, and names written by one drawing and not the other.
QStringList missingElements(const Document &doc, const ViewTransform &view, const Pictures &p)
{
    QStringList missing;
    doc.forEachInBox(view.visibleBox(), [&](const StoredElement &e) {
        if (e.type != TypeVector)
            return true;
        bool referenceInk = false, fastInk = false;
        for (int i = 0; i < e.pointCount && !fastInk; ++i) {
            const QPointF d = view.worldToDevice(e.x(i), e.y(i));
            const int x = static_cast<int>(std::floor(d.x())), y = static_cast<int>(std::floor(d.y()));
            if (!p.reference.rect().contains(x, y) || !inked(p.reference, x, y, 0))
                continue;
            referenceInk = true;
            fastInk = inked(p.fast, x, y);
        }
        if (referenceInk && !fastInk)
            missing << QStringLiteral("vector %1 of kind %2").arg(e.ref.id).arg(e.kind);
        return true;
    });
    if (p.fastTexts.size() != p.referenceTexts.size())
        missing << QStringLiteral("%1 names written, %2 in the reference")
                       .arg(p.fastTexts.size())
                       .arg(p.referenceTexts.size());
    for (const DrawnText &t : p.referenceTexts) {
        const QRect box = t.box.toAlignedRect() & p.fast.rect();
        bool ink = false;
        for (int y = box.top(); y <= box.bottom() && !ink; ++y)
            for (int x = box.left(); x <= box.right() && !ink; ++x)
                ink = inked(p.fast, x, y, 0);
        if (!ink)
            missing << QStringLiteral("name ") + t.text;
    }
    return missing;
}

::testing::AssertionResult looksTheSame(
    const Document &doc, const ViewTransform &view, const Pictures &p, const QString &name)
{
    const double share = differingShare(p.fast, p.reference);
    const QStringList missing = missingElements(doc, view, p);
    if (qEnvironmentVariableIsSet("VELTRA_CONTROL_SHARES"))
        std::printf("%s: %.3f %%\n", qPrintable(name), share * 100);
    if (share <= AllowedShare && missing.isEmpty() && !qEnvironmentVariableIsSet("VELTRA_CONTROL_SHARES"))
        return ::testing::AssertionSuccess();
    p.fast.save(QStringLiteral("control-%1-fast.png").arg(name));
    p.reference.save(QStringLiteral("control-%1-reference.png").arg(name));
    if (share <= AllowedShare && missing.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << name.toStdString() << ": " << share * 100
        << " % of pixels differ; missing: " << missing.join(QStringLiteral(", ")).toStdString();
}

// --- the synthetic map: 16 x 10 smooth areas of 240 points with a name each

constexpr int Cols = 16, Rows = 10;
constexpr double CellW = 0.12 * 360000, CellH = 0.1 * 360000; // world units

std::vector<ElementRecord> syntheticElements()
{
    std::vector<ElementRecord> records;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) {
            const double cx = CX + (c - Cols / 2.0 + 0.5) * CellW, cy = CY + (r - Rows / 2.0 + 0.5) * CellH;
            std::vector<std::int32_t> x, y;
            const int n = 240;
            for (int i = 0; i <= n; ++i) {
                const double a = 2 * M_PI * (i % n) / n;
                // A wavy outline: turns at every scale, as a real border has.
                const double k = 1 + 0.03 * std::sin(7 * a + c) + 0.01 * std::sin(29 * a + r);
                x.push_back(static_cast<std::int32_t>(cx + CellW * 0.5 * k * std::cos(a)));
                y.push_back(static_cast<std::int32_t>(cy + CellH * 0.5 * k * std::sin(a)));
            }
            records.push_back(line(Boundary, std::move(x), std::move(y)));
            records.push_back(connector(Place, static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy),
                QStringLiteral("区域%1").arg(r * Cols + c)));
        }
    return records;
}

class ControlPictures : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        map = new TinyMap(syntheticElements());
        Result r = 0;
        if (map->ok())
            synthetic = Document::open(map->zorPath(), r);
        const QString zor = QStringLiteral(VELTRA_DEFAULT_DATA "/Veltra.zor");
        if (QFile::exists(zor))
            shipped = Document::open(zor, r);
    }
    static void TearDownTestSuite()
    {
        synthetic.reset();
        shipped.reset();
        delete map;
        map = nullptr;
    }

    // The view of a scale (0: the whole extent) centred on a corner where areas meet.
    static ViewTransform viewOf(const Document &doc, double scale, double x, double y)
    {
        ViewTransform v(x, y, 25000, 0, Frame, 96);
        const WorldBox e = doc.extent();
        return scale > 0 ? v.withScale(scale)
                         : v.withCenter((e.minX + e.maxX) / 2.0, (e.minY + e.maxY) / 2.0)
                               .withScale(v.scaleToFit(e.maxX - e.minX, e.maxY - e.minY));
    }

    static inline TinyMap *map = nullptr;
    static inline std::shared_ptr<Document> synthetic;
    static inline std::shared_ptr<Document> shipped;
};

struct Style
{
    const char *name;
    int width;
    int code; // line type code: 0 solid, 1 dash, 2 dot, 3 dash-dot
    bool fills;
    bool names;
};

TEST_F(ControlPictures, SyntheticMapAtThreeScales)
{
    ASSERT_TRUE(synthetic) << map->error().toStdString();
    const Style styles[] = {{"1px", 1, 0, false, false}, {"2px", 2, 0, false, false},
        {"3px", 3, 0, false, false}, {"2px-dash", 2, 1, false, false}, {"3px-dot", 3, 2, false, false},
        {"2px-dashdot", 2, 3, false, false}, {"fills", 1, 0, true, false}, {"names", 2, 0, false, true}};
    const struct
    {
        const char *name;
        double scale;
    } scales[] = {{"national", 0}, {"500000", 500000}, {"25000", 25000}, {"5000000-lod", 5000000}};
    // Where four areas meet, a little off the exact corner.
    const double x = CX + 0.3 * CellW, y = CY + 0.2 * CellH;

    DrawingStore fills;
    std::vector<ChoroplethPolygon> polygons;
    synthetic->forEachOfKind(TypeVector, Boundary, [&](const StoredElement &e) {
        ChoroplethPolygon p;
        for (int i = 0; i < e.pointCount; ++i) {
            p.x.push_back(e.x(i));
            p.y.push_back(e.y(i));
        }
        p.colour = QColor::fromHsv(static_cast<int>(e.ref.id * 47 % 360), 120, 230);
        p.box = e.box;
        polygons.push_back(std::move(p));
        return true;
    });
    fills.addPolygons(std::move(polygons));

    Catalog &catalog = synthetic->catalog();
    const auto shippedTypes = catalog.lineTypes();
    for (const Style &style : styles) {
        auto types = shippedTypes;
        types[2] = {style.width, style.code}; // the boundary's line type
        catalog.setLineTypes(types);
        catalog.connectorKind(Place)->disp = style.names ? 1 : 0;
        catalog.vectorKind(Boundary)->disp = style.fills ? 0 : 1; // the choropleth's own outlines
        for (const auto &s : scales) {
            const ViewTransform view = viewOf(*synthetic, s.scale, x, y);
            const Pictures p = renderBoth(*synthetic, view, style.fills ? &fills : nullptr);
            EXPECT_TRUE(looksTheSame(*synthetic, view, p, QStringLiteral("%1-%2").arg(style.name, s.name)));
            if (style.names && s.scale < 1000000 && s.scale != 25000) {
                EXPECT_FALSE(p.referenceTexts.empty()) << s.name;
            }
        }
    }
    catalog.setLineTypes(shippedTypes);
    catalog.connectorKind(Place)->disp = 1;
    catalog.vectorKind(Boundary)->disp = 1;
}

TEST_F(ControlPictures, DefaultMapAtThreeScales)
{
    if (!shipped)
        GTEST_SKIP() << "the default map is not built";
    // Whole country, and Osaka at 1:500,000 and 1:25,000.
    const struct
    {
        const char *name;
        double scale;
    } scales[] = {{"default-national", 0}, {"default-500000", 500000}, {"default-25000", 25000}};
    for (const auto &s : scales) {
        const ViewTransform view = viewOf(*shipped, s.scale, 4860000, 3848400);
        const Pictures p = renderBoth(*shipped, view);
        EXPECT_TRUE(looksTheSame(*shipped, view, p, QString::fromLatin1(s.name)));
    }
}

} // namespace
} // namespace zorvik
