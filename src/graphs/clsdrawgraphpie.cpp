// The pie chart of clsDrawGraph: one slice per segment, its angle the
// segment's share of the sum, clockwise from twelve o'clock; the diameter is
// half the picture's width.
#include "graphs/clsdrawgraph.h"

#include "graphs/ctllegend.h"
#include "graphs/graphcanvas.h"
#include "graphs/picturebox.h"
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/errors.h"

#include <cmath>
#include <exception>

using namespace veltra;

namespace {

constexpr double FullTurn = 6.28318530717958;
constexpr double QuarterTurn = 1.570796326794895;
constexpr std::int32_t White = 0xFFFFFF;

// A slice or circle drawn with its own pen and brush, which are put back
// afterwards.
class SelectedTools
{
public:
    SelectedTools(GraphCanvas &dc, const GraphPen &pen, const GraphBrush &brush)
        : m_dc(dc)
        , m_oldBrush(dc.selectBrush(brush))
        , m_oldPen(dc.selectPen(pen))
    { }
    ~SelectedTools()
    {
        m_dc.selectPen(m_oldPen);
        m_dc.selectBrush(m_oldBrush);
    }
    SelectedTools(const SelectedTools &) = delete;
    SelectedTools &operator=(const SelectedTools &) = delete;

private:
    GraphCanvas &m_dc;
    GraphBrush m_oldBrush;
    GraphPen m_oldPen;
};

// A share counts as the whole pie when it lies within 0.0001 of 1 once both
// are taken to four decimals.
bool isWholePie(double share)
{
    const vb::Currency gap = vb::cCur(1.0) - vb::cCur(std::abs(share));
    return std::llabs(gap.raw()) <= 1;
}

} // namespace

std::int32_t clsDrawGraph::DrawPie(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend)
{
    m_lngPichDC = lngPichDC;
    m_lngPichWnd = lngPichWnd;
    m_blnShowLegend = blnShowLegend;
    if (!m_blnAutoRedraw || m_lngSegments < 0)
        return 1;
    try {
        const double sum = GetSum();
        if (m_ctlLegend)
            m_ctlLegend->ShowLegend();
        if (!lngPichDC || !lngPichWnd)
            throw vb::ObjectNotSet("picture box");
        GraphCanvas &dc = *lngPichDC;
        const GraphBox client = lngPichWnd->clientRect();
        const GraphBrush oldBrush = dc.selectBrush(GraphBrush::solid(White));
        dc.rectangle(client);
        const std::int32_t centreX = vb::cLng((client.right - client.left) / 2.0);
        const std::int32_t centreY = vb::cLng((client.bottom - client.top) / 2.0);
        const std::int32_t radius = vb::cLng(centreX / 2.0);
        double start = 0;
        try {
            for (std::int64_t i = 0; i <= m_lngSegments; ++i) {
                const GraphSegment &segment = m_typSegment[static_cast<std::size_t>(i)];
                const double divisor = sum != 0 ? sum : segment.Value;
                // 0 / 0: the language's overflow.
                if (divisor == 0)
                    throw vb::Overflow("share of a zero segment in a zero sum");
                const double share = segment.Value / divisor;
                if (isWholePie(share)) {
                    DrawEllipse(centreX, centreY, radius, segment.Value, segment.Color, 0, 1, 0, &dc);
                    break;
                }
                if (share != 0) {
                    const double end = start + share * FullTurn;
                    DrawPieSlice(centreX, centreY, radius, start, end, segment.Value, segment.Color, 0, 0, 0, dc);
                    start = end;
                }
            }
        } catch (...) {
            dc.selectBrush(oldBrush);
            throw;
        }
        dc.selectBrush(oldBrush);
        return 1;
    } catch (const std::exception &) {
        return 2;
    }
}

bool clsDrawGraph::DrawPieSlice(double X, double Y, double R, double startAngle, double endAngle, double caption,
    std::optional<std::int32_t> fillColor, std::optional<std::int32_t> lineColor, std::int32_t lineWidth,
    std::int32_t lineStyle, GraphCanvas &hDC)
{
    const GraphBox box{vb::cLng(X - R), vb::cLng(Y - R), vb::cLng(X + R + 1), vb::cLng(Y + R + 1)};
    // Edge points measured from the rounded box.
    const QPoint startPoint(vb::cLng(box.left + R + R * std::cos(startAngle - QuarterTurn)),
        vb::cLng(box.top + R + R * std::sin(startAngle - QuarterTurn)));
    const QPoint endPoint(vb::cLng(box.left + R + R * std::cos(endAngle - QuarterTurn)),
        vb::cLng(box.top + R + R * std::sin(endAngle - QuarterTurn)));
    if (startPoint == endPoint)
        return false;
    const GraphPen pen = lineColor ? GraphPen{lineStyle, lineWidth, *lineColor} : GraphPen{GraphPen::Null, 0, 0};
    const GraphBrush brush = fillColor ? GraphBrush::solid(*fillColor) : GraphBrush::none();
    {
        const SelectedTools tools(hDC, pen, brush);
        // Counter-clockwise from the end edge to the start edge is the sector
        // swept clockwise from start to end.
        hDC.pie(box, endPoint, startPoint);
    }
    if (m_blnShowLegend)
        PrintText(startPoint.x(), startPoint.y(), vb::cStr(caption), hDC);
    return true;
}

void clsDrawGraph::DrawEllipse(double X, double Y, double R, double inData, std::optional<std::int32_t> innercolor,
    std::optional<std::int32_t> BorderColor, std::int32_t nWidth, std::int32_t nPen, GraphCanvas *O_HDC)
{
    if (!O_HDC)
        throw vb::ObjectNotSet("device context");
    GraphCanvas &dc = *O_HDC;
    const bool borderless = !BorderColor || nPen == GraphPen::Null;
    const GraphPen pen = borderless ? GraphPen{GraphPen::Null, 0, 0} : GraphPen{nPen, nWidth, *BorderColor};
    // A circle without outline grows by one pixel on the left and top.
    const double offset = borderless ? 1 : 0;
    const GraphBrush brush = innercolor ? GraphBrush::solid(*innercolor) : GraphBrush::none();
    const GraphBox box{
        vb::cLng(X - R - offset), vb::cLng(Y - R - offset), vb::cLng(X + R + 1), vb::cLng(Y + R + 1)};
    {
        const SelectedTools tools(dc, pen, brush);
        dc.ellipse(box);
    }
    if (m_blnShowLegend)
        PrintText((box.right - box.left) / 2.0 + box.left, (box.bottom - box.top) / 2.0 + box.top, vb::cStr(inData), dc);
}
