#include "graphs/naturalbreaks.h"

#include <cstddef>

namespace veltra::graphs {

NaturalBreaksTable::NaturalBreaksTable(std::int32_t n, std::int32_t k)
    : m_n(n)
    , m_k(k)
    , m_low(static_cast<std::size_t>(n + 1) * static_cast<std::size_t>(k + 1), 0)
{ }

std::int32_t NaturalBreaksTable::low(std::int64_t l, std::int64_t j) const
{
    if (l < 0 || l > m_n || j < 0 || j > m_k)
        return 0;
    return m_low[static_cast<std::size_t>(l) * static_cast<std::size_t>(m_k + 1) + static_cast<std::size_t>(j)];
}

void NaturalBreaksTable::setLow(std::int32_t l, std::int32_t j, std::int32_t start)
{
    m_low[static_cast<std::size_t>(l) * static_cast<std::size_t>(m_k + 1) + static_cast<std::size_t>(j)] = start;
}

namespace {

// Squared deviations of x(first..last) from their mean, in the programme's
// form s2 − s1²/m.
class ClassCost
{
public:
    explicit ClassCost(const std::vector<double> &x)
        : m_sum(x.size() + 1, 0)
        , m_squares(x.size() + 1, 0)
    {
        for (std::size_t i = 0; i < x.size(); ++i) {
            m_sum[i + 1] = m_sum[i] + x[i];
            m_squares[i + 1] = m_squares[i] + x[i] * x[i];
        }
    }

    double operator()(std::int32_t first, std::int32_t last) const
    {
        const auto a = static_cast<std::size_t>(first - 1);
        const auto b = static_cast<std::size_t>(last);
        const double s1 = m_sum[b] - m_sum[a];
        const double s2 = m_squares[b] - m_squares[a];
        return s2 - s1 * s1 / (last - first + 1);
    }

private:
    std::vector<double> m_sum;
    std::vector<double> m_squares;
};

// One column j ≥ 2: for every prefix l ≥ 2 the start i3 in 2..l that
// minimises cost(i3, l) + previous(i3 − 1), the leftmost among equals.
class ColumnSolver
{
public:
    ColumnSolver(const ClassCost &cost, const std::vector<double> &previous, std::vector<double> &current,
        NaturalBreaksTable &table, std::int32_t j)
        : m_cost(cost)
        , m_previous(previous)
        , m_current(current)
        , m_table(table)
        , m_j(j)
    { }

    void solve(std::int32_t firstL, std::int32_t lastL, std::int32_t lowStart, std::int32_t highStart)
    {
        while (firstL <= lastL) {
            const std::int32_t mid = firstL + (lastL - firstL) / 2;
            const std::int32_t stop = highStart < mid ? highStart : mid;
            std::int32_t best = lowStart;
            double bestValue = m_cost(lowStart, mid) + m_previous[static_cast<std::size_t>(lowStart - 1)];
            for (std::int32_t i3 = lowStart + 1; i3 <= stop; ++i3) {
                const double value = m_cost(i3, mid) + m_previous[static_cast<std::size_t>(i3 - 1)];
                if (value < bestValue) {
                    bestValue = value;
                    best = i3;
                }
            }
            m_current[static_cast<std::size_t>(mid)] = bestValue;
            m_table.setLow(mid, m_j, best);
            // The shorter half recursively, the longer one in this loop,
            // keeping the depth logarithmic.
            if (mid - firstL < lastL - mid) {
                solve(firstL, mid - 1, lowStart, best);
                firstL = mid + 1;
                lowStart = best;
            } else {
                solve(mid + 1, lastL, best, highStart);
                lastL = mid - 1;
                highStart = best;
            }
        }
    }

private:
    const ClassCost &m_cost;
    const std::vector<double> &m_previous;
    std::vector<double> &m_current;
    NaturalBreaksTable &m_table;
    std::int32_t m_j;
};

} // namespace

NaturalBreaksTable naturalBreaks(const std::vector<double> &sorted, std::int32_t k)
{
    const auto n = static_cast<std::int32_t>(sorted.size());
    if (n < 1 || k < 1)
        return {};
    NaturalBreaksTable table(n, k);
    const ClassCost cost(sorted);

    // One class: x(1..l) whole. A single value is one class of any count.
    std::vector<double> previous(static_cast<std::size_t>(n) + 1, 0);
    for (std::int32_t j = 1; j <= k; ++j)
        table.setLow(1, j, 1);
    for (std::int32_t l = 2; l <= n; ++l) {
        previous[static_cast<std::size_t>(l)] = cost(1, l);
        table.setLow(l, 1, 1);
    }

    std::vector<double> current(static_cast<std::size_t>(n) + 1, 0);
    for (std::int32_t j = 2; j <= k; ++j) {
        ColumnSolver(cost, previous, current, table, j).solve(2, n, 2, n);
        current[1] = 0;
        previous.swap(current);
    }
    return table;
}

} // namespace veltra::graphs
