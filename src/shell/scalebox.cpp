#include "shell/scalebox.h"

#include "platform/vb/convert.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace veltra::shell {

namespace {

constexpr std::array<std::int32_t, 13> kScales
    = {1000000, 750000, 500000, 250000, 100000, 75000, 50000, 25000, 10000, 7500, 5000, 2500, 1600};

std::optional<std::int32_t> wholeLong(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = vb::roundHalfEven(value);
    if (rounded < std::numeric_limits<std::int32_t>::min()
        || rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

} // namespace

std::span<const std::int32_t> fixedScaleList()
{
    return kScales;
}

std::optional<ScaleBoxChoice> scaleBoxChoice(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const std::optional<double> value = vb::toNumber(trimmed);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    if (*value < ScaleBoxMin)
        return ScaleBoxChoice{QString::number(ScaleBoxMin), double(ScaleBoxMin)};
    if (*value > ScaleBoxMax)
        return ScaleBoxChoice{QString::number(ScaleBoxMax), double(ScaleBoxMax)};
    return ScaleBoxChoice{text, *value};
}

std::optional<std::int32_t> scaleBoxFocusOut(const QString &text, double currentScale)
{
    const std::optional<double> value = vb::toNumber(text);
    if (!value)
        return std::nullopt;
    const std::optional<std::int32_t> scale = wholeLong(*value);
    if (!scale || *scale <= 0)
        return std::nullopt;
    if (static_cast<double>(*scale) == currentScale)
        return std::nullopt;
    return scale;
}

QString scaleBoxText(double scale)
{
    const double rounded = std::isfinite(scale) ? vb::roundHalfEven(scale) : 0.0;
    return QString::number(static_cast<std::int32_t>(
        std::clamp(rounded, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
            static_cast<double>(std::numeric_limits<std::int32_t>::max()))));
}

std::optional<ViewSize> zoomStepSize(std::int32_t width, std::int32_t height, double factor)
{
    if (!std::isfinite(factor) || factor <= 0)
        return std::nullopt;
    const auto w = wholeLong(width / factor);
    const auto h = wholeLong(height / factor);
    if (!w || !h)
        return std::nullopt;
    return ViewSize{*w, *h};
}

} // namespace veltra::shell
