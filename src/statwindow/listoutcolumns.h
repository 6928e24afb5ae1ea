#pragma once
// The column names the table output hands to the tallied list, from the
// item selector's lists and the graph kind of the last graph creation.
//
// The result runs from index 0 and ends in one unused (empty) entry, as the
// tallied list takes it: list 0's entry names for most kinds; the item and
// its denominator for a choropleth with one; the two series names of a
// pyramid (its item's details 7 and 8); for a scatter diagram X, Y and then
// the X and Y denominators that are chosen, padded with empty entries to
// one more than the four lists' entries together.
#include <QString>
#include <cstdint>
#include <vector>

class ctlSelect;

namespace veltra::statwindow {

std::vector<QString> tableColumnNames(const ctlSelect &select, std::int32_t graphKind);

} // namespace veltra::statwindow
