#pragma once
// What the population pyramid of the statistics map window takes from its
// item-list file and its area records, without the window: whether the list
// offers the item at the chosen area level, the names of the age classes,
// and the rows the preview draws (the sum of every selected area).
//
// The item-list file is an INI file whose sections list their entries under
// the keys Entry1, Entry2, ... up to the first empty value.
#include "statwindow/statarea.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace veltra::statwindow {

// The refusal when the item-list file does not offer the item (its full
// name) at the level: the level's unit must be a data kind of
// [ﾃﾞｰﾀ種類] and the item an entry of the unit's section. Empty when it
// does; a missing file offers nothing.
QString pyramidListRefusal(const QString &listFile, std::int32_t anaRange, const QString &itemName);

// The age-class names, entries 0 to classes (entry 0 and the classes after
// the list's end empty): class l is the entry Entry<startField + l - 1> of
// the item's section, its name (the only field of one, the second of two)
// without the last three characters, the sex mark "(男)". A blank entry
// takes the previous entry's name; a name of three or fewer characters, or
// an entry of three or more fields, gives an empty name.
std::vector<QString> pyramidAgeClassNames(
    const QString &listFile, const QString &itemName, std::int32_t startField, std::int32_t classes);

// The rows of the preview, classes 1 to classes (element 0 unused): per
// class the sums of ManValue (left) and WomanValue (right) over the records
// from index 1, each term taken to four decimals. Relative rows are each
// side's share of its own total over all classes in percent, to four
// decimals, 0 when that total is 0.
std::vector<std::pair<double, double>> pyramidRows(
    const std::vector<StatArea> &records, std::int32_t classes, bool relative);

} // namespace veltra::statwindow
