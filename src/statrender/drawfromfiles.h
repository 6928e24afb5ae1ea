#pragma once
// ComPSY: the one road from the saved analyses to the map.
//
// Every finished analysis is a file pair in the data folder's DB: a header
// "tempheaderNNN.hed" and the data file its H1 line names. PSY_DrawFromFiles
// draws every pair present, in name order, each by the procedure its map
// kind registered (statrender/mapkindtable.h):
//   1. list DB\*.hed;
//   2. date pass: the dates of every item (H5 field 3, quotes removed) as era
//      texts; when there is at least one and all are equal, the view date
//      becomes that date (PSY_SetViewDate);
//   3. drawing pass: per header, its data file, the area-count limit of pie,
//      bar, symbol and picture-symbol maps (a larger analysis stops the whole
//      run with "地域数の上限は…地域までです。"), the kind's procedure;
//   4. the area-outline cache of the choropleth is deleted.
// A file that cannot be read ends the run with its message; analyses drawn
// before stay on the map. Clearing the old statistics map, the wait dialog
// and the final refresh are the caller's.
#include <QString>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

void PSY_DrawFromFiles(zorvik::Zorvik *engine, const QString &text = QString());

// Empties the choropleth drawing list and the highlighted-area list
// (bounds 0 to 0).
void ResetDrawIdLists();

// Keeps, in order, every line from element 1 on whose first field is not
// "H2", and of the "H2" lines only the first (exact, case-sensitive).
void KeepFirstH2Line(std::vector<QString> &lines);

// The date "YYYYMMDD" (the first eight characters) as a Japanese era text
// "令和2年4月1日" (era, era year, month and day without leading zeros; the
// first year of an era is written 1); the empty text gives today's. A text
// that is no date gives the empty text.
QString EraDateText(const QString &text);

// Deletes the area-outline cache, DB\01.bin to 47.bin and 01.csv to 47.csv;
// a file that is missing or cannot be deleted is passed over.
void DeletePrefAreaCache();

} // namespace ComPSY
