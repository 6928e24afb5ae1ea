// The scatter diagram of clsDrawGraph: one 6-pixel square per segment at
// (Setaisuu, Value), the axes crossing at (60, bottom - 35) with tick labels
// counted in units of their unit words, the least-squares line of Value on
// Setaisuu and the correlation coefficient in the owner's lblKeisuu.
//
// The coefficient is worked out in four-decimal fixed point as the owner's
// figures always were, so large deviations overflow (about ±9.2E14) and the
// diagram then fails rather than showing a coefficient of lost precision.
#include "graphs/clsdrawgraph.h"

#include "graphs/ctllegend.h"
#include "graphs/graphcanvas.h"
#include "graphs/graphgeometry.h"
#include "graphs/graphowner.h"
#include "graphs/picturebox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/errors.h"
#include "platform/vb/format.h"

#include <QLabel>
#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>

using namespace veltra;

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;

using vb::Currency;

Currency cur(double value)
{
    return vb::cCur(value);
}

// Products and quotients of Currency, rounded back to four decimals.
Currency times(Currency a, Currency b)
{
    return cur(a.toDouble() * b.toDouble());
}

Currency over(Currency a, double b)
{
    if (b == 0)
        throw std::domain_error("Division by zero");
    return cur(a.toDouble() / b);
}

using veltra::graphs::box;
using veltra::graphs::divided;
using veltra::graphs::line;

QString tickLabel(std::int32_t step)
{
    return (QString(7, QLatin1Char(' ')) + vb::format(step, QStringLiteral("###,##0"))).right(7);
}

} // namespace

double clsDrawGraph::DrawSanpuzu(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend)
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
        const GraphBox client = lngPichWnd->clientRect();
        const double right = client.right;
        const double bottom = client.bottom;
        {
            const GraphBrush old = dc.selectBrush(GraphBrush::solid(White));
            dc.rectangle(client);
            dc.selectBrush(old);
        }
        if (m_ctlLegend)
            m_ctlLegend->ShowLegend();
        if (m_lngSegments < 1)
            return 1;
        GraphOwner &owner = requireOwner(m_frmOwner);

        double maxX = 0;
        double maxY = 0;
        double minX = m_typSegment.front().Setaisuu;
        for (std::int32_t i = 0; i <= m_lngSegments; ++i) {
            const GraphSegment &point = m_typSegment[static_cast<std::size_t>(i)];
            maxX = std::max(maxX, point.Setaisuu);
            maxY = std::max(maxY, point.Value);
            minX = std::min(minX, point.Setaisuu);
        }

        double reset = 0;
        SetTani(reset);
        // The axis top, and the divisor its tick labels count in: the unit
        // word's, or 十 or 百 for a top without one.
        const auto scaleAxis = [this](double largest, double &divisor) {
            const std::int32_t top = get_MaxSuuchi(vb::cStr(largest));
            double copy = top;
            divisor = SetTani(copy);
            if (copy > 99) {
                divisor = m_dblTani = 100;
                m_strTani = QStringLiteral("百");
            } else if (copy > 9) {
                divisor = m_dblTani = 10;
                m_strTani = QStringLiteral("十");
            }
            return top;
        };
        double divX = 1;
        const std::int32_t topX = scaleAxis(maxX, divX);
        if (!m_strTani.isEmpty())
            dc.textOut(QPoint(vb::cLng(right - 30), vb::cLng(bottom - 15)), m_strTani);
        double divY = 1;
        const std::int32_t topY = scaleAxis(maxY, divY);
        if (!m_strTani.isEmpty())
            dc.textOut(QPoint(5, 4), m_strTani);

        line(dc, 40, bottom - 35, right, bottom - 35);
        line(dc, 60, bottom - 15, 60, 0);
        const double sx = divided(right - 70, topX);
        const double sy = divided(bottom - 45, topY);

        const GraphBrush old = dc.selectBrush(GraphBrush::solid(Black));
        const std::int32_t ticksX = topX / vb::cLng(divX);
        for (std::int32_t j = 1; j <= ticksX; ++j) {
            const double p = j * divX * sx + 60;
            dc.rectangle(box(p - 1, bottom - 35, p, bottom - 31));
            dc.textOut(QPoint(vb::cLng(p - 28), vb::cLng(bottom - 29)), tickLabel(j));
        }
        const std::int32_t ticksY = topY / vb::cLng(divY);
        for (std::int32_t k = 1; k <= ticksY; ++k) {
            const double q = bottom - 35 - k * divY * sy;
            dc.rectangle(box(56, q - 1, 60, q));
            dc.textOut(QPoint(20, vb::cLng(q - 6)), tickLabel(k));
        }
        dc.selectBrush(old);

        const double tx = ui::twipsPerPixelX();
        const double ty = ui::twipsPerPixelY();
        for (std::int32_t i = 0; i <= m_lngSegments; ++i) {
            GraphSegment &point = m_typSegment[static_cast<std::size_t>(i)];
            const double x = sx * point.Setaisuu;
            const double y = bottom - sy * point.Value;
            const GraphBrush previous = dc.selectBrush(GraphBrush::solid(point.Color));
            dc.rectangle(box(x + 57, y - 32, x + 63, y - 38));
            dc.selectBrush(previous);
            point.PlotX = (x + 60) * tx;
            point.PlotY = (y - 35) * ty;
        }

        const double r = DrawLinearFit(lngPichDC, vb::cLng(right), vb::cLng(bottom), maxX, minX, sx, sy);
        requireControl(owner.lblKeisuu(), "lblKeisuu")->setText(vb::format(r, QStringLiteral("#0.00")));
        return r != 0 ? 1 : 2;
    } catch (const std::exception &) {
        if (m_frmOwner && m_frmOwner->lblKeisuu())
            m_frmOwner->lblKeisuu()->setText(QString());
        return 2;
    }
}

double clsDrawGraph::DrawLinearFit(GraphCanvas *lngPichDC, std::int32_t x_Width, std::int32_t y_Height,
    double Max_x, double Min_x, double d_Tani_x, double d_Tani_y)
{
    (void)x_Width;
    if (m_lngSegments < 1)
        return 0;
    if (!lngPichDC)
        throw vb::ObjectNotSet("picture box");
    const double n = m_lngSegments + 1;
    const double sumX = GetSumX(0);
    const double sumY = GetSumY(0);
    const double sumXX = GetSumSpaX(0);
    const double sumXY = GetSumMul(0);
    const double d = sumXX - sumX * sumX / n;
    if (d == 0)
        return 0;
    const double a = (sumXY - sumX * sumY / n) / d;
    const double b = (sumY - sumX * a) / n;

    // The end is held 20 pixels below the X axis; the start is not limited.
    const double axisGap = 35;
    double end = y_Height - (a * Max_x + b) * d_Tani_y - axisGap;
    if (end > y_Height - 15)
        end = y_Height - 15;
    line(*lngPichDC, Min_x * d_Tani_x + 60, y_Height - (a * Min_x + b) * d_Tani_y - axisGap, Max_x * d_Tani_x + 60,
        end);

    const Currency meanX = cur(sumX / n);
    const Currency meanY = cur(sumY / n);
    Currency ssX, ssY, sp;
    for (std::int32_t i = 0; i <= m_lngSegments; ++i) {
        const GraphSegment &point = m_typSegment[static_cast<std::size_t>(i)];
        const Currency dx = cur(point.Setaisuu) - meanX;
        const Currency dy = cur(point.Value) - meanY;
        ssX = ssX + times(dx, dx);
        ssY = ssY + times(dy, dy);
        sp = sp + times(dx, dy);
    }
    const Currency sdX = cur(std::sqrt(over(ssX, n).toDouble()));
    const Currency sdY = cur(std::sqrt(over(ssY, n).toDouble()));
    const Currency covariance = over(sp, n);
    const Currency den = times(sdX, sdY);
    if (den.raw() == 0)
        return 0;
    return covariance.toDouble() / den.toDouble();
}

std::int32_t clsDrawGraph::chkZahyou(float x, float y) const
{
    const auto tx = static_cast<float>(vb::cLng(3 * ui::twipsPerPixelX()));
    const auto ty = static_cast<float>(vb::cLng(3 * ui::twipsPerPixelY()));
    for (std::int32_t i = 0; i <= m_lngSegments; ++i) {
        const GraphSegment &point = m_typSegment[static_cast<std::size_t>(i)];
        const auto px = static_cast<float>(point.PlotX);
        const auto py = static_cast<float>(point.PlotY);
        if (px - tx <= x && x <= px + tx && py - ty <= y && y <= py + ty) {
            if (static_cast<std::size_t>(i) >= m_lngSanpuIdx.size())
                throw vb::SubscriptOutOfRange("scatter index " + std::to_string(i));
            return m_lngSanpuIdx[static_cast<std::size_t>(i)];
        }
    }
    return -1;
}
