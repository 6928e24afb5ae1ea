#pragma once
// ComPSY.DrawPictureMap: the picture-symbol map (map kind 7). Every data line
// whose picture file name (field 10) ends in lower-case "bmp" (the population
// pyramids written into the data folder's DB\TempPImage\) gets that picture
// from the picture folder, keyed by the area code, "|" and the first item's
// name, with a size figure by the map scale at drawing time: 4000 up to
// 1/10000, 400 up to 1/250000, 50 beyond; a later zoom keeps it. A data file
// without lines asks for a scale that suits the unit level. The legend
// (frmPSYHanreiPra) shows the two item rows, the last H5 line taking the
// second row, and the first item's name less its last three characters as
// its title.
//
// True once every line was processed, even when the legend cannot be shown
// (an item colour that is no number, a first item name shorter than three
// characters); False when a run-time error ends the line loop.
#include <QString>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawPictureMap(zorvik::Zorvik *engine, const std::vector<QString> &header,
    const std::vector<QString> &data, const QString &dataPath, const QString &pictureFolder);

} // namespace ComPSY
