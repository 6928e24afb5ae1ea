#pragma once
// ComPSY.DrawSymbolMap: the symbol map (map kind 4). Every area whose first
// value is above 0 gets the symbol picture its data line names (field 11, the
// whole path), sized by mean / value x f, f being 20, 100 or 1000 by unit
// level 1, 2 or 3 (0 for any other), so an area with the mean value gets f
// and a larger one a smaller figure; the mean is taken over every data line,
// those without a positive value counting as 0. The legend (frmPSYHanreiSym)
// shows the first item's name and the largest, mean and smallest values with
// the areas of the largest and smallest.
//
// The symbol folder the drawing road passes is not used: the path comes whole
// from the data line. False when a run-time error ends it (a data file
// without lines, a figure beyond a Long): no legend, elements already added
// stay.
#include <QString>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawSymbolMap(zorvik::Zorvik *engine, const std::vector<QString> &header,
    const std::vector<QString> &data, const QString &dataPath, const QString &symbolFolder);

} // namespace ComPSY
