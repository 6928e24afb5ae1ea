#include "zorvik/core/temporalstate.h"

#include <gtest/gtest.h>

namespace zorvik {
namespace {

using S = TemporalState;

TEST(TemporalState, TableOfDatesAndRanges)
{
    struct Row
    {
        const char *name;
        std::int32_t a0, a1, d0, d1;
        std::int32_t from, to;
        S expected;
    };
    const Row rows[] = {
        // No filter: (1, 0) and any pair with from > to show everything as existing.
        {"no filter", 100, 200, 300, 400, 1, 0, S::Existing},
        {"span reversed", 100, 200, 300, 400, 500, 50, S::Existing},
        {"gone but no filter", 0, 0, 5, 5, 1, 0, S::Existing},
        // One day through the life: 100 appear start, 200 confirmed, 300 disappear start, 400 confirmed.
        {"before", 100, 200, 300, 400, 99, 99, S::Absent},
        {"appearing first day", 100, 200, 300, 400, 100, 100, S::Appearing},
        {"appearing last day", 100, 200, 300, 400, 199, 199, S::Appearing},
        {"existing first day", 100, 200, 300, 400, 200, 200, S::Existing},
        {"existing last day", 100, 200, 300, 400, 299, 299, S::Existing},
        {"disappearing first day", 100, 200, 300, 400, 300, 300, S::Disappearing},
        {"disappearing confirmed day", 100, 200, 300, 400, 400, 400, S::Disappearing},
        {"after", 100, 200, 300, 400, 401, 401, S::Absent},
        // Ranges take the best state met.
        {"range over appear and exist", 100, 200, 300, 400, 150, 250, S::Existing},
        {"range over appear only", 100, 200, 300, 400, 50, 150, S::Appearing},
        {"range over disappear and after", 100, 200, 300, 400, 350, 900, S::Disappearing},
        {"range before all", 100, 200, 300, 400, 10, 99, S::Absent},
        // Unknown appearance (0) is -infinity; undecided disappearance (65535) is +infinity.
        {"unknown appearance", 0, 0, 65535, 65535, -100000, -100000, S::Existing},
        {"undecided disappearance", 0, 0, 65535, 65535, 900000, 900000, S::Existing},
        // Statistics elements carry -1 as disappearance: shown at every date.
        {"statistics dates", 0, 0, -1, -1, 20000, 20000, S::Existing},
        // One known date of a pair stands for both.
        {"only appearance confirmed", 0, 150, 65535, 65535, 149, 149, S::Absent},
        {"only appearance confirmed, on it", 0, 150, 65535, 65535, 150, 150, S::Existing},
        {"only disappearance start", 0, 0, 300, 65535, 300, 300, S::Disappearing},
        {"only disappearance start, after", 0, 0, 300, 65535, 301, 301, S::Absent},
        // Time-series edit: old version ends the day before the edit date, the new one starts on it.
        {"old version on edit day", 0, 0, 499, 499, 500, 500, S::Absent},
        {"old version day before", 0, 0, 499, 499, 499, 499, S::Disappearing},
        {"new version on edit day", 500, 500, 65535, 65535, 500, 500, S::Existing},
        // Dates out of order never make the element vanish everywhere.
        {"confirmed before start", 200, 100, 65535, 65535, 200, 200, S::Existing},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(temporalState(r.a0, r.a1, r.d0, r.d1, {r.from, r.to}), r.expected);
    }
}

TEST(TemporalState, RangeIsFilterOnlyWhenOrdered)
{
    EXPECT_FALSE((DateRange{1, 0}.isFilter()));
    EXPECT_FALSE((DateRange{10, 9}.isFilter()));
    EXPECT_TRUE((DateRange{5, 5}.isFilter()));
}

} // namespace
} // namespace zorvik
