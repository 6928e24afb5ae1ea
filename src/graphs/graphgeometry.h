#pragma once
// Small drawing helpers the graph routines share: lines and boxes from
// Double coordinates rounded to whole pixels as the routines round them, and
// a division that raises instead of giving infinity (the routines trap it
// and end with status 2).
#include "graphs/graphcanvas.h"
#include "platform/vb/convert.h"

#include <QPoint>
#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace veltra::graphs {

inline double divided(double numerator, double denominator)
{
    if (denominator == 0)
        throw std::domain_error("Division by zero");
    return numerator / denominator;
}

inline void line(GraphCanvas &dc, double x1, double y1, double x2, double y2)
{
    dc.moveTo(QPoint(vb::cLng(x1), vb::cLng(y1)));
    dc.lineTo(QPoint(vb::cLng(x2), vb::cLng(y2)));
}

// A box from two corners in any order, rounded to whole pixels.
inline GraphBox box(double x1, double y1, double x2, double y2)
{
    const std::int32_t l = vb::cLng(x1), t = vb::cLng(y1), r = vb::cLng(x2), b = vb::cLng(y2);
    return GraphBox{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

} // namespace veltra::graphs
