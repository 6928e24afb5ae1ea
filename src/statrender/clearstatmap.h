#pragma once
// ComPSY: removing a statistics map from the map, copying its files, and
// closing its pop-ups.
//
// A statistics map on the map is made of elements of the statistics kinds
// (graphs, leader lines, numbers: the level-9 store), flow-line sets
// (glngRyusenSets) and choropleth drawings (glngNuriDrawIds). Behind it lie
// its work files: the analysis files in the data folder's DB, the graph
// pictures PSY*.tmp in the program's temporary folder and the area pictures
// in DB\TempPImage.
#include <QString>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

// Removes the statistics map from the engine: the elements of kinds 180 to
// 186, the flow lines and the choropleth drawings (the drawing list is then
// empty); rolls the statistics entries back and refreshes the map. Unless
// `keepFiles`, the work files are deleted too. Reports nothing.
void PSY_ClearStatisticsMap(zorvik::Zorvik *engine, bool keepFiles);

// The same without the rollback and the refresh, always deleting the work
// files: before the document is saved and when its map window closes.
void PSY_ClearStatisticsMapQuiet(zorvik::Zorvik *engine);

// Copies the *.hed and *.dat files of `source` into `target`, and the *.bmp
// files into target\TempPImage (both folders without a trailing separator),
// replacing files of the same name. False at the first failure; what was
// copied until then stays.
bool PSY_CopyMapFiles(const QString &source, const QString &target);

// Closes the legend and ranking pop-ups that are open, by window name.
void PSY_UnloadLegendForms();

} // namespace ComPSY
