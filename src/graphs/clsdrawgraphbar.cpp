// The bar graph of clsDrawGraph and its value axis: one bar per segment in
// its colour, standing on the baseline y = 225 and scaled so that the
// rounded axis top is 215 pixels high; the axis is drawn on a picture of its
// own. More than nine bars widen the bar picture to 37 pixels a bar and
// show the owner's scroll bar.
#include "graphs/axisscale.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctllegend.h"
#include "graphs/graphcanvas.h"
#include "graphs/graphowner.h"
#include "graphs/picturebox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "platform/vb/format.h"

#include <QScrollBar>
#include <algorithm>
#include <exception>
#include <stdexcept>

using namespace veltra;

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr double Baseline = 225;
constexpr double AxisHeight = 215;
constexpr std::int32_t WidePitch = 37;
constexpr std::int32_t NarrowWidth = 355;
constexpr std::int32_t VisibleBars = 10; // bars of the frame's width at the wide pitch

void fillWhite(GraphCanvas &dc, const PictureBox &picture)
{
    const GraphBrush old = dc.selectBrush(GraphBrush::solid(White));
    dc.rectangle(picture.clientRect());
    dc.selectBrush(old);
}

void line(GraphCanvas &dc, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    dc.moveTo(QPoint(x1, y1));
    dc.lineTo(QPoint(x2, y2));
}

void hideScrollBar(QScrollBar *scroll)
{
    if (!scroll)
        return;
    scroll->setValue(0);
    scroll->setVisible(false);
}

} // namespace

struct clsDrawGraph::AxisRange
{
    std::int32_t top = 0;
    std::int32_t interval = 0;
    double pixelsPerUnit = 0;
    std::int32_t ticks = 0;
};

clsDrawGraph::AxisRange clsDrawGraph::axisRange()
{
    double largest = 0;
    for (std::int32_t i = 0; i <= m_lngSegments; ++i)
        largest = std::max(largest, m_typSegment[static_cast<std::size_t>(i)].Value);
    SetTani(largest);
    AxisRange range;
    range.top = get_MaxSuuchi(vb::cStr(largest));
    range.interval = get_Y_Kankaku(range.top);
    // All values 0 or negative: no axis can be scaled.
    if (range.top == 0)
        throw std::domain_error("Division by zero: the value axis has no height");
    range.pixelsPerUnit = AxisHeight / range.top;
    range.ticks = range.top / range.interval;
    return range;
}

std::int32_t clsDrawGraph::get_MaxSuuchi(const QString &strSuuchi) const
{
    return graphs::axisTop(strSuuchi);
}

std::int32_t clsDrawGraph::get_Y_Kankaku(double d_Max) const
{
    return graphs::tickInterval(d_Max);
}

std::int32_t clsDrawGraph::DrawRectangle(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend)
{
    m_lngPichDC = lngPichDC;
    m_lngPichWnd = lngPichWnd;
    m_blnShowLegend = blnShowLegend;
    if (!m_blnAutoRedraw)
        return 1;
    try {
        if (!lngPichDC || !lngPichWnd)
            throw vb::ObjectNotSet("picture box");
        GraphCanvas &dc = *lngPichDC;
        GraphOwner &owner = requireOwner(m_frmOwner);
        QScrollBar *scroll = owner.HScroll1();
        fillWhite(dc, *lngPichWnd);
        hideScrollBar(scroll);
        if (m_lngSegments < 0)
            return 1;
        if (m_ctlLegend)
            m_ctlLegend->ShowLegend();

        const AxisRange range = axisRange();
        const std::int32_t bars = m_lngSegments + 1;
        std::int32_t pitch = 0;
        std::int32_t width = 0;
        if (m_lngSegments > VisibleBars - 2) {
            pitch = WidePitch;
            width = (bars + 1) * WidePitch;
            if (scroll) {
                const double tpp = ui::twipsPerPixelX();
                PictureBox &frame = *requireControl(owner.picWaku(), "picWaku");
                PictureBox &graph = *requireControl(owner.picGraph(), "picGraph");
                const double frameTwips = tpp * VisibleBars * WidePitch + 20;
                frame.resize(ui::twipsToPixelsX(frameTwips), frame.height());
                graph.resize(width, graph.height());
                fillWhite(dc, *lngPichWnd);
                scroll->setVisible(true);
                scroll->resize(ui::twipsToPixelsX(frameTwips), scroll->height());
                const std::int32_t max
                    = vb::cLng(ui::pixelsToTwipsX(graph.width()) - ui::pixelsToTwipsX(frame.width()) + 10);
                scroll->setMaximum(max);
                scroll->setValue(0);
                scroll->setPageStep(vb::cLng(max / 10.0));
                scroll->setSingleStep(scroll->pageStep());
            }
        } else {
            width = NarrowWidth;
            pitch = NarrowWidth / (bars + 1);
            fillWhite(dc, *lngPichWnd);
            hideScrollBar(scroll);
        }

        for (std::int32_t j = 1; j <= range.ticks; ++j) {
            const std::int32_t y = vb::cLng(Baseline - range.pixelsPerUnit * range.interval * j);
            line(dc, -2, y, width, y);
        }

        const std::int32_t half = pitch / 3;
        for (std::int32_t k = 0; k <= m_lngSegments; ++k) {
            const GraphSegment &segment = m_typSegment[static_cast<std::size_t>(k)];
            const double value = segment.Value / m_dblTani;
            const std::int32_t left = vb::cLng(static_cast<double>(k) * pitch + pitch - half);
            const std::int32_t right = vb::cLng(static_cast<double>(k) * pitch + pitch + half);
            const std::int32_t top = vb::cLng(Baseline - value * range.pixelsPerUnit);
            const GraphBrush old = dc.selectBrush(GraphBrush::solid(segment.Color));
            dc.rectangle(GraphBox{left, std::min<std::int32_t>(top, Baseline), right,
                std::max<std::int32_t>(top, Baseline)});
            dc.selectBrush(old);
            if (blnShowLegend)
                PrintText(left + (right - left) / 2.0, top + 3, vb::cStr(value), dc);
        }
        return 1;
    } catch (const std::exception &) {
        return 2;
    }
}

std::int32_t clsDrawGraph::DrawMemori(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend)
{
    m_lngPichDC = lngPichDC;
    m_lngPichWnd = lngPichWnd;
    m_blnShowLegend = blnShowLegend;
    if (!m_blnAutoRedraw || m_lngSegments < 0)
        return 1;
    try {
        if (!lngPichDC || !lngPichWnd)
            throw vb::ObjectNotSet("picture box");
        GraphCanvas &dc = *lngPichDC;
        const AxisRange range = axisRange();
        fillWhite(dc, *lngPichWnd);
        const std::int32_t bottom = lngPichWnd->clientRect().bottom;
        const double base = bottom - 20;
        for (std::int32_t j = 1; j <= range.ticks; ++j) {
            const double at = base - range.pixelsPerUnit * range.interval * j;
            const std::int32_t y = vb::cLng(at);
            line(dc, 40, y, 45, y);
            const QString label = vb::format(static_cast<double>(j) * range.interval, QStringLiteral("###,##0"));
            dc.textOut(QPoint(4, vb::cLng(at - 6)), (QString(7, QLatin1Char(' ')) + label).right(7));
        }
        if (!m_strTani.isEmpty())
            dc.textOut(QPoint(10, bottom - 15), m_strTani);
        return 1;
    } catch (const std::exception &) {
        return 2;
    }
}
