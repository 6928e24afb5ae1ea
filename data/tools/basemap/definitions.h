#pragma once
// The spaces, kinds, styles and display ranges of the default map document,
// and the display levels of the data folder. One table feeds the engine's
// catalog (SpaceDef/VectDef/CnectDef through the engine), the application's
// DispVectDef.csv / DispCnectDef.csv and DispLevel.txt, so they cannot drift.
//
// What the application relies on: area spaces 1 (prefectures), 2
// (municipalities) and 3 (town blocks); area connector kinds 206, 211, 227
// and 228 keyed "code,0"; place-name kinds 205, 210, 224; the statistics
// space 100 with vector and connector kinds 180-186; photo direction kinds
// 101-109 (100 + keypad digit); a space named "添付ﾌｧｲﾙ".
#include "kinds.h"
#include "zorvik/core/catalog.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace veltra::basemap {

// Fills an empty catalog with every space and kind of the default document.
// Returns the first non-zero engine result (none is expected).
zorvik::Result defineCatalog(zorvik::Catalog &catalog);

// Lines of DispVectDef.csv, DispCnectDef.csv and DispLevel.txt (header first
// where the format has one).
QStringList dispVectDefLines();
QStringList dispCnectDefLines();
QStringList dispLevelLines();

} // namespace veltra::basemap
