#include "mapfixture.h"

namespace zorvik::test {
namespace {

class Drawing : public MapFixture
{
protected:
    void SetUp() override { open({line(Boundary, {CX - 2000, CX + 2000}, {CY, CY})}); }
    QRgb onLine() { return pixelAt(CX + 500, CY); }
    QRgb pixelAt(std::int32_t x, std::int32_t y)
    {
        const QImage buffer = m_view->backBuffer();
        const QPointF p = QPointF(at(x, y)) * buffer.devicePixelRatio();
        return buffer.pixel(p.toPoint());
    }
    Handle roadSet()
    {
        Handle set = 0;
        std::int32_t a = 0, b = 0, c = 0;
        m_view->setRecognizeSearchNum(1);
        m_view->SearchElements(0, CX + 500, CY, set, a, b, c);
        return set;
    }
};

TEST_F(Drawing, HighlightLivesWithItsSetUntilTheNextRedraw)
{
    ASSERT_TRUE(near(onLine(), palette(1), 40));
    const Handle set = roadSet();
    ASSERT_GT(set, 0);
    ASSERT_EQ(m_view->DrawElements(set, 2, 4, 0, 0), code::Ok);
    EXPECT_TRUE(near(onLine(), palette(4), 40));
    m_view->Refresh();
    EXPECT_TRUE(near(onLine(), palette(4), 40)); // the set lives: the drawing stays
    m_view->setCenterX(CX + 10);
    m_view->Refresh();
    EXPECT_TRUE(near(onLine(), palette(4), 40)); // also across a pan
    ASSERT_EQ(m_view->ReleaseElements(set), code::Ok);
    EXPECT_TRUE(near(onLine(), palette(4), 40)); // released: still there until the next redraw
    m_view->Refresh();
    EXPECT_TRUE(near(onLine(), palette(1), 40));
}

TEST_F(Drawing, ReleasedDrawingCanStillBeTakenOff)
{
    const Handle set = roadSet();
    m_view->DrawElements(set, 2, 4, 0, 0);
    m_view->ReleaseElements(set);
    EXPECT_EQ(m_view->DrawElements(set, 1, 0, 0, 0), code::Ok);
    EXPECT_TRUE(near(onLine(), palette(1), 40));
    struct Case
    {
        Handle set;
        int mode;
        Result expected;
    } cases[] = {{0, 0, code::Ok}, {0, 1, code::Ok}, {set, 0, code::Ok}, {0, 2, code::BadHandle},
        {set, 3, code::BadHandle}, {987654, 16, code::BadHandle}, {set, 7, code::BadArgument}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(m_view->DrawElements(c.set, c.mode, 1, 0, 1), c.expected);
    }
}

TEST_F(Drawing, ClearDrawElementsSparesLastingDrawings)
{
    const Handle highlight = roadSet();
    m_view->DrawElements(highlight, 2, 4, 0, 0);
    Handle flow = 0;
    m_view->CreateElementList(flow);
    m_view->AddElementToList(flow, line(Road, {CX - 2000, CX + 2000}, {CY + 800, CY + 800}));
    ASSERT_EQ(m_view->DrawElements(flow, 16, 0, 0, 0), code::Ok);
    EXPECT_TRUE(near(pixelAt(CX + 500, CY + 800), palette(2), 40));
    m_view->ClearDrawElements();
    EXPECT_TRUE(near(onLine(), palette(1), 40));
    EXPECT_TRUE(near(pixelAt(CX + 500, CY + 800), palette(2), 40));
    // Drawing again replaces the set's earlier drawing.
    m_view->DrawElements(flow, 2, 13, 0, 0);
    EXPECT_TRUE(near(pixelAt(CX + 500, CY + 800), palette(13), 40));
    m_view->DrawElements(flow, 0, 0, 0, 0);
    EXPECT_TRUE(near(pixelAt(CX + 500, CY + 800), palette(2), 40));
}

TEST_F(Drawing, ChoroplethStaysAcrossPanUntilErased)
{
    const std::vector<std::int32_t> counts{5};
    const std::vector<std::int32_t> x{CX - 1000, CX + 1000, CX + 1000, CX - 1000, CX - 1000};
    const std::vector<std::int32_t> y{CY + 300, CY + 300, CY + 1500, CY + 1500, CY + 300};
    const std::vector<std::int16_t> rgb{30, 160, 220}, modes{0};
    std::int32_t id = 0;
    ASSERT_EQ(m_view->DrawElements_Polygon_RGB(1, counts, x, y, rgb, modes, rgb, id), code::Ok);
    ASSERT_NE(id, 0);
    const QColor fill(30, 160, 220);
    EXPECT_TRUE(near(pixelAt(CX, CY + 900), fill, 6));
    m_view->setCenterX(CX + 600);
    m_view->setCenterY(CY + 200);
    m_view->Refresh();
    m_view->ClearDrawElements();
    EXPECT_TRUE(near(pixelAt(CX, CY + 900), fill, 6));
    EXPECT_TRUE(near(pixelAt(CX + 500, CY), palette(1), 40)); // the base map lines over the fill
    ASSERT_EQ(m_view->EraseElements(id), code::Ok);
    m_view->Refresh();
    EXPECT_TRUE(near(pixelAt(CX, CY + 900), Qt::white, 0));
    EXPECT_NE(m_view->EraseElements(id), code::Ok);
    // Counts that do not match the arrays are refused.
    std::int32_t bad = 0;
    EXPECT_EQ(m_view->DrawElements_Polygon_RGB(2, counts, x, y, rgb, modes, rgb, bad), code::BadArgument);
    EXPECT_EQ(m_view->DrawElements_Polygon_RGB(1, {6}, x, y, rgb, modes, rgb, bad), code::BadArgument);
    EXPECT_EQ(bad, 0);
}

TEST_F(Drawing, XorMarksAreFeedbackGoneAtTheNextRedraw)
{
    m_view->show();
    const QImage plain = m_view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    m_view->xorLine(QPointF(10, 10), QPointF(190, 140), Qt::red, 3);
    const QImage marked = m_view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(marked, plain);
    EXPECT_EQ(m_view->backBuffer().convertToFormat(QImage::Format_RGB32), plain); // never in the map picture
    m_view->xorLine(QPointF(10, 10), QPointF(190, 140), Qt::red, 3); // XOR again: off
    EXPECT_EQ(m_view->grab().toImage().convertToFormat(QImage::Format_RGB32), plain);
    m_view->xorLine(QPointF(10, 10), QPointF(190, 140), Qt::red, 3);
    m_view->Refresh();
    EXPECT_EQ(m_view->grab().toImage().convertToFormat(QImage::Format_RGB32), plain);
}

} // namespace
} // namespace zorvik::test
