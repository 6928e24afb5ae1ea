#pragma once
// ComPSY.DrawRankingMap: the ranking map (map kind 5). The areas with a
// value of 0 or more (an empty value counts as 0) are numbered 1, 2, 3 … in
// the order of their data lines, each number a text element at the area's
// own point: ranks 1 to 5 of kinds 181 to 185, so that the display settings
// can set them apart, every later rank of kind 186. An area without a value
// ("-", "H7", other text) gets no number and uses none up; a number the
// engine refuses (its message shown) is used up all the same. The names and
// value texts of ranks 1 to 5 go into frmPSYRank, whose other rows keep what
// they held. The legend names the item and says "数字:ランキング".
//
// False when a data line lacks the fields it needs: the run stops there
// silently, numbers already added stay, no legend is shown.
#include <QString>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawRankingMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data);

} // namespace ComPSY
