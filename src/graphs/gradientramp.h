#pragma once
// The colour ramps of the gradation control: 34 named two-colour ramps and
// the colour at a pixel column of a ramp drawn across a given width.
//
// Colours are BGR Longs (&H00BBGGRR). Color2 is the left end, Color1 the
// right end; every 8-bit channel is mixed linearly across the width, so
// column 0 is Color2 and column width − 1 is Color1 exactly.
#include <QString>
#include <cstdint>
#include <vector>

struct GradientRamp
{
    std::int32_t Color1 = 0; // right end
    std::int32_t Color2 = 0; // left end
};

namespace veltra::graphs {

struct NamedRamp
{
    QString name;
    GradientRamp ramp;
};

// The ramps in list order (index 0 "赤－白 グラデーション" to 33).
const std::vector<NamedRamp> &gradientRamps();

// The colour of column x of the ramp drawn `width` pixels wide; -1 outside
// 0 .. width − 1 (as a pixel read outside a picture answers).
std::int32_t rampColour(const GradientRamp &ramp, std::int32_t x, std::int32_t width);

} // namespace veltra::graphs
