// How the default document looks: the kinds' draw order, colours and scale
// ranges, checked on a real rendering and on the definitions the engine read.
#include "basemap/defaultdatawriter.h"
#include "basemap/kinds.h"
#include "defaultmodel.h"
#include "testsupport.h"
#include "zorvik/core/document.h"
#include "zorvik/render/connectorrenderer.h"
#include "zorvik/render/elementstyle.h"
#include "zorvik/render/renderer.h"
#include "zorvik/render/viewtransform.h"

#include <gtest/gtest.h>

using namespace veltra::basemap;

namespace {

class DefaultStyles : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new veltra::test::TempDir;
        QString error;
        ASSERT_TRUE(writeDefaultData(test::defaultModel(), dir->file("default"), &error))
            << error.toStdString();
        zorvik::Result result = 0;
        doc = zorvik::Document::open(dir->file("default/Veltra.zor"), result, &error);
        ASSERT_TRUE(doc) << result << " " << error.toStdString();
    }
    static void TearDownTestSuite()
    {
        doc.reset();
        delete dir;
        dir = nullptr;
    }

    static veltra::test::TempDir *dir;
    static std::shared_ptr<zorvik::Document> doc;
};
veltra::test::TempDir *DefaultStyles::dir = nullptr;
std::shared_ptr<zorvik::Document> DefaultStyles::doc;

int distance2(QRgb a, const QColor &b)
{
    const int r = qRed(a) - b.red(), g = qGreen(a) - b.green(), bl = qBlue(a) - b.blue();
    return r * r + g * g + bl * bl;
}

} // namespace

// The municipal cells are clipped to the prefecture outlines, so their edges
// run along every prefecture border and coast. The prefecture line must lie
// on top of them, not be split by a thin municipal line down its middle.
TEST_F(DefaultStyles, PrefectureLinesLieOverTheMunicipalCellEdges)
{
    const zorvik::Catalog &catalog = doc->catalog();
    const zorvik::VectorKind *pref = catalog.vectorKind(kind::PrefectureBoundary);
    const zorvik::VectorKind *muni = catalog.vectorKind(kind::MunicipalityBoundary);
    ASSERT_TRUE(pref && muni);
    const QColor prefColour = zorvik::style::paletteColour(catalog, pref->style.n[0]);
    const QColor muniColour = zorvik::style::paletteColour(catalog, muni->style.n[0]);
    ASSERT_NE(prefColour, muniColour);

    // Tokyo and its neighbours at a city scale, where both kinds are drawn.
    const WorldPoint centre = rounded(toWorld(LonLat{139.70, 35.69}));
    const zorvik::ViewTransform view(centre.x, centre.y, 200000, 0, QSize(800, 600), 96);
    ASSERT_TRUE(pref->range.contains(view.scale()) && muni->range.contains(view.scale()));
    zorvik::RenderInput input;
    input.document = doc.get();
    QStringList errors;
    const QImage image = zorvik::Renderer().renderImage(view, input, &errors);
    ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    // Every vertex of Tokyo's outline on screen shows the prefecture colour.
    int vertices = 0, prefectureColoured = 0;
    for (const AreaOutline &o : test::defaultModel().outlines) {
        if (o.kind != kind::PrefectureBoundary || o.code != 13)
            continue;
        for (const WorldPoint &w : o.ring) {
            const QPointF p = view.worldToDevice(w.x, w.y);
            if (p.x() < 4 || p.y() < 4 || p.x() > image.width() - 4 || p.y() > image.height() - 4)
                continue;
            const QRgb pixel = image.pixel(static_cast<int>(p.x()), static_cast<int>(p.y()));
            ++vertices;
            prefectureColoured += distance2(pixel, prefColour) < distance2(pixel, muniColour);
        }
    }
    ASSERT_GT(vertices, 100);
    // A few vertices may sit under a place name's halo.
    EXPECT_GE(prefectureColoured, vertices * 9 / 10) << prefectureColoured << " of " << vertices;
}

// Prefecture names at national and regional scales, municipal names from
// about 1:500,000 in, and municipal cells not at the national scale.
TEST_F(DefaultStyles, PlaceNamesAndCellsShowAtTheirScales)
{
    const zorvik::Catalog &catalog = doc->catalog();
    const zorvik::ConnectorKind *prefName = catalog.connectorKind(kind::PrefectureName);
    const zorvik::ConnectorKind *muniName = catalog.connectorKind(kind::MunicipalityName);
    const zorvik::VectorKind *cells = catalog.vectorKind(kind::MunicipalityBoundary);
    const zorvik::VectorKind *prefLines = catalog.vectorKind(kind::PrefectureBoundary);
    ASSERT_TRUE(prefName && muniName && cells && prefLines);
    const struct
    {
        const char *what;
        double scale;
        bool prefNames, muniNames, cellLines;
    } cases[] = {
        {"national", 10000000, true, false, false},
        {"regional", 1500000, true, false, true},
        {"dense region", 1000000, true, false, true},
        {"municipal", 500000, true, true, true},
        {"city", 200000, false, true, true},
        {"town", 25000, false, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(prefLines->range.contains(c.scale));
        EXPECT_EQ(prefName->range.contains(c.scale), c.prefNames);
        EXPECT_EQ(muniName->range.contains(c.scale), c.muniNames);
        EXPECT_EQ(cells->range.contains(c.scale), c.cellLines);
    }
    // Where both are shown, a prefecture name reads larger than a municipal one.
    EXPECT_GT(zorvik::textFloorPixels(prefName->size, 1), zorvik::textFloorPixels(muniName->size, 1));
    EXPECT_EQ(prefName->disp, 1);
    EXPECT_EQ(muniName->disp, 1);
}
