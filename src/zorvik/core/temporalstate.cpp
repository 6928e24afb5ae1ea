#include "zorvik/core/temporalstate.h"

#include <algorithm>
#include <limits>

namespace zorvik {

namespace {

constexpr std::int64_t MinusInfinity = std::numeric_limits<std::int64_t>::min() / 4;
constexpr std::int64_t PlusInfinity = std::numeric_limits<std::int64_t>::max() / 4;

std::int64_t appearanceDay(std::int32_t day)
{
    return day == 0 ? MinusInfinity : day;
}

std::int64_t disappearanceDay(std::int32_t day)
{
    return (day == 65535 || day < 0) ? PlusInfinity : day;
}

// Fills an unknown date of a pair from the known one.
void completePair(std::int64_t &first, std::int64_t &second, std::int64_t unknown)
{
    if (first == unknown && second != unknown)
        first = second;
    else if (second == unknown && first != unknown)
        second = first;
}

} // namespace

TemporalState temporalState(std::int32_t appStart, std::int32_t appConfirmed, std::int32_t disStart,
    std::int32_t disConfirmed, DateRange range)
{
    if (!range.isFilter())
        return TemporalState::Existing;

    std::int64_t a0 = appearanceDay(appStart);
    std::int64_t a1 = appearanceDay(appConfirmed);
    std::int64_t d0 = disappearanceDay(disStart);
    std::int64_t d1 = disappearanceDay(disConfirmed);
    completePair(a0, a1, MinusInfinity);
    completePair(d0, d1, PlusInfinity);
    // Dates entered out of order must not make an element vanish for ever:
    // keep each phase at least empty, never negative.
    a1 = std::max(a1, a0);
    d0 = std::max(d0, a1);
    d1 = std::max(d1, d0);

    const std::int64_t from = range.from;
    const std::int64_t to = range.to;
    auto meets = [&](std::int64_t lo, std::int64_t hiExclusive) {
        return lo < hiExclusive && lo <= to && from < hiExclusive;
    };

    if (meets(a1, d0))
        return TemporalState::Existing;
    if (meets(a0, a1))
        return TemporalState::Appearing;
    // The disappearing phase includes its confirmed day.
    const std::int64_t d1End = d1 == PlusInfinity ? PlusInfinity : d1 + 1;
    if (meets(d0, d1End))
        return TemporalState::Disappearing;
    return TemporalState::Absent;
}

} // namespace zorvik
