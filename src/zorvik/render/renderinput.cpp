#include "zorvik/render/renderinput.h"

#include "zorvik/core/engine.h"
#include "zorvik/render/elementstyle.h"

namespace zorvik {

RenderInput renderInputOf(const Engine &engine, std::uint32_t backColor, bool vectorsOnly, const DrawingStore *drawings)
{
    RenderInput input;
    input.document = engine.document().get();
    input.dates = engine.dateRange();
    input.background = style::fromBgr(backColor);
    input.vectorsOnly = vectorsOnly;
    input.drawings = drawings;
    return input;
}

} // namespace zorvik
