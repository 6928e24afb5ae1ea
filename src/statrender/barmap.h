#pragma once
// ComPSY.DrawBarMap: the bar graph map (map kind 3). Every valid area (all
// its item values numbers and not negative) gets a bar graph of its c items
// in item order, drawn into two PSY*.tmp pictures and put on the map as a
// graph element with its leader line; a zero value keeps its column empty.
//
// Absolute (expression kind 1): the bars share one scale, the largest single
// value of all areas being 100 (a positive value at least 2, so that it
// shows), and every graph has the one size the size classes give the largest
// total against the mean. The legend lists the items and the largest, mean
// and smallest totals with their areas.
// Relative: each bar is its share of the area's total in percent, each graph
// sized by the area's own total against the mean; the legend's values are
// blanked and the value globals keep those of an earlier analysis.
//
// False when a run-time error ends it (size classes missing or short, more
// than 64 items, no valid area, a picture that cannot be written): no legend,
// elements already added stay. A graph the engine refuses shows the adder's
// message and the drawing goes on.
#include <QString>
#include <cstdint>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawBarMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data,
    const QString &dataPath, std::int32_t mapKind);

} // namespace ComPSY
