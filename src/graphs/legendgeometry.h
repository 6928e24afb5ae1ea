#pragma once
// The legend's row geometry and scroll rule, in twips.
//
// Row i's swatch sits at left 60 and top 40 + 265 * i; the boxes of a row
// share its top. A canvas of r rows (r > 1) is 280 * r + 40 high; a legend of
// one row keeps the canvas height it had. The scroll rule works on the
// legend box's inner height, in any one unit: a scroll bar is needed when the
// canvas is taller than the box's inside (so every row can be reached); the
// range then runs from 0 down to the inner height less the canvas height, the
// large step is the inner height and the small step a fifth of it (halves to
// even). The range has no 16-bit limit.
namespace veltra::graphs {

namespace legendtwips {
inline constexpr int SwatchLeft = 60;
inline constexpr int SwatchTop = 40;
inline constexpr int SwatchWidth = 480;
inline constexpr int SwatchHeight = 255;
inline constexpr int OutlineWidth = 435;
inline constexpr int OutlineHeight = 345;
inline constexpr int BoxHeight = 270;
inline constexpr int NameLeft = 540;
inline constexpr int NameWidth = 3255;
inline constexpr int LowerLeft = 540;
inline constexpr int BoundWidth = 1185;
inline constexpr int KaraLeft = 1800;
inline constexpr int KaraWidth = 225;
inline constexpr int UpperLeft = 2040;
inline constexpr int CountLeft = 3240;
inline constexpr int CountWidth = 465;
inline constexpr int TitleHeight = 270;
inline constexpr int ScrollBarWidth = 240;
inline constexpr int ControlWidth = 4620;
inline constexpr int ControlHeight = 2565;
// The canvas of a new legend (swatch height + swatch top) and after Clear.
inline constexpr int NewCanvasHeight = SwatchHeight + SwatchTop;
inline constexpr int ClearedCanvasWidth = 3155;
inline constexpr int ClearedCanvasHeight = 1185;
// The name box ends this far left of the legend box's right edge.
inline constexpr int NameRightMargin = 1000;
} // namespace legendtwips

// Top of row `row`'s swatch and boxes.
int legendRowTop(int row);
// Canvas height once rows 0 .. lastRow exist (lastRow >= 1).
int legendCanvasHeight(int lastRow);

struct LegendScroll
{
    bool needed = false;
    int min = 0; // thumb at the top
    int max = 0; // inner height - canvas height, 0 or below
    int largeStep = 0;
    int smallStep = 0;
};

LegendScroll legendScroll(int canvasHeight, int boxInnerHeight);

} // namespace veltra::graphs
