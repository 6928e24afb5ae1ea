#include "statrender/polygonbuffer.h"

#include "platform/vb/currency.h"

#include <exception>

namespace ComPSY {

namespace {

constexpr std::size_t PolygonStep = 500;

} // namespace

void PolygonBuffer::reset()
{
    lngPolyCount = 0;
    intMode.assign(PolygonStep + 1, 0);
    lngPointNum.assign(PolygonStep + 1, 0);
    intColor1.assign(3 * PolygonStep + 1, 0);
    intColor2.assign(3 * PolygonStep + 1, 0);
    lngX.assign(1, 0);
    lngY.assign(1, 0);
}

void AddElementPolygon(PolygonBuffer &buffer, const ElementInfo &element, std::int32_t &polygon)
{
    if (static_cast<std::size_t>(buffer.lngPolyCount) >= buffer.intMode.size() - 1) {
        buffer.intMode.resize(buffer.intMode.size() + PolygonStep, 0);
        buffer.lngPointNum.resize(buffer.lngPointNum.size() + PolygonStep, 0);
        buffer.intColor1.resize(buffer.intColor1.size() + 3 * PolygonStep, 0);
        buffer.intColor2.resize(buffer.intColor2.size() + 3 * PolygonStep, 0);
    }
    ++buffer.lngPolyCount;
    const auto count = static_cast<std::size_t>(std::max(0, element.PNum));
    buffer.lngPointNum.at(static_cast<std::size_t>(polygon)) = element.PNum;
    // The last element is the spare one: the points go there and after it.
    const std::size_t at = buffer.lngX.size() - 1;
    buffer.lngX.resize(at + count + 1, 0);
    buffer.lngY.resize(at + count + 1, 0);
    for (std::size_t k = 0; k < count; ++k) {
        buffer.lngX[at + k] = element.lX.at(k);
        buffer.lngY[at + k] = element.lY.at(k);
    }
}

bool ClassHolds(const std::vector<ClassRange> &classes, std::size_t c, double value)
{
    using veltra::vb::cCur;
    try {
        const auto v = cCur(value);
        const ClassRange &range = classes.at(c);
        if (cCur(range.Lower) <= v && v < cCur(range.Upper))
            return true;
        return c == classes.size() - 1 && v == cCur(range.Upper);
    } catch (const std::exception &) {
        return false; // beyond what a bound can hold
    }
}

void SetPolygonClassColour(const std::vector<ClassRange> &classes, PolygonBuffer &buffer,
    std::int32_t &colourIndex, double &value, std::int32_t &polygon)
{
    const auto k = static_cast<std::size_t>(colourIndex);
    buffer.intMode.at(static_cast<std::size_t>(polygon)) = 4;
    for (std::size_t i = 0; i < 3; ++i) {
        buffer.intColor1.at(k + i) = 100;
        buffer.intColor2.at(k + i) = 100;
    }
    for (std::size_t c = 1; c < classes.size(); ++c) {
        if (!ClassHolds(classes, c, value))
            continue;
        buffer.intMode.at(static_cast<std::size_t>(polygon)) = 0;
        const auto colour = static_cast<std::uint32_t>(classes[c].Color);
        const std::int16_t rgb[3] = {static_cast<std::int16_t>(colour & 0xFF),
            static_cast<std::int16_t>((colour >> 8) & 0xFF), static_cast<std::int16_t>((colour >> 16) & 0xFF)};
        for (std::size_t i = 0; i < 3; ++i) {
            buffer.intColor1[k + i] = rgb[i];
            buffer.intColor2[k + i] = rgb[i];
        }
        return;
    }
}

} // namespace ComPSY
