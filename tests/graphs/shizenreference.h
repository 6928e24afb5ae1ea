#pragma once
// The natural-breaks programme in its plain O(k·n²) form, kept as the
// reference the fast table (graphs/naturalbreaks.h) must equal, tie rule
// included: an equal sum replaces, so among equal splits the one found
// last, with the leftmost start, wins. Also used by bench/graphs.
#include <cstdint>
#include <vector>

namespace veltra::graphs::reference {

// low[l][j] for positions 0..n and classes 0..k, x(1) = sorted[0].
inline std::vector<std::vector<std::int32_t>> shizenLow(const std::vector<double> &sorted, std::int32_t k)
{
    const auto n = static_cast<std::int32_t>(sorted.size());
    std::vector<std::vector<std::int32_t>> low(
        static_cast<std::size_t>(n) + 1, std::vector<std::int32_t>(static_cast<std::size_t>(k) + 1, 0));
    std::vector<std::vector<double>> var(
        static_cast<std::size_t>(n) + 1, std::vector<double>(static_cast<std::size_t>(k) + 1, 0));
    if (n < 1)
        return low;
    for (std::int32_t j = 1; j <= k; ++j) {
        low[1][j] = 1;
        var[1][j] = 0;
        for (std::int32_t l = 2; l <= n; ++l)
            var[l][j] = 1E18;
    }
    for (std::int32_t l = 2; l <= n; ++l) {
        double s1 = 0;
        double s2 = 0;
        double v = 0;
        for (std::int32_t m = 1; m <= l; ++m) {
            const std::int32_t i3 = l - m + 1;
            const double x = sorted[static_cast<std::size_t>(i3 - 1)];
            s1 += x;
            s2 += x * x;
            v = s2 - s1 * s1 / m;
            if (i3 > 1) {
                for (std::int32_t j = 2; j <= k; ++j) {
                    if (var[l][j] >= v + var[i3 - 1][j - 1]) {
                        low[l][j] = i3;
                        var[l][j] = v + var[i3 - 1][j - 1];
                    }
                }
            }
        }
        low[l][1] = 1;
        var[l][1] = v;
    }
    return low;
}

} // namespace veltra::graphs::reference
