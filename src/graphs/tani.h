#pragma once
// The unit of a value axis: the largest of 千 (1E3) to 百億 (1E10) that the
// value strictly exceeds (a value above 999 takes 千, above 9999 万 and so
// on), or no unit word and divisor 1 for 999 or less, negatives included.
#include <QString>

namespace veltra::graphs {

struct Tani
{
    QString word;
    double divisor = 1;
};

Tani taniFor(double value);

} // namespace veltra::graphs
