#pragma once
// Address lines: the areas the map-based selection found, one text each,
// "X,Y,area code" (X and Y whole numbers in engine world units). An array of
// them runs from index 1; element 0 is a placeholder ("0,0,0") that sorts
// before every real line.
//
// takeAddressLines adds the areas of such an array to the selected-area list
// at the window's level: prefectures by their names, municipalities and town
// blocks with the names of every level above them. Lines are sorted by their
// code first, so the list grows in code order.
#include "statwindow/selectedarealist.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace veltra::statwindow {

// Sorts strArray(lngStart..lngEnd) ascending by the third comma field,
// compared as text, with the middle element as the pivot of each pass; the
// order of lines with equal codes follows from that partition.
void QuickSort2Address(std::vector<QString> &strArray, std::int32_t lngStart, std::int32_t lngEnd);

// Keeps the first of the lines from index 1 on that end in the same code
// (the text after the last comma); element 0 is never compared.
void RemoveSameAddress(std::vector<QString> &lines);

// Exchange sort ascending by the number in the third field. checkCancel is
// asked before every comparison; true ends the sort. A line with fewer than
// three fields ends it too, with the lines as far as they got.
void SortAddressByValue(std::vector<QString> &lines, const std::function<bool()> &checkCancel);

struct AddressIntake
{
    // Asked once per line at levels 2 and 3, after pending window messages
    // ran; true stops the intake with the entries added so far.
    std::function<bool()> cancelled;
    // Told of each entry added, in order.
    std::function<void(const SelectedAreaEntry &)> added;
};

// Adds the lines' areas at `level` (1 to 3; any other level adds nothing) to
// the list, passing over areas it already holds and lines that name no area:
// fewer than three fields, an X or Y that is no whole number, or a code that
// is not at least two digits. False when cancelled.
bool takeAddressLines(
    SelectedAreaList &list, std::int32_t level, std::vector<QString> lines, const AddressIntake &intake);

} // namespace veltra::statwindow
