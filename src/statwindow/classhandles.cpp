#include "statwindow/classhandles.h"

#include "graphs/globals.h"
#include "platform/vb/convert.h"
#include "statwindow/graphcolors.h"
#include "statwindow/graphcreaterules.h"

namespace veltra::statwindow {

using vb::roundHalfEven;

double draggedLeft(double left, double x, double width)
{
    return roundHalfEven(left + x - width / 2);
}

DragLimits handleDragLimits(int index, int last, Span self, Span prev, Span next, Span bar)
{
    const double w = self.width;
    DragLimits limits;
    if (index == 0) {
        limits.lowest = bar.left - w / 2;
        limits.highest = next.left + next.width - w / 2;
    } else if (index == last) {
        limits.lowest = prev.left + prev.width - w;
        limits.highest = bar.left + bar.width - w / 2;
    } else {
        limits.lowest = prev.left + prev.width - w;
        limits.highest = next.left + next.width - w;
    }
    limits.lowest = roundHalfEven(limits.lowest);
    limits.highest = roundHalfEven(limits.highest);
    return limits;
}

double barRightLeft(Span bar, double firstWidth)
{
    return bar.left - firstWidth / 2 + bar.width;
}

ReleaseReferences releaseReferences(int index, int n, double firstWidth, Span bar, double prevLeft, double nextLeft)
{
    ReleaseReferences refs;
    refs.lower = index == 0 ? bar.left - firstWidth / 2 : prevLeft;
    refs.upper = index == n - 1 || index == n ? barRightLeft(bar, firstWidth) : nextLeft;
    return refs;
}

std::optional<ColorSlot> legendColorSlot(std::int32_t graphKind, int index)
{
    if (graphKind == GraphKindPie || graphKind == GraphKindBar)
        return ColorSlot{false, graphColorSlot(index + 1)};
    if (graphKind == GraphKindPyramid && index + 1 >= 1 && index + 1 <= PyramidColorCount)
        return ColorSlot{true, index + 1};
    return std::nullopt;
}

} // namespace veltra::statwindow
