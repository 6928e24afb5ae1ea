// The population pyramid of clsDrawGraph: one row per fed pair, row 0 at
// the bottom, the left bars in segment 0's colour and the right bars in
// segment 1's, growing outwards from a centre line over a dotted grid. The
// scale is counts, in steps of a unit word, or percentages up to a chosen
// half-width.
#include "graphs/clsdrawgraph.h"

#include "graphs/ctllegend.h"
#include "graphs/graphcanvas.h"
#include "graphs/graphgeometry.h"
#include "graphs/picturebox.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

using namespace veltra;

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;
constexpr std::int32_t ExpressionCounts = 0;

using veltra::graphs::box;
using veltra::graphs::divided;
using veltra::graphs::line;

} // namespace

std::int32_t clsDrawGraph::DrawPyramid(GraphCanvas *lngPichDC, PictureBox *lngPichWnd,
    std::int32_t lngExpressionKind, std::int32_t lngHabaMax, bool bOutSizeFrame, bool blnShowLegend)
{
    m_lngPichDC = lngPichDC;
    m_lngPichWnd = lngPichWnd;
    m_lngExpressionKind = lngExpressionKind;
    m_lngHabaMax = lngHabaMax;
    m_bOutSizeFrame = bOutSizeFrame;
    m_blnShowLegend = blnShowLegend;
    if (!m_blnAutoRedraw || m_lngSegments < 0 || m_lngPyramidCnt < 0)
        return 1;
    try {
        if (m_ctlLegend)
            m_ctlLegend->ShowLegend();
        if (!lngPichDC || !lngPichWnd)
            throw vb::ObjectNotSet("picture box");
        GraphCanvas &dc = *lngPichDC;
        const GraphBox client = lngPichWnd->clientRect();
        {
            const GraphBrush old = dc.selectBrush(GraphBrush::solid(White));
            dc.rectangle(client);
            dc.selectBrush(old);
        }

        const double x0 = client.left + 5;
        const double W = (client.right - 5) - x0;
        const double base = client.bottom - 20;
        const double H = base - (client.top + 5);
        const std::int32_t rows = m_lngPyramidCnt + 1;
        const double h = H / rows;
        const double cx = x0 + W / 2;

        double max = 0;
        for (std::int32_t r = 0; r < rows; ++r)
            max = std::max({max, m_dblPyramidLeft[static_cast<std::size_t>(r)],
                m_dblPyramidRight[static_cast<std::size_t>(r)]});

        // Grid steps n, each standing for d, and the pixels per value s.
        std::int32_t n = 0;
        double d = 1;
        double s = 0;
        double limit = 0; // percentages beyond it are drawn at the edge
        const bool counts = lngExpressionKind == ExpressionCounts;
        if (counts) {
            d = SetTani(max);
            if (m_strTani.isEmpty()) {
                if (max > 99) {
                    d = m_dblTani = 100;
                    m_strTani = QStringLiteral("百");
                } else if (max > 9) {
                    d = m_dblTani = 10;
                    m_strTani = QStringLiteral("十");
                }
                max /= d;
            }
            n = vb::cLng(std::ceil(max));
            s = divided(W / 2, n * d);
        } else {
            d = m_dblTani = lngHabaMax;
            m_strTani = QStringLiteral("％");
            n = lngHabaMax;
            s = divided(W / 2, lngHabaMax);
            limit = lngHabaMax;
        }
        // Clamped while drawing only, so that a later redraw with a wider
        // maximum still shows the stored percentages.
        const auto drawn = [&](double value) { return counts ? value : std::min(value, limit); };

        line(dc, cx, client.top, cx, base);
        dc.textOut(QPoint(vb::cLng(cx), vb::cLng(base)), QStringLiteral("0"));
        line(dc, client.left, base, client.right, base);
        dc.textOut(QPoint(vb::cLng(cx - 10), client.bottom - 15), m_strTani);

        {
            const GraphPen old = dc.selectPen(GraphPen{GraphPen::Dot, 1, Black});
            const double step = divided(W, 2.0 * n);
            const auto gridLine = [&](double x, std::int32_t i) {
                line(dc, x, client.top, x, base);
                dc.textOut(QPoint(vb::cLng(x), vb::cLng(base)), QString::number(i));
            };
            for (std::int32_t i = n; i >= 1; --i)
                gridLine(cx - i * step, i);
            for (std::int32_t i = 1; i <= n; ++i)
                gridLine(cx + i * step, i);
            dc.selectPen(old);
        }

        const auto bars = [&](std::int32_t segment, const std::vector<double> &values, double side) {
            if (segment > m_lngSegments)
                throw vb::SubscriptOutOfRange("the pyramid needs segment " + std::to_string(segment));
            const std::int32_t colour = m_typSegment[static_cast<std::size_t>(segment)].Color;
            const GraphBrush oldBrush = dc.selectBrush(GraphBrush::solid(colour));
            // Borderless bars: the outline takes the fill colour.
            std::optional<GraphPen> oldPen;
            if (!bOutSizeFrame)
                oldPen = dc.selectPen(GraphPen{GraphPen::Solid, 1, colour});
            for (std::int32_t r = 0; r < rows; ++r) {
                const double value = drawn(values[static_cast<std::size_t>(r)]);
                dc.rectangle(box(cx + side * s * value, base - (r + 1) * h, cx, base - r * h));
            }
            if (oldPen)
                dc.selectPen(*oldPen);
            dc.selectBrush(oldBrush);
        };
        bars(0, m_dblPyramidLeft, -1);
        bars(1, m_dblPyramidRight, 1);
        return 1;
    } catch (const std::exception &) {
        return 2;
    }
}
