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

} // namespace ComCaldoraTable
