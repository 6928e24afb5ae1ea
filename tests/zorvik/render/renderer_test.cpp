#include "../testmap/renderchecker.h"
#include "../testmap/tinymap.h"
#include "zorvik/core/document.h"
#include "zorvik/render/backgroundlayer.h"
#include "zorvik/render/renderer.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

using namespace zorvik::test;

const QSize Size(200, 150);

ViewTransform viewAt(double scale = 25000, double angle = 0, QSize size = Size)
{
    return ViewTransform(CX, CY, scale, angle, size, 96);
}

class RendererTest : public ::testing::Test
{
protected:
    void open(const std::vector<ElementRecord> &elements)
    {
        m_map = std::make_unique<TinyMap>(elements);
        ASSERT_TRUE(m_map->ok()) << m_map->error().toStdString();
        Result r = 0;
        QString error;
        m_doc = Document::open(m_map->zorPath(), r, &error);
        ASSERT_TRUE(m_doc) << error.toStdString();
    }
    QImage render(const ViewTransform &view, DateRange dates = {}, const DrawingStore *drawings = nullptr)
    {
        RenderInput input;
        input.document = m_doc.get();
        input.dates = dates;
        input.drawings = drawings;
        QStringList errors;
        QImage image = Renderer().renderImage(view, input, &errors);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
        return image;
    }
    static QRgb probe(const QImage &image, const ViewTransform &view, std::int32_t x, std::int32_t y)
    {
        const QPointF p = view.worldToDevice(x, y);
        return image.pixel(qRound(p.x() - 0.5), qRound(p.y() - 0.5));
    }

    std::unique_ptr<TinyMap> m_map;
    std::shared_ptr<Document> m_doc;
};

TEST_F(RendererTest, VectorsTakeTheColourOfTheirTemporalState)
{
    // A always exists; B appears on days 100..200; C disappears on days 50..60.
    open({line(Boundary, {CX - 2000, CX + 2000}, {CY + 1000, CY + 1000}),
        line(
            Boundary, {CX - 2000, CX + 2000}, {CY - 1000, CY - 1000}, {100, 200, DayUndecided, DayUndecided}),
        line(Boundary, {CX - 2000, CX + 2000}, {CY, CY}, {0, 0, 50, 60})});
    const QColor white(Qt::white), existing = palette(1), appearing = palette(3), disappearing = palette(4);
    struct Case
    {
        const char *name;
        DateRange range;
        QColor a, b, c;
    } cases[] = {
        {"no date filter", {1, 0}, existing, existing, existing},
        {"day 150", {150, 150}, existing, appearing, white},
        {"day 55", {55, 55}, existing, white, disappearing},
        {"span 40..120", {40, 120}, existing, appearing, existing},
    };
    const ViewTransform view = viewAt();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = render(view, c.range);
        EXPECT_TRUE(near(probe(image, view, CX + 500, CY + 1000), c.a, 40));
        EXPECT_TRUE(near(probe(image, view, CX + 500, CY - 1000), c.b, 40));
        EXPECT_TRUE(near(probe(image, view, CX + 500, CY), c.c, 40));
    }
}

TEST_F(RendererTest, HiddenKindsAndKindsOutsideTheirScaleRangeAreNotDrawn)
{
    open({line(Hidden, {CX - 2000, CX + 2000}, {CY + 500, CY + 500}),
        line(Ranged, {CX - 2000, CX + 2000}, {CY - 500, CY - 500})});
    struct Case
    {
        double scale;
        bool rangedShown;
    } cases[] = {{25000, true}, {50000, true}, {1000, true}, {100000, false}, {900, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.scale);
        // Each line at the middle of its own view, so that it is inside at every scale.
        const ViewTransform hiddenView = viewAt(c.scale).withCenter(CX, CY + 500);
        const QImage hidden = render(hiddenView);
        for (std::int32_t x : {CX - 20, CX + 30, CX + 70})
            EXPECT_TRUE(near(probe(hidden, hiddenView, x, CY + 500), Qt::white, 0));
        const ViewTransform rangedView = viewAt(c.scale).withCenter(CX, CY - 500);
        EXPECT_EQ(
            near(probe(render(rangedView), rangedView, CX + 30, CY - 500), palette(1), 40), c.rangedShown);
    }
}

TEST_F(RendererTest, OnePointFiguresAreDotsAndZeroLengthLinesNothing)
{
    open({line(Road, {CX - 1000}, {CY}), line(Road, {CX + 1000, CX + 1000}, {CY, CY})});
    const ViewTransform view = viewAt();
    const QImage image = render(view);
    EXPECT_TRUE(near(probe(image, view, CX - 1000, CY), palette(2), 40));
    // Only the dot is drawn: a few pixels around one point.
    EXPECT_GT(countNot(image, Qt::white), 4);
    EXPECT_LT(countNot(image, Qt::white), 40);
    EXPECT_TRUE(near(probe(image, view, CX + 1000, CY), Qt::white, 0));
}

TEST_F(RendererTest, ConnectorsDrawThroughTheirRendererAndTextStaysUpright)
{
    open({connector(Marker, CX, CY, QStringLiteral("点")),
        connector(Place, CX + 3000, CY, QStringLiteral("東京"))});
    const ViewTransform view = viewAt();
    const QImage image = render(view);
    // The circle marker is filled with its state colour at the point.
    EXPECT_TRUE(near(probe(image, view, CX, CY), palette(5), 40));
    // A label drawn at the view centre looks the same whatever the map angle.
    open({connector(Place, CX, CY, QStringLiteral("東京"))});
    const QImage upright = render(view);
    EXPECT_GT(countNot(upright, Qt::white), 10);
    for (double angle : {30.0, 90.0, -145.0}) {
        SCOPED_TRACE(angle);
        EXPECT_EQ(render(viewAt(25000, angle)), upright);
    }
}

TEST_F(RendererTest, FourQuadrantsMakeTheWholePicture)
{
    open({ring(Boundary, CX - 2500, CY - 1800, CX + 1700, CY + 2100),
        line(Road, {CX - 4000, CX + 100, CX + 3900}, {CY - 3000, CY + 200, CY + 2900}),
        connector(Marker, CX + 800, CY - 900, QString())});
    const ViewTransform whole = viewAt(25000, 0, QSize(200, 150));
    const QImage full = render(whole);
    QImage stitched(full.size(), full.format());
    QPainter painter(&stitched);
    for (int qy = 0; qy < 2; ++qy)
        for (int qx = 0; qx < 2; ++qx) {
            const QPointF centre = whole.deviceToWorld(QPointF(50 + qx * 100, 37.5 + qy * 75));
            const ViewTransform part(centre.x(), centre.y(), 25000, 0, QSize(100, 75), 96);
            painter.drawImage(QPoint(qx * 100, qy * 75), render(part));
        }
    painter.end();
    int mismatches = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x)
            if (!near(full.pixel(x, y), QColor::fromRgb(stitched.pixel(x, y)), 24))
                ++mismatches;
    EXPECT_LE(mismatches, 30) << "of " << full.width() * full.height();
    EXPECT_GT(countNear(full, palette(1), 40), 100); // the ring is there at all
}

TEST_F(RendererTest, DrawingsLieInTheirLayers)
{
    open({line(Road, {CX - 2000, CX + 2000}, {CY, CY})});
    DrawingStore drawings;
    // A choropleth square under the road, one grey "no class" square beside it.
    ChoroplethPolygon inClass;
    inClass.x = {CX - 1500, CX - 100, CX - 100, CX - 1500, CX - 1500};
    inClass.y = {CY - 800, CY - 800, CY + 800, CY + 800, CY - 800};
    inClass.colour = QColor(250, 200, 40);
    inClass.box = {CX - 1500, CY - 800, CX - 100, CY + 800};
    ChoroplethPolygon noClass = inClass;
    for (auto &x : noClass.x)
        x += 1600;
    noClass.box = {CX + 100, CY - 800, CX + 1500, CY + 800};
    noClass.mode = 4;
    drawings.addPolygons({inClass, noClass});
    const ViewTransform view = viewAt();
    const QImage image = render(view, {}, &drawings);
    EXPECT_TRUE(near(probe(image, view, CX - 800, CY + 400), inClass.colour, 8));
    EXPECT_TRUE(near(probe(image, view, CX + 800, CY + 400), QColor(100, 100, 100), 8));
    EXPECT_TRUE(near(probe(image, view, CX - 800, CY), palette(2), 40)); // the road over the fill

    // Set drawings lie over everything: a highlight in colour 4 over the road.
    SetDrawing highlight{7, 2, 4, 0, 0, {line(Road, {CX - 2000, CX + 2000}, {CY, CY})}};
    drawings.putSet(highlight);
    const QImage lit = render(view, {}, &drawings);
    EXPECT_TRUE(near(probe(lit, view, CX - 800, CY), palette(4), 40));
    // Mode 3: outline colour 1, hatch 0 (solid) in colour 13 inside a ring of an undefined kind.
    drawings.putSet({8, 3, 1, 0, 13, {ring(188, CX + 300, CY + 300, CX + 1200, CY + 700)}});
    const QImage filled = render(view, {}, &drawings);
    EXPECT_TRUE(near(probe(filled, view, CX + 750, CY + 500), palette(13), 8));
    EXPECT_TRUE(near(probe(filled, view, CX + 750, CY + 300), palette(1), 60));
    // Taking the drawings off gives the plain map again.
    drawings.removeSet(7);
    drawings.removeSet(8);
    EXPECT_EQ(render(view, {}, &drawings), image);
}

} // namespace
} // namespace zorvik

namespace zorvik {
namespace {

using namespace zorvik::test;

// A statistics value sits on the point of its area's name. It is what the
// statistics map shows, so it keeps its place even against a larger name.
TEST(StatisticsLayer, StatisticsTextsArePlacedBeforeTheNames)
{
    TinyMap map({connector(Place, CX, CY, QStringLiteral("東京都")),
        connector(Place, CX + 6000, CY + 3000, QStringLiteral("横浜市"))});
    ASSERT_TRUE(map.ok()) << map.error().toStdString();
    Engine engine;
    engine.setDocumentPath(map.zorPath());
    ASSERT_EQ(engine.InitializeMap(0), code::Ok);
    constexpr std::int16_t Value = 186;
    ASSERT_EQ(
        engine.AddConnectorKind(Value, QStringLiteral("統計数値"), StatSpaceId, QStringLiteral("STRING.DLL")),
        code::Ok);
    Style6 black;
    black.n = {0, 0, 0, 0, 0, 0};
    ASSERT_EQ(engine.SetConnectorDispInfo(Value, 1, 1, 0, black, 0), code::Ok);
    ASSERT_EQ(engine.SetKindDispSize(Value, 1000), code::Ok);
    ASSERT_EQ(engine.SetKindDispSize(Place, 8000), code::Ok); // names larger than values
    Handle set = 0;
    engine.CreateElementList(set);
    ElementRecord value = connector(Value, CX, CY, QStringLiteral("14047594"));
    value.lPra = {0, 0, -1, -1, 0, 0};
    ASSERT_EQ(engine.AddElementToList(set, value), code::Ok);
    ASSERT_EQ(engine.AddElementsForLevel9(set), code::Ok);

    RenderInput input;
    input.document = engine.document().get();
    std::vector<DrawnText> texts;
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    Renderer().render(
        painter, viewAt(100000), input, LayerSlot::Background, LayerSlot::SetDrawings, nullptr, &texts);
    QStringList written;
    for (const DrawnText &t : texts)
        written << t.text;
    written.sort();
    EXPECT_EQ(written, QStringList({"14047594", "横浜市"}));
}

TEST(StatisticsLayer, GraphsShowTheirPictureAboveTheBaseMapAndGrowWithTheZoom)
{
    TinyMap map({line(Road, {CX - 2000, CX + 2000}, {CY, CY})});
    ASSERT_TRUE(map.ok()) << map.error().toStdString();
    // A 40 x 20 px green picture written as a .tmp file, as the graph library does.
    const QString picture = map.folder() + QStringLiteral("PSY0001.tmp");
    QImage green(40, 20, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    ASSERT_TRUE(green.save(picture, "PNG"));
    Engine engine;
    engine.setDocumentPath(map.zorPath());
    ASSERT_EQ(engine.InitializeMap(0), code::Ok);
    Handle set = 0;
    engine.CreateElementList(set);
    const QString key = QStringLiteral("13101,C:\\data\\x.csv,3,1000,%1,%2,%3").arg(CX).arg(CY).arg(picture);
    ElementRecord graph = connector(FirstStatKind, CX, CY, key);
    graph.lPra = {0, 0, -1, -1, 0, 0};
    ASSERT_EQ(engine.AddElementToList(set, graph), code::Ok);
    ASSERT_EQ(engine.AddElementsForLevel9(set), code::Ok);

    RenderInput input;
    input.document = engine.document().get();
    auto greenPixels = [&](double scale) {
        const QImage image
            = Renderer().renderImage(ViewTransform(CX, CY, scale, 0, QSize(200, 150), 96), input);
        EXPECT_TRUE(near(image.pixel(100, 75), QColor(0, 200, 0), 30)); // over the road
        return countNear(image, QColor(0, 200, 0), 30);
    };
    // One picture pixel covers 1000 * 17 / 1000 = 17 world units.
    const ViewTransform view(CX, CY, 25000, 0, QSize(200, 150), 96);
    const double side = view.worldLengthToPixels(17);
    const int atScale = greenPixels(25000);
    EXPECT_NEAR(atScale, 40 * side * 20 * side, 40 * side * 20 * side * 0.25);
    const int zoomedIn = greenPixels(12500);
    EXPECT_NEAR(zoomedIn, 4 * atScale, atScale);
}

} // namespace
} // namespace zorvik

namespace zorvik {
namespace {

using namespace zorvik::test;

TEST(RenderControl, EveryLayerOfATinyMap)
{
    // No text, so that the picture does not depend on font hinting.
    TinyMap map({ring(Boundary, CX - 2500, CY - 1800, CX + 2500, CY + 1800),
        line(Road, {CX - 3500, CX - 200, CX + 3500}, {CY - 2500, CY + 300, CY + 2200}),
        line(
            Boundary, {CX - 3000, CX + 3000}, {CY - 1200, CY - 1200}, {100, 200, DayUndecided, DayUndecided}),
        connector(Marker, CX + 1200, CY - 600, QString())});
    ASSERT_TRUE(map.ok());
    Result r = 0;
    auto doc = Document::open(map.zorPath(), r);
    ASSERT_TRUE(doc);
    DrawingStore drawings;
    ChoroplethPolygon area;
    area.x = {CX - 2000, CX, CX, CX - 2000, CX - 2000};
    area.y = {CY - 1000, CY - 1000, CY + 1200, CY + 1200, CY - 1000};
    area.colour = QColor(250, 200, 40);
    area.box = {CX - 2000, CY - 1000, CX, CY + 1200};
    drawings.addPolygons({area});
    drawings.putSet({5, 2, 4, 0, 0, {line(Road, {CX + 300, CX + 1800}, {CY + 900, CY + 900})}});
    drawings.putSet({6, 3, 1, 4, 10, {ring(188, CX + 600, CY - 1600, CX + 2200, CY - 900)}});
    RenderInput input;
    input.document = doc.get();
    input.dates = {150, 150};
    input.drawings = &drawings;
    const QImage image = Renderer().renderImage(ViewTransform(CX, CY, 25000, 20, QSize(200, 150), 96), input);
    EXPECT_TRUE(matchesControl(image, QStringLiteral("tinymap_layers")));
}

} // namespace
} // namespace zorvik

namespace zorvik {
namespace {

class ThrowingLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::Choropleth; }
    bool draw(RenderContext &, QString &) const override { throw std::runtime_error("broken"); }
};

class RefusingLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::SetDrawings; }
    bool draw(RenderContext &context, QString &error) const override
    {
        context.painter().fillRect(0, 0, 10, 10, Qt::blue); // half done, then refused
        error = QStringLiteral("refused");
        return false;
    }
};

class SquareLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::BaseMap; }
    bool draw(RenderContext &context, QString &) const override
    {
        context.painter().fillRect(90, 65, 20, 20, Qt::red);
        return true;
    }
};

TEST(Renderer, AFailingLayerIsReportedAndTheOthersStillDraw)
{
    std::vector<std::unique_ptr<MapLayer>> layers;
    layers.push_back(std::make_unique<RefusingLayer>());
    layers.push_back(std::make_unique<SquareLayer>());
    layers.push_back(std::make_unique<ThrowingLayer>());
    layers.push_back(std::make_unique<BackgroundLayer>());
    const Renderer renderer(std::move(layers));
    QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    LayerTimes times;
    const QStringList errors = renderer.render(painter, ViewTransform(0, 0, 25000, 0, QSize(200, 150), 96),
        RenderInput{}, LayerSlot::Background, LayerSlot::SetDrawings, &times);
    painter.end();
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("broken")));
    EXPECT_TRUE(errors[1].contains(QStringLiteral("refused")));
    EXPECT_EQ(image.pixel(100, 75), qRgb(255, 0, 0)); // the layer after the failure drew
    EXPECT_EQ(image.pixel(150, 120), qRgb(255, 255, 255)); // and the background before it
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_EQ(times[static_cast<std::size_t>(LayerSlot::Rasters)], 0);
}

// Names read over lines: around the glyphs a halo in the map's background
// colour covers the line beneath. A map drawn over a transparent background
// has no colour for a halo; its name shows how much of the line would remain.
TEST_F(RendererTest, NamesHaveAHaloInTheBackgroundColour)
{
    const QColor paper(255, 248, 200);
    const ElementRecord road = line(Road, {CX - 3000, CX + 3000}, {CY, CY});
    auto draw = [&](const QColor &background, std::vector<DrawnText> *texts) {
        RenderInput input;
        input.document = m_doc.get();
        input.background = background;
        QImage image(Size, QImage::Format_ARGB32_Premultiplied);
        image.fill(paper);
        QPainter painter(&image);
        const QStringList errors = Renderer().render(
            painter, viewAt(), input, LayerSlot::Background, LayerSlot::SetDrawings, nullptr, texts);
        EXPECT_TRUE(errors.isEmpty());
        return image;
    };
    open({road});
    const QImage bare = draw(paper, nullptr);
    open({road, connector(Place, CX, CY, QStringLiteral("東京都庁"))});
    std::vector<DrawnText> texts;
    const QImage named = draw(paper, &texts);
    const QImage noHalo = draw(Qt::transparent, nullptr);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("東京都庁"));
    // Inside the name's box: the pixels of the road, and how many of them
    // still show the road or show the background instead.
    const QRect box = texts[0].box.toAlignedRect().intersected(named.rect());
    int underName = 0, roadLeft = 0, cleared = 0, roadLeftWithoutHalo = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (near(bare.pixel(x, y), palette(2), 40)) {
                ++underName;
                roadLeft += near(named.pixel(x, y), palette(2), 60);
                cleared += near(named.pixel(x, y), paper, 40);
                roadLeftWithoutHalo += near(noHalo.pixel(x, y), palette(2), 60);
            }
    ASSERT_GT(underName, 40);
    EXPECT_GT(roadLeftWithoutHalo, underName / 4) << "of " << underName;
    EXPECT_LT(roadLeft, roadLeftWithoutHalo / 3) << "of " << underName;
    EXPECT_GT(cleared, underName / 8) << "of " << underName;
    // Beyond the name the road is whole.
    const QPointF right = texts[0].box.topRight() + QPointF(6, texts[0].box.height() / 2);
    EXPECT_EQ(named.pixel(right.toPoint()), bare.pixel(right.toPoint()));
}

// Two names on one spot: the frame writes one, and a third name clear of
// them; a closer view, where the two stand apart, writes both.
TEST_F(RendererTest, OverlappingNamesAreLeftOutUntilThereIsRoom)
{
    open({connector(Place, CX, CY, QStringLiteral("北町")),
        connector(Place, CX + 300, CY + 60, QStringLiteral("南町")),
        connector(Place, CX + 3000, CY - 1500, QStringLiteral("西町"))});
    auto written = [&](double scale) {
        RenderInput input;
        input.document = m_doc.get();
        std::vector<DrawnText> texts;
        QImage image(Size, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        Renderer().render(
            painter, viewAt(scale), input, LayerSlot::Background, LayerSlot::SetDrawings, nullptr, &texts);
        QStringList names;
        for (const DrawnText &t : texts)
            names << t.text;
        names.sort();
        return names;
    };
    const QStringList far = written(100000);
    ASSERT_EQ(far.size(), 2) << far.join(u' ').toStdString();
    EXPECT_TRUE(far.contains(QStringLiteral("西町")));
    EXPECT_EQ(written(5000), QStringList({"北町", "南町"})); // the third lies outside
    // Nothing is kept from frame to frame: the far view again writes the same two.
    EXPECT_EQ(written(100000), far);
}

} // namespace
} // namespace zorvik
