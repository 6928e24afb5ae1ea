#pragma once
// Fisher's optimal partition of sorted values into contiguous classes (the
// natural breaks of a choropleth), computed in O(k·n·log n).
//
// For every prefix x(1..l) and class count j the table keeps the 1-based
// position where the last class of the best split into j classes starts;
// "best" is the least sum of squared deviations from the class means, and
// among equal sums the split whose last class starts leftmost wins. The
// table has the shape of the classic dynamic programme (positions 0..n,
// classes 0..k; row 0 and column 0 are 0, and low(1, j) is 1), so walking it
// back from (n, k) gives the same classes that programme gives.
//
// The programme tries every start for every prefix (k·n² steps). Here the
// best start of a prefix never lies left of the best start of a shorter
// prefix (the squared-deviation cost satisfies the quadrangle inequality),
// so each column is solved by divide and conquer: the middle prefix is solved
// over its whole range and splits the search range of the prefixes on either
// side. Class sums come from prefix sums; they equal the programme's running
// sums exactly whenever the sums are exact in a double (values with few
// decimals, such as counts and rounded rates), and differ only in the last
// bits of a sum otherwise.
#include <cstdint>
#include <vector>

namespace veltra::graphs {

class NaturalBreaksTable
{
public:
    NaturalBreaksTable() = default;
    NaturalBreaksTable(std::int32_t n, std::int32_t k);

    std::int32_t n() const { return m_n; }
    std::int32_t k() const { return m_k; }
    // The start of the last class of the best split of x(1..l) into j
    // classes; 0 outside the table, as an emptied matrix answers.
    std::int32_t low(std::int64_t l, std::int64_t j) const;
    void setLow(std::int32_t l, std::int32_t j, std::int32_t start);

private:
    std::int32_t m_n = 0;
    std::int32_t m_k = 0;
    std::vector<std::int32_t> m_low; // (n + 1) × (k + 1), row by row
};

// The table for values sorted ascending (x(1) = sorted[0]) and up to k
// classes; n = sorted.size(). An empty table when n or k is below 1.
NaturalBreaksTable naturalBreaks(const std::vector<double> &sorted, std::int32_t k);

} // namespace veltra::graphs
