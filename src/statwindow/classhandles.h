#pragma once
// The arithmetic of the choropleth's boundary handles and of legend colour
// slots, apart from the window: where a dragged handle may go, the
// references a released handle's bound is measured between, and which
// stored colour a legend row's new colour replaces.
//
// Positions and widths are twips of the preview picture; a handle marks its
// bound with its horizontal centre. With n classes there are handles 0 to n.
#include <cstdint>
#include <optional>

namespace veltra::statwindow {

// Left edge and width of a handle or of the class bar.
struct Span
{
    double left = 0;
    double width = 0;
};

struct DragLimits
{
    double lowest = 0;
    double highest = 0;
    bool admits(double left) const { return lowest <= left && left <= highest; }
};

// The new left edge of a handle at `left`, `width` wide, whose pointer is at
// x within it: the centre follows the pointer, rounded half to even.
double draggedLeft(double left, double x, double width);

// Where handle `index` of handles 0..last may be dragged to: handle 0 from
// the bar's left end (centre on it) until its centre reaches the right edge
// of handle 1; the last handle from its neighbour's right edge less its own
// width until its centre reaches the bar's right end; any other between its
// neighbours' right edges less its width. Rounded half to even.
DragLimits handleDragLimits(int index, int last, Span self, Span prev, Span next, Span bar);

// The lower and upper reference of released handle `index` for n classes:
// the left edges of its neighbours; for handle 0 the bar's left end and for
// handles n - 1 and n the bar's right end, both in left-edge terms of a
// handle firstWidth wide.
struct ReleaseReferences
{
    double lower = 0;
    double upper = 0;
};
ReleaseReferences releaseReferences(int index, int n, double firstWidth, Span bar, double prevLeft, double nextLeft);

// The bar's right end in left-edge terms of a handle firstWidth wide.
double barRightLeft(Span bar, double firstWidth);

// The stored colour a legend row's new colour replaces: the graph colour
// slot (index + 1) mod 15, 0 read as 15, for a pie or bar; the pyramid slot
// index + 1 (1 or 2) for a pyramid; none for other kinds.
struct ColorSlot
{
    bool pyramid = false;
    int slot = 0;
};
std::optional<ColorSlot> legendColorSlot(std::int32_t graphKind, int index);

} // namespace veltra::statwindow
