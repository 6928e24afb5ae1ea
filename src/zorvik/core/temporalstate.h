#pragma once
// The temporal-state rule: in which state an element is drawn (or searched)
// for a display date range, from its four dates lPra(0..3).
//
// Rule, per day d:
//   - appearance 0 ("not known") counts as -infinity; disappearance 65535
//     ("not yet decided") and any negative disappearance (statistics elements
//     carry -1) count as +infinity; when only one date of a pair is known it
//     stands for both;
//   - d < appStart: not there yet; appStart <= d < appConfirmed: appearing;
//     appConfirmed <= d < disStart: existing; disStart <= d <= disConfirmed:
//     disappearing; d > disConfirmed: gone.
// For a range [from, to] the element is shown when its life [appStart,
// disConfirmed] meets the range; its state is Existing when it exists on some
// day of the range, else Appearing when it appears on some day, else
// Disappearing. The pair (1, 0) and any pair with from > to mean "no date
// filter": every element is Existing.
#include <array>
#include <cstdint>

namespace zorvik {

enum class TemporalState : std::int8_t {
    Absent = -1, // not drawn, not found
    Existing = 0, // 存在中
    Appearing = 1, // 発生中
    Disappearing = 2, // 消滅中
};

// The display date range (DateFrom, DateTo) in day numbers.
struct DateRange
{
    std::int32_t from = 1;
    std::int32_t to = 0;

    // False for (1, 0) and for any from > to.
    bool isFilter() const { return from <= to; }
};

// State of an element with dates lPra(0..3) for the range.
TemporalState temporalState(std::int32_t appStart, std::int32_t appConfirmed, std::int32_t disStart,
    std::int32_t disConfirmed, DateRange range);

inline TemporalState temporalState(const std::array<std::int32_t, 6> &lPra, DateRange range)
{
    return temporalState(lPra[0], lPra[1], lPra[2], lPra[3], range);
}

} // namespace zorvik
