#pragma once
// The order check of a choropleth legend's class bounds.
//
// Row r's upper bound must not fall below the previous row's upper bound
// (for row 0: its own lower bound) nor rise above the next row's upper bound
// (for the last row: the maximum of the data). Bounds are read as VB's Val
// reads them (blanks ignored, "1,000" is 1, no number is 0); equal values
// pass. A refusal comes with the message the user sees, built from the box
// texts exactly as they stand and the range ends as CStr writes them.
#include <QString>
#include <QStringList>
#include <optional>

namespace veltra::graphs {

// `lower` and `upper` hold the texts of every row's lower and upper bound box
// (both the same length, at least row + 1). Nothing means the row is accepted.
std::optional<QString> classBoundRefusal(
    int row, const QStringList &lower, const QStringList &upper, double rangeMin, double rangeMax);

} // namespace veltra::graphs
