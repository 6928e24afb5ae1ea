// The choropleth class histogram of clsDrawGraph: the sorted values, their
// statistics in the owner's labels, the classes (clsdrawgraphclasses.cpp),
// one legend row per class, a count axis with one red bar of equal width
// per class, and the boundary handles along shpBar under the picture.
//
// The sort works on the values only and writes them back in order into the
// segments, whose names, colours and household counts stay at their fed
// indexes: after a histogram a segment's name no longer goes with its value.
// Nothing downstream may read names or colours against the sorted values.
#include "graphs/clsdrawgraph.h"

#include "graphs/ctllegend.h"
#include "graphs/graphcanvas.h"
#include "graphs/graphgeometry.h"
#include "graphs/graphowner.h"
#include "graphs/itemselection.h"
#include "graphs/picturebox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "platform/vb/format.h"
#include "shell/modsort.h"

#include <QLabel>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>

using namespace veltra;

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;
constexpr std::int32_t Red = 0x0000FF; // RGB(255, 0, 0) as BGR
constexpr std::int16_t CalcRatio = 2;
constexpr std::int16_t CalcGrowth = 3;

// The formatted number appended to `width` blanks, of which the last
// `width` characters are kept.
QString rightAligned(double value, const QString &pattern, int width)
{
    return (QString(width, QLatin1Char(' ')) + vb::format(value, pattern)).right(width);
}

void setCaption(QLabel *label, const char *name, const QString &text)
{
    requireControl(label, name)->setText(text);
}

using veltra::graphs::box;
using veltra::graphs::divided;
using veltra::graphs::line;

} // namespace

std::int32_t clsDrawGraph::DrawHistogram(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend,
    const QString &strGraphInit, std::int16_t intIdx, const QString &strPosition)
{
    m_lngPichDC = lngPichDC;
    m_lngPichWnd = lngPichWnd;
    m_blnShowLegend = blnShowLegend;
    m_strGraphInit = strGraphInit;
    m_intIdx = intIdx;
    m_strPosition = strPosition;
    if (!m_blnAutoRedraw || m_lngSegments < 1)
        return 1;
    try {
        const std::int32_t n = m_lngSegments + 1;
        std::vector<double> sorted(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i)
            sorted[static_cast<std::size_t>(i)] = m_typSegment[static_cast<std::size_t>(i)].Value * 10;
        modSort::QuickSortDouble(sorted, 0, n - 1);
        for (std::int32_t i = 0; i < n; ++i)
            m_typSegment[static_cast<std::size_t>(i)].Value = sorted[static_cast<std::size_t>(i)] / 10;
        const double min = m_typSegment.front().Value;
        double max = m_typSegment[static_cast<std::size_t>(n - 1)].Value;

        // Only the unit word and divisor are wanted here.
        max *= SetTani(max);

        GraphOwner &owner = requireOwner(m_frmOwner);
        const double sum = GetSum();
        const double average = GetAverage(sum);
        const double variance = GetBunsan(sum);
        const double deviation = GetStandard(variance);
        const QString money = QStringLiteral("###,###,##0.00");
        setCaption(owner.lblAverage(), "lblAverage", rightAligned(average, money, 14));
        setCaption(owner.lblBunsan(), "lblBunsan", rightAligned(variance, QStringLiteral("############0.00"), 16));
        setCaption(owner.lblStandard(), "lblStandard", rightAligned(deviation, money, 14));
        setCaption(owner.lblMax(), "lblMax", rightAligned(max, money, 14));
        setCaption(owner.lblMin(), "lblMin", rightAligned(min, money, 14));
        setCaption(owner.lblRange(), "lblRange", rightAligned(max - min, money, 14));

        if (!classify(strGraphInit, average, deviation))
            return 2;
        const std::int32_t k = m_intGradeNum;

        if (m_ctlLegend)
            m_ctlLegend->Clear();
        if (!m_ctlSelect)
            throw vb::ObjectNotSet("ctlSelect");
        const std::int16_t calculation = m_ctlSelect->GetItemSelect(1);
        const bool fractional = calculation == CalcRatio || calculation == CalcGrowth;
        const QString boundPattern = fractional ? QStringLiteral("####0.0000") : QStringLiteral("#######0.0");
        const int boundWidth = fractional ? 10 : 12;
        double largest = 0;
        bool first = true;
        for (std::int32_t i = 0; i < k; ++i) {
            const ClassRange &range = m_typClass.at(static_cast<std::size_t>(i));
            const QString row = rightAligned(range.Ijyou, boundPattern, boundWidth) + QLatin1Char('/')
                + rightAligned(range.Miman, boundPattern, boundWidth) + QLatin1Char('/') + vb::cStr(range.Kensuu);
            if (m_ctlLegend)
                m_ctlLegend->AddSegment(range.Kensuu, row, m_lngClassColor.at(static_cast<std::size_t>(i)));
            if (first || range.Kensuu > largest) {
                largest = range.Kensuu;
                first = false;
            }
        }

        const std::int32_t top = get_MaxSuuchi(vb::cStr(largest));
        const std::int32_t interval = get_Y_Kankaku(top);
        if (!lngPichDC || !lngPichWnd)
            throw vb::ObjectNotSet("picture box");
        GraphCanvas &dc = *lngPichDC;
        const GraphBox client = lngPichWnd->clientRect();
        const double W = client.right - client.left;
        const double H = client.bottom - client.top;
        if (m_ctlLegend) {
            m_ctlLegend->SetRange(m_dblMax, m_dblMin);
            m_ctlLegend->ShowLegend();
        }

        const double tpp = ui::twipsPerPixelX();
        const PictureBox &firstHandle = *requireControl(owner.picSlider(0), "picSlider");
        const double handleTwips = ui::pixelsToTwipsX(firstHandle.width());
        const double sw = handleTwips / tpp;
        const bool computed = strGraphInit == QLatin1String("1");
        if (computed) {
            const GraphBrush old = dc.selectBrush(GraphBrush::solid(White));
            dc.rectangle(client);
            dc.selectBrush(old);
        }
        const double axisY = H - 35;
        line(dc, 60, axisY, W - sw, axisY);
        line(dc, 60, axisY, 60, 0);
        line(dc, W - sw, axisY, W - sw, 0);
        const double perCount = divided(H - 45, top);
        const double barWidth = divided(W - 60 - sw, k);
        if (computed) {
            const GraphBrush old = dc.selectBrush(GraphBrush::solid(Black));
            const std::int32_t ticks = top / interval;
            for (std::int32_t j = 1; j <= ticks; ++j) {
                const double y = axisY - perCount * interval * j;
                line(dc, 55, y, W - sw, y);
                dc.textOut(QPoint(20, vb::cLng(y - 6)),
                    rightAligned(static_cast<double>(j) * interval, QStringLiteral("###,##0"), 7));
            }
            for (std::int32_t i = 0; i < k; ++i) {
                const double count = m_typClass.at(static_cast<std::size_t>(i)).Kensuu;
                const GraphBrush previous = dc.selectBrush(GraphBrush::solid(Red));
                dc.rectangle(box(60 + i * barWidth, axisY, 60 + (i + 1) * barWidth, axisY - perCount * count));
                dc.selectBrush(previous);
            }
            dc.selectBrush(old);
        }

        // The handles, in twips of the owner window.
        PictureBox &map = *requireControl(owner.picMap(), "picMap");
        const double mapWidth = ui::pixelsToTwipsX(map.width());
        const double mapHeight = ui::pixelsToTwipsX(map.height());
        const auto s = static_cast<double>(vb::cLng(handleTwips));
        std::vector<PictureBox *> handles;
        for (std::int32_t i = 0; i <= k; ++i) {
            PictureBox *handle = requireControl(owner.picSlider(static_cast<std::int16_t>(i)), "picSlider");
            handle->setBorderStyle(0);
            handle->move(handle->x(), ui::twipsToPixelsY(mapHeight - 35 * tpp + 70));
            handles.push_back(handle);
        }
        QWidget &bar = *requireControl(owner.shpBar(), "shpBar");
        bar.setGeometry(ui::twipsToPixelsX(60 * tpp), ui::twipsToPixelsY(mapHeight - 17.5 * tpp),
            ui::twipsToPixelsX((mapWidth - 60 * tpp) - 2 * s + s), bar.height());
        const auto placeHandle = [&](std::int32_t i, double left) {
            PictureBox &handle = *handles.at(static_cast<std::size_t>(i));
            handle.move(ui::twipsToPixelsX(left), handle.y());
        };
        if (computed || strGraphInit == QLatin1String("2")) {
            for (std::int32_t i = 0; i < k; ++i)
                placeHandle(i, getSliderIchi(m_typClass.at(static_cast<std::size_t>(i)).Ijyou));
            placeHandle(k, getSliderIchi(m_typClass.at(static_cast<std::size_t>(k - 1)).Miman));
        } else {
            const QStringList parts = strPosition.split(QLatin1Char('/'));
            for (std::int32_t i = 0; i <= k; ++i) {
                if (i >= parts.size())
                    throw vb::SubscriptOutOfRange("handle position " + std::to_string(i));
                placeHandle(i, vb::cDbl(parts[i]));
            }
        }
        return 1;
    } catch (const std::exception &) {
        return 2;
    }
}
