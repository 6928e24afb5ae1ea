#pragma once
// The 2020 prefecture totals the default statistics were made from, and
// analysis pairs of them written by the analysis file class as the
// statistics map window writes them on output, for drawing ranking and
// real-value maps on a copy of the default data.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace veltra::test {

struct Prefecture
{
    std::int32_t code = 0;
    QString name;
    std::int32_t x = 0, y = 0;
    QString total; // as published
};

// The prefectures of the opened statistics database in code order, each
// with its published 2020 total.
std::vector<Prefecture> readPrefectures();

std::vector<QVariant> totals(const std::vector<Prefecture> &areas);

// Largest total first; equal totals keep their order.
std::vector<Prefecture> descending(std::vector<Prefecture> areas);

// Writes one analysis pair of `kind` over `areas` with their first values
// into the DB folder of gstrDataPath; returns the path of its data file.
QString writeAnalysis(std::int32_t kind, const std::vector<Prefecture> &areas, const std::vector<QVariant> &values);

} // namespace veltra::test
