#pragma once
// The legend of the ranking and real-value maps: frmPSYHanreiOne built anew
// with the item's name (field 1 of the analysis header's first H5 line,
// double quotes removed) and a note on what the numbers on the map are,
// shown beside the map and taken into the main frame's legend picture. A
// header without an H5 line leaves the name as the window loads it.
#include <QString>
#include <vector>

namespace veltra::statrender {

void showOneItemLegend(const std::vector<QString> &header, const QString &note);

} // namespace veltra::statrender
