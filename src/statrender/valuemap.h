#pragma once
// ComPSY.DrawValueMap: the real-value map (map kind 6). Every area whose
// first value is 0 or more gets its value written as a number element of
// kind 186 at the area's own point, in file order (an empty value is 0); an
// area without a value ("-", "H7", other text) gets none. The legend names
// the item and says "数字:実数値".
//
// A number the engine refuses shows the adder's message and the next area
// follows. False when a data line lacks the fields it needs: the run stops
// there silently, numbers already added stay, no legend is shown.
#include <QString>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawValueMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data);

} // namespace ComPSY
