#pragma once
// The pyramid window's area records and age data: the shared reader with the
// pyramid window's differences (no record at the nation level, municipality
// codes always looked up by their first five characters) over the window's
// own area code list, which the read leaves sorted ascending.
#include <QString>
#include <cstdint>
#include <vector>

class QWidget;

namespace veltra::statdata {
class MeshDatabase;
}

namespace veltra::statwindow {

// Rebuilds gtypStatArea for `codes` (from index 1) at the level, one record
// per code with a database row; the number of records. Raises
// vb::FileError when the database cannot be read.
std::int32_t CreatePyramidStatArea(
    statdata::MeshDatabase &database, std::int32_t anaRange, const std::vector<QString> &codes);

// Builds the records and reads the two series of `classCount` classes from
// the item's folder (first fields 0-based); `codes` ends up sorted. True
// when any line matched. `window` is disabled while it reads. Raises
// vb::FileError when the database or a value file cannot be read.
bool ReadAgeData(statdata::MeshDatabase &database, QWidget *window, std::int32_t anaRange,
    std::vector<QString> &codes, const QString &itemFolder, std::int32_t classCount, std::int32_t startField1,
    std::int32_t startField2);

} // namespace veltra::statwindow
