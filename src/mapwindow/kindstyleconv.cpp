#include "mapwindow/kindstyleconv.h"

namespace veltra::mapwindow {

std::optional<std::int16_t> lineTypeFromEngineCode(std::int32_t code)
{
    if (code < 0 || code > 5)
        return std::nullopt;
    return code == 5 ? std::int16_t{0} : static_cast<std::int16_t>(code + 1);
}

std::optional<std::int16_t> fillStyleFromHatchCode(std::int32_t code)
{
    if (code == -1)
        return std::int16_t{1};
    if (code == 100)
        return std::int16_t{0};
    if (code >= 0 && code <= 5)
        return static_cast<std::int16_t>(code + 2);
    return std::nullopt;
}

} // namespace veltra::mapwindow
