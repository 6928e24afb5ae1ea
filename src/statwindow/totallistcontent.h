#pragma once
// The content of the tallied list: the cell texts of the grid that shows the
// area records of the last graph, built by graph kind.
//
// Row 0 is the header row and column 0 the name column; every row holds the
// same number of cells. Kind 0 gives only the header cell "名称" and a hidden
// grid. Kinds 1 to 6 and 9 give one column per item; kind 7 one row per area
// and age class, highest class first, with the two series (absolute, or each
// class's share of its series total when lngExpressionKind is not 0); kind 8
// five partner columns headed by the first record's partners. Values are
// written as VB's CStr writes them; a value marked "-" in its file (flag 1)
// or not found (flag 2) shows "-".
//
// `item` holds the column names from index 0 with one unused entry at the
// end, as the table output hands them over; `strAgeClassName` is indexed by
// class (from 1). Records run from index 1.
#include "statwindow/statarea.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace veltra::statwindow {

struct TotalListTable
{
    bool visible = false;
    std::vector<QStringList> rows; // rows[0] is the header row

    int rowCount() const { return static_cast<int>(rows.size()); }
    int columnCount() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
};

// The prefecture name of an 11-digit area code ("" when unknown).
using PrefNameLookup = std::function<QString(const QString &code)>;

TotalListTable buildTotalList(const std::vector<StatArea> &records, std::int32_t graphKind,
    const std::vector<QString> &item, std::int32_t lngExpressionKind, const std::vector<QString> &strAgeClassName,
    const PrefNameLookup &prefName);

// The text of an area value as the grid shows it: a number by CStr, a text
// as it is, nothing for an empty value.
QString statValueText(const StatValue &value);

} // namespace veltra::statwindow
