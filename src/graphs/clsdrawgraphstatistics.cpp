// The descriptive statistics of clsDrawGraph over its segment list.
//
// Loops count in full-width integers: a town-block map feeds more segments
// than a 16-bit counter holds. A result that leaves the Double range fails
// with Overflow, as the language's floating-point error did.
#include "graphs/clsdrawgraph.h"

#include "platform/vb/errors.h"

#include <cmath>
#include <stdexcept>

using namespace veltra;

namespace {

double checkedDouble(double value)
{
    if (!std::isfinite(value))
        throw vb::Overflow("statistics out of the Double range");
    return value;
}

double scaled(double v, double scale)
{
    return v / scale;
}

double termX(const GraphSegment &s, double scale)
{
    return scaled(s.Setaisuu, scale);
}

double termY(const GraphSegment &s, double scale)
{
    return scaled(s.Value, scale);
}

double termMul(const GraphSegment &s, double scale)
{
    return scaled(s.Setaisuu, scale) * scaled(s.Value, scale);
}

double termSpaX(const GraphSegment &s, double scale)
{
    const double x = scaled(s.Setaisuu, scale);
    return x * x;
}

double termSpaY(const GraphSegment &s, double scale)
{
    const double y = scaled(s.Value, scale);
    return y * y;
}

} // namespace

double clsDrawGraph::sumOf(double (*term)(const GraphSegment &, double scale), std::int32_t nFlg) const
{
    const double scale = nFlg != 0 ? 100 : 1;
    double sum = 0;
    for (std::int64_t i = 0; i <= m_lngSegments; ++i)
        sum = checkedDouble(sum + term(m_typSegment[static_cast<std::size_t>(i)], scale));
    return sum;
}

double clsDrawGraph::GetSum() const
{
    return sumOf(termY, 0);
}

double clsDrawGraph::GetAverage(double GetSum) const
{
    if (m_lngSegments < 1)
        return 0;
    return checkedDouble(GetSum / (static_cast<double>(m_lngSegments) + 1));
}

double clsDrawGraph::GetBunsan(double GetSum) const
{
    if (m_lngSegments < 1)
        return 0;
    const double n = static_cast<double>(m_lngSegments) + 1;
    const double squares = sumOf(termSpaY, 0);
    return checkedDouble(std::abs((squares - GetSum * GetSum / n) / n));
}

double clsDrawGraph::GetStandard(double GetBunsan) const
{
    if (GetBunsan < 0)
        throw std::domain_error("Invalid procedure call: square root of a negative variance");
    return std::sqrt(GetBunsan);
}

double clsDrawGraph::GetSumX(std::int32_t nFlg) const
{
    return sumOf(termX, nFlg);
}

double clsDrawGraph::GetSumY(std::int32_t nFlg) const
{
    return sumOf(termY, nFlg);
}

double clsDrawGraph::GetSumMul(std::int32_t nFlg) const
{
    return sumOf(termMul, nFlg);
}

double clsDrawGraph::GetSumSpaX(std::int32_t nFlg) const
{
    return sumOf(termSpaX, nFlg);
}

double clsDrawGraph::GetSumSpaY(std::int32_t nFlg) const
{
    return sumOf(termSpaY, nFlg);
}
