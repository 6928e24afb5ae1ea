#pragma once
// What the pyramid window takes from the statistics item-list file
// (<data>etc\<statistics name>.txt, an INI file): whether the level offers
// the item, and the item's class count, first fields and series labels.
#include <QString>
#include <cstdint>

namespace veltra::statwindow {

struct PyramidItemSpec
{
    std::int32_t classCount = 0; // "DataCnt"
    std::int32_t startField1 = 0; // first field of the first series, 0-based
    std::int32_t startField2 = 0;
    QString label1; // the series names of the legend
    QString label2;
};

// The section of a level: "都道府県" 1, "市区町村" 2, "町丁字" 3, else empty
// (no data kind has an empty name).
QString pyramidLevelName(std::int32_t anaRange);

// The refusal when the list does not offer the item at the level; empty
// when it does.
QString pyramidItemRefusal(const QString &listFile, std::int32_t anaRange, const QString &itemName);

// The item's section: numbers that are missing or not numbers count 0; a
// label is entry StartField - 1 of the section, the only field of one, the
// second of two, else empty.
PyramidItemSpec readPyramidItemSpec(const QString &listFile, const QString &itemName);

} // namespace veltra::statwindow
