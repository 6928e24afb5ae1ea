#include "graphs/clsdrawgraph.h"

#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/graphcanvas.h"
#include "graphs/picturebox.h"
#include "graphs/tani.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "platform/vb/subscript.h"

#include <cmath>
#include <limits>
#include <string>

using namespace veltra;

namespace {

constexpr double Pi = 3.14159265358979;

// Raises a last-index counter by one and makes room in the list for it.
template<typename List>
std::size_t nextIndex(std::int32_t &counter, List &list)
{
    if (counter == std::numeric_limits<std::int32_t>::max())
        throw vb::Overflow("entry counter");
    ++counter;
    const auto i = static_cast<std::size_t>(counter);
    if (i >= list.size())
        list.resize(i + 1);
    return i;
}

template<typename List>
void resetToOne(List &list)
{
    list.assign(1, typename List::value_type{});
}

} // namespace

clsDrawGraph::clsDrawGraph()
{
    Clear();
}

void clsDrawGraph::Clear()
{
    m_lngSegments = -1;
    m_lngSanpuCnt = -1;
    m_lngPyramidCnt = -1;
    m_intGradeNum = 0;
    resetToOne(m_typSegment);
    resetToOne(m_lngSanpuIdx);
    resetToOne(m_dblPyramidLeft);
    resetToOne(m_dblPyramidRight);
    resetToOne(m_typClass);
    resetToOne(m_lngClassColor);
    if (m_ctlLegend)
        m_ctlLegend->Clear();
}

void clsDrawGraph::AddSegment(double dblPercentage, const QString &Name, std::int32_t lngColour, double dblSetaisuu)
{
    const std::size_t i = nextIndex(m_lngSegments, m_typSegment);
    m_typSegment[i] = GraphSegment{dblPercentage, lngColour, Name, dblSetaisuu, 0, 0};
    // The choropleth legend rows come from the classes, not the segments.
    if (glngGraphKind != GraphKindNuri && m_ctlLegend)
        m_ctlLegend->AddSegment(dblPercentage, Name, lngColour);
}

void clsDrawGraph::AddSanpuIDX(std::int32_t lngIdx)
{
    m_lngSanpuIdx[nextIndex(m_lngSanpuCnt, m_lngSanpuIdx)] = lngIdx;
}

void clsDrawGraph::AddPyramidSegment(double dblLeft, double dblRight)
{
    const std::size_t i = nextIndex(m_lngPyramidCnt, m_dblPyramidLeft);
    if (i >= m_dblPyramidRight.size())
        m_dblPyramidRight.resize(i + 1);
    m_dblPyramidLeft[i] = dblLeft;
    m_dblPyramidRight[i] = dblRight;
}

void clsDrawGraph::SetCtlLegend(ctlLegend *lnLegend)
{
    m_ctlLegend = lnLegend;
}

void clsDrawGraph::SetCtlGradation(ctlGradation *lnGradation)
{
    m_ctlGradation = lnGradation;
}

void clsDrawGraph::SetCtlSelect(ItemSelection *lnSelect)
{
    m_ctlSelect = lnSelect;
}

void clsDrawGraph::SetFormName(GraphOwner *owner)
{
    m_frmOwner = owner;
}

void clsDrawGraph::setAutoRedraw(bool blnVal)
{
    if (blnVal == m_blnAutoRedraw)
        return;
    m_blnAutoRedraw = blnVal;
    ReDraw();
}

void clsDrawGraph::ReDraw()
{
    // Each kind repeats its last drawing call; any other kind draws nothing.
    switch (glngGraphKind) {
    case GraphKindNuri:
        DrawHistogram(m_lngPichDC, m_lngPichWnd, m_blnShowLegend, m_strGraphInit, m_intIdx, m_strPosition);
        break;
    case GraphKindPie:
        DrawPie(m_lngPichDC, m_lngPichWnd, m_blnShowLegend);
        break;
    case GraphKindBar:
        DrawRectangle(m_lngPichDC, m_lngPichWnd, m_blnShowLegend);
        break;
    case GraphKindPyramid:
        DrawPyramid(m_lngPichDC, m_lngPichWnd, m_lngExpressionKind, m_lngHabaMax, m_bOutSizeFrame, m_blnShowLegend);
        break;
    case GraphKindSanpuzu:
        DrawSanpuzu(m_lngPichDC, m_lngPichWnd, m_blnShowLegend);
        break;
    case GraphKindBarAxis:
        DrawMemori(m_lngPichDC, m_lngPichWnd, m_blnShowLegend);
        break;
    default:
        break;
    }
    if (m_lngPichWnd)
        m_lngPichWnd->update();
}

void clsDrawGraph::GetHead4(std::int32_t lngIDX, std::int32_t &lngColor, double &dblStart, double &dblEnd) const
{
    lngColor = vb::elementAt(m_lngClassColor, lngIDX, "class colour");
    const ClassRange &range = vb::elementAt(m_typClass, lngIDX, "class");
    dblStart = range.Ijyou;
    dblEnd = range.Miman;
}

void clsDrawGraph::GetHead5(std::int32_t lngIDX, QString &strName, std::int32_t &lngColor) const
{
    const GraphSegment &segment = vb::elementAt(m_typSegment, lngIDX, "segment");
    strName = segment.Name;
    lngColor = segment.Color;
}

void clsDrawGraph::ChangeColor(std::int16_t intIndex, std::int32_t lngColor)
{
    if (glngGraphKind == GraphKindNuri) {
        vb::elementAt(m_lngClassColor, intIndex, "class colour") = lngColor;
        m_blnColorChanged = true;
    } else {
        vb::elementAt(m_typSegment, intIndex, "segment").Color = lngColor;
    }
    if (!m_ctlLegend)
        throw vb::ObjectNotSet("legend");
    m_ctlLegend->ChangeColor(intIndex, lngColor);
    if (m_blnAutoRedraw)
        ReDraw();
}

void clsDrawGraph::DegreesToXY(std::int32_t CenterX, std::int32_t CenterY, double degree, std::int32_t radiusX,
    std::int32_t radiusY, std::int32_t &X, std::int32_t &Y) const
{
    const double radians = degree * Pi / 180;
    X = vb::cLng(CenterX + radiusX * std::sin(radians));
    Y = vb::cLng(CenterY - radiusY * std::cos(radians));
}

void clsDrawGraph::PrintText(double X, double Y, const QString &text, GraphCanvas &hDC)
{
    // The label font, filled anew for every label: 10 pixels high, regular.
    m_typFont = QFont(QStringLiteral("IPAexGothic"));
    m_typFont.setStyleHint(QFont::SansSerif);
    m_typFont.setPixelSize(10);
    m_typFont.setWeight(QFont::Normal);
    const QFont old = hDC.selectFont(m_typFont);
    hDC.textOut(QPoint(vb::cLng(X), vb::cLng(Y)), text);
    hDC.selectFont(old);
}

double clsDrawGraph::SetTani(double &value)
{
    const graphs::Tani tani = graphs::taniFor(value);
    m_strTani = tani.word;
    m_dblTani = tani.divisor;
    if (!m_strTani.isEmpty())
        value /= m_dblTani;
    return m_dblTani;
}
