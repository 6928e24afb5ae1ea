#include "zorvik/core/levelofdetail.h"

#include <cmath>
#include <cstring>

namespace zorvik::lod {

int bandFor(double worldPerPixel)
{
    int band = 0;
    for (const Band &b : Bands)
        if (worldPerPixel >= 4.0 * b.cell)
            band = b.id;
    return band;
}

namespace {
std::int32_t snap(std::int32_t v, std::int32_t cell)
{
    // Rounded to the nearest multiple, halves away from zero: the same for
    // every element that has the point.
    return static_cast<std::int32_t>(std::llround(static_cast<double>(v) / cell) * cell);
}
} // namespace

QByteArray simplified(const unsigned char *points, std::int32_t count, std::int32_t cell)
{
    if (count < 3 || cell <= 0)
        return {};
    auto read = [&](std::int32_t i, int axis) {
        std::int32_t v;
        std::memcpy(&v, points + 8 * i + 4 * axis, sizeof v);
        return v;
    };
    std::vector<std::int32_t> out;
    out.reserve(static_cast<std::size_t>(count) * 2);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t x = snap(read(i, 0), cell), y = snap(read(i, 1), cell);
        const bool last = i == count - 1;
        if (!out.empty() && out[out.size() - 2] == x && out.back() == y) {
            // A closed ring keeps its closing point; an open line its end.
            if (!last || out.size() == 2)
                continue;
        }
        out.push_back(x);
        out.push_back(y);
    }
    const std::size_t kept = out.size() / 2;
    if (kept * 4 > static_cast<std::size_t>(count) * 3)
        return {};
    QByteArray packed(static_cast<qsizetype>(out.size() * 4), Qt::Uninitialized);
    std::memcpy(packed.data(), out.data(), static_cast<std::size_t>(packed.size()));
    return packed;
}

} // namespace zorvik::lod
