#include "graphs/tani.h"

#include <array>

namespace veltra::graphs {

Tani taniFor(double value)
{
    struct Row
    {
        double above;
        const char16_t *word;
        double divisor;
    };
    static constexpr std::array<Row, 8> rows{{
        {9999999999.0, u"百億", 1E10},
        {999999999.0, u"十億", 1E9},
        {99999999.0, u"億", 1E8},
        {9999999.0, u"千万", 1E7},
        {999999.0, u"百万", 1E6},
        {99999.0, u"十万", 1E5},
        {9999.0, u"万", 1E4},
        {999.0, u"千", 1E3},
    }};
    for (const Row &row : rows)
        if (value > row.above)
            return {QString::fromUtf16(row.word), row.divisor};
    return {};
}

} // namespace veltra::graphs
