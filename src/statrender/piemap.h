#pragma once
// ComPSY.DrawPieMap: the pie graph map (map kind 2). Every valid area (all
// its item values numbers and not negative) with a total above 0 gets a pie
// of its non-zero items, each slice its share of the total in whole percent
// (below 1 raised to 1, halves to the even neighbour), drawn into two
// PSY*.tmp pictures and put on the map as a graph element with its leader
// line. An absolute analysis (expression kind 1) sizes each pie from the size
// classes of hanreiinfo.txt by its total against the mean; any other kind
// draws every pie 100 x 100 and needs no size classes. The legend lists the
// items and the largest, mean and smallest totals with their areas (a tie
// keeps the earlier area).
//
// False when a run-time error ends it (size classes missing or short, more
// than 64 non-zero items, no valid area, a picture that cannot be written,
// a colour that is no number): no legend, elements already added stay. A
// graph the engine refuses shows the adder's message and the drawing goes on.
#include <QString>
#include <cstdint>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawPieMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data,
    const QString &dataPath, std::int32_t mapKind);

} // namespace ComPSY
