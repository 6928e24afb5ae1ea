#pragma once
// Item-list lookups of a data reference "{[area unit][data kind][item]}":
// the column of the item in the value files and the value folder of the data
// kind. The item-list file is a profile file: the area unit's section holds
// Path (its data folder), the data kind's section the items as Entry1,
// Entry2, ... (comma lists, quotes allowed, the first field the item name).
#include <QString>
#include <cstdint>

namespace ComCaldoraTable {

// The entry number n of the item (its column in the value files); -1 when the
// reference has not three parts or the item is not listed.
int32_t GetEntryIndex(const QString &itemListFile, const QString &reference);

// Path of the area unit's section, "\" and the data kind; "" when the
// reference has not three parts or Path is empty.
QString GetValueFolder(const QString &itemListFile, const QString &reference);

// The number of fields of a calculation template: the absolute value of
// [Subject] FieldCnt; 0 when it is missing, empty or no number.
int32_t GetFieldCnt(const QString &templateFile);

// Whether the item-list file names a data folder that exists for each area
// unit it lists among [ﾃﾞｰﾀ種類] Entry1..Entry3 (blank entries are passed
// over; Path is resolved with resolveListFolder). False, after a warning
// naming the file, when no unit is listed there or one unit's Path is empty
// or no folder.
bool CheckItemListFolders(const QString &itemListFile);

// Writes one key of a profile file (CP932); a missing file is created, its
// folder must exist. False, with the file unchanged, when the write fails.
bool WriteIniString(const QString &section, const QString &key, const QString &value, const QString &file);

// Length in CP932 bytes (a double-byte character counts 2).
int16_t GetByteLength(const QString &text);

// The longest run of whole characters from the start that fits in n CP932
// bytes; "" for n <= 0.
QString CutToByteLength(const QString &text, int16_t n);

} // namespace ComCaldoraTable
