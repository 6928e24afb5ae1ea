// The control keeps the drawn map in a cache and draws it again only when
// something it depends on changed. Each input is changed alone and the map
// is then redrawn with a plain Refresh: a cache key that missed the input
// would hand back the old picture.
#include "mapfixture.h"

namespace zorvik::test {
namespace {

class MapCache : public MapFixture
{
protected:
    // A boundary that appears on day 100, exists from 200, disappears from
    // 300 and is gone after 400.
    void SetUp() override { open({line(Boundary, {CX - 2000, CX + 2000}, {CY, CY}, {100, 200, 300, 400})}); }
    QRgb pixelAt(std::int32_t x, std::int32_t y)
    {
        const QImage buffer = m_view->backBuffer();
        const QPointF p = QPointF(at(x, y)) * buffer.devicePixelRatio();
        return buffer.pixel(p.toPoint());
    }
    QRgb onLine() { return pixelAt(CX + 500, CY); }
    void dates(std::int32_t from, std::int32_t to)
    {
        m_view->setDateFrom(from);
        m_view->setDateTo(to);
        m_view->Refresh();
    }
};

TEST_F(MapCache, EachDateAloneRedrawsTheMap)
{
    dates(350, 350);
    ASSERT_TRUE(near(onLine(), palette(4))); // disappearing
    m_view->setDateFrom(150); // 150..350: existing is the best state met
    m_view->Refresh();
    EXPECT_TRUE(near(onLine(), palette(1)));
    m_view->setDateTo(160); // 150..160: appearing only
    m_view->Refresh();
    EXPECT_TRUE(near(onLine(), palette(3)));
    dates(401, 401); // gone
    EXPECT_TRUE(near(onLine(), Qt::white));
}

TEST_F(MapCache, KindStylesAndTheDocumentRedrawTheMap)
{
    dates(250, 250);
    ASSERT_TRUE(near(onLine(), palette(1)));

    // A kind's style.
    ASSERT_EQ(m_view->SetVectorDispInfo(Boundary, 1, 1, Style6{{2, 2, 3, 2, 4, 2}}), code::Ok);
    m_view->Refresh();
    EXPECT_TRUE(near(onLine(), palette(2)));

    // An element added to the document.
    const std::int32_t y = CY + 400;
    ASSERT_TRUE(near(pixelAt(CX, y), Qt::white));
    Handle set = 0;
    ASSERT_EQ(m_view->CreateElementList(set), code::Ok);
    ASSERT_EQ(m_view->AddElementToList(set, line(Road, {CX - 2000, CX + 2000}, {y, y})), code::Ok);
    ASSERT_EQ(m_view->AddElements(set), code::Ok);
    m_view->ReleaseElements(set);
    m_view->Refresh();
    EXPECT_TRUE(near(pixelAt(CX, y), palette(2)));
}

TEST_F(MapCache, ViewSizeAndBackgroundRedrawTheMap)
{
    dates(250, 250);
    const QRgb before = onLine();
    ASSERT_TRUE(near(before, palette(1)));

    // The view: the line moves under a fixed device point.
    const QPoint device = at(CX + 500, CY);
    m_view->setCenterY(CY + 1000);
    m_view->Refresh();
    const QImage moved = m_view->backBuffer();
    EXPECT_TRUE(near(moved.pixel((QPointF(device) * moved.devicePixelRatio()).toPoint()), Qt::white));
    m_view->setCenterY(CY);
    m_view->Refresh();

    // The size.
    m_view->resize(260, 190);
    m_view->Refresh();
    const QImage resized = m_view->backBuffer();
    EXPECT_EQ(resized.size(), QSize(260, 190) * resized.devicePixelRatio());
    EXPECT_TRUE(near(onLine(), palette(1)));

    // The background colour (&H00BBGGRR).
    m_view->setBackColor(0x00FFFF00); // cyan
    m_view->Refresh();
    EXPECT_TRUE(near(pixelAt(CX, CY + 400), QColor(0, 255, 255)));
}

} // namespace
} // namespace zorvik::test
