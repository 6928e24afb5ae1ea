#pragma once
// frmPSYRankAll: the full list of a ranking or flow map ("全地域"): a grid
// of every area of the map's data file with its value, headed "地域名" and
// "人数".
//
// rankAllRows() reads the rows from the data file's lines:
// - "ランキング": per line, the area name (field 9, double quotes removed)
//   and the first value (field 10), in file order; a line of fewer than 11
//   fields is skipped;
// - "流線図": the lines come in pairs, one per flow, the first line for
//   "流入" and the second for "流出"; per complete pair, the chosen line's
//   area name (field 3) and value (field 4); a lone last line is no pair, and
//   a line of fewer than 5 fields is skipped;
// - any other mode: no rows.
// A data file that cannot be read gives no rows: the heading alone.
#include "statrender/popupwindow.h"

#include <QString>
#include <utility>
#include <vector>

class QTableWidget;

namespace veltra::statrender {

using RankRow = std::pair<QString, QString>; // area name, value

// `lines`: the data file's lines from element 1 on (element 0 unused).
std::vector<RankRow> rankAllRows(const std::vector<QString> &lines, const QString &mode, const QString &option);

} // namespace veltra::statrender

class frmPSYRankAll : public veltra::statrender::PopupWindow
{
    Q_OBJECT
public:
    explicit frmPSYRankAll(QWidget *owner = nullptr);

    // Fills the grid from the data file `sFileName` of a map of `sMode`;
    // `sOpt` is the direction of a flow map.
    void MP_Init(const QString &sFileName, const QString &sMode, const QString &sOpt);

    QTableWidget *flx = nullptr;
};
