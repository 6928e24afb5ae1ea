#pragma once
// ViewMetrics: what the engine's searches and unit ratios need to know about
// the view they serve. The scale and DPI turn a pixel tolerance into world
// units and pick the kinds shown at that scale; the centre's latitude fixes
// the metres per world unit. The view passes them with each call, so the
// engine keeps no view of its own. A default one is 1:25,000 at 96 DPI and
// 36° N, where a new map control starts.
#include <cstdint>

namespace zorvik {

struct ViewMetrics
{
    double scale = 25000; // scale denominator
    double dpi = 96; // logical DPI
    std::int32_t centerY = 4320000; // world (36° N)
};

} // namespace zorvik
