#pragma once
// ComPSY.DrawChoroplethMap: the choropleth (map kind 1). Every area of the
// data file is filled in the colour of the class its value falls into.
//
// The engine has no look-up by area code, so each area's outline is found by
// searching its space (1 prefectures, 2 municipalities, 3 town blocks) at a
// point from the shipped point tables (statrender/choroplethtables.h); the
// outlines found are kept in the outline cache for the rest of the drawing
// run (statrender/areacache.h). All outlines of one analysis go into one
// polygon buffer (statrender/polygonbuffer.h), drawn by a single
// DrawElements_Polygon_RGB call whose drawing ID is appended to
// glngNuriDrawIds. Then the legend data (gstrNuriHanreiTitle,
// gtypNuriHanrei) are filled and frmPSYHanreiNuri2 is shown and its picture
// kept in the main frame.
//
// Per data line: the cancel check (ComPSY::PSY_CheckCancel) with pending
// events run; the value code (a text that is no value skips the line); the
// area code NN, NN & MMM or NN & MMM & TTTTTT (H2 field 1 = 6 keeps all 11
// digits); the scale (a municipality or town block zooms in to DispLevel.txt
// line 1, a prefecture out to line 2 + 1); "H7" is drawn only for a town
// block (mode 2); the cache, else the table scan and the engine search; the
// further points of municipalities (212.csv, 214.csv) and town blocks
// (229.csv, 231.csv) are searched in later passes and not cached.
//
// Results: True when the map and its legend were drawn. False, with nothing
// of this analysis drawn, when DispLevel.txt or a point table is missing
// (the missing-files message), when the user confirms a cancel, or when a
// data line lacks its fields or a cache file fails (no message). An area that
// no table names, or whose search finds nothing, is not drawn. An empty
// polygon set makes no drawing at all.
#include "statrender/polygonbuffer.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawChoroplethMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data,
    std::int16_t &level, std::int32_t &spare);

// The polygon buffer of the last call.
const PolygonBuffer &ChoroplethPolygons();

} // namespace ComPSY

namespace veltra::statrender {

// The area search: one outline per point record in `space`, as
// ComModule::CollectAreaPolygons gives them.
using AreaSearch = std::function<bool(zorvik::Zorvik *engine, std::int16_t space,
    const std::vector<ElementInfo> &records, std::vector<ElementInfo> &outlines)>;

struct ChoroplethSettings
{
    AreaSearch search; // empty: ComModule::CollectAreaPolygons
    // Look an area up by reading its NN.csv whole, as often as it is asked,
    // instead of through the run's index (for comparison only).
    bool literalCacheLookup = false;
};

ChoroplethSettings &choroplethSettings();

// Registers DrawChoroplethMap for map kind 1.
void registerChoroplethMap();

} // namespace veltra::statrender
