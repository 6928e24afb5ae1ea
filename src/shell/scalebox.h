#pragma once
// The rules of the main frame's scale box and of the zoom step, kept apart
// from the widgets so that they are tested without a window.
//
// The scale box holds the scale denominator of the map (25000 for 1:25000).
// A list choice or Enter applies the text when it reads as a number, first
// corrected into the bounds 1600 .. 15000000. Leaving the box applies a
// number rounded to a whole one without those bounds, so that a scale
// outside the list range stays reachable; a value the engine cannot take
// (0 or below, or beyond the 32-bit range) is ignored there. Whatever the
// box held, once it is left it shows the scale the map really has.
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace veltra::shell {

inline constexpr std::int32_t ScaleBoxMin = 1600;
inline constexpr std::int32_t ScaleBoxMax = 15000000;

// The fixed list of the scale box, largest first.
std::span<const std::int32_t> fixedScaleList();

struct ScaleBoxChoice
{
    QString boxText; // the box's text after the bounds were applied
    double scale = 0; // the scale handed to the engine
};

// A list choice or Enter. Nothing for an empty or non-numeric text, which
// stays as typed.
std::optional<ScaleBoxChoice> scaleBoxChoice(const QString &text);

// Leaving the box: the new scale, or nothing when the text is not a number,
// rounds to the current scale, or lies outside 1 .. 2147483647.
std::optional<std::int32_t> scaleBoxFocusOut(const QString &text, double currentScale);

// The box's text for a map scale: the denominator as a whole number, halves
// to the even neighbour.
QString scaleBoxText(double scale);

struct ViewSize
{
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// One zoom step: width and height divided by the factor, each rounded to a
// whole number with halves to the even neighbour. A factor that is not a
// positive finite number, or a result beyond the 32-bit range, gives nothing.
std::optional<ViewSize> zoomStepSize(std::int32_t width, std::int32_t height, double factor);

} // namespace veltra::shell
