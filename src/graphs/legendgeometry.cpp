#include "graphs/legendgeometry.h"

#include "platform/vb/convert.h"

namespace veltra::graphs {

int legendRowTop(int row)
{
    using namespace legendtwips;
    return SwatchTop + row * (SwatchHeight + 10);
}

int legendCanvasHeight(int lastRow)
{
    using namespace legendtwips;
    return (SwatchHeight + 25) * (lastRow + 1) + SwatchTop;
}

LegendScroll legendScroll(int canvasHeight, int boxInnerHeight)
{
    LegendScroll s;
    s.needed = canvasHeight > boxInnerHeight;
    if (!s.needed)
        return s;
    s.max = boxInnerHeight - canvasHeight;
    s.largeStep = boxInnerHeight;
    s.smallStep = static_cast<int>(vb::roundHalfEven(boxInnerHeight / 5.0));
    return s;
}

} // namespace veltra::graphs
