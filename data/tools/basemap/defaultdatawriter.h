#pragma once
// Writes the default program folder's map document and the data folder's
// base map from a BaseMapModel:
//
//   <root>/Veltra.zor, Veltra.zdb          the document and its element store
//   <root>/Veltra.INI                      its settings: the start views and
//                                          the view date of today
//   <root>/VeltraData/                     the data folder:
//       DefFolder/SpaceDef.csv, VectDef.csv, CnectDef.csv (the engine's),
//       DispVectDef.csv, DispCnectDef.csv, DispLevel.txt, and Init/ with the
//       first five as the initial copies
//       DB/Mesh.sqlite                     the place-name database
//       Symbol_Data/                       the symbol bitmaps (symbolbitmaps.h)
//
// The root is the default program folder less its configuration files; the
// document names the data folder relative to itself ("VeltraData\...").
// Everything is written into a fresh staging folder beside the root and moved
// into place only when all of it succeeded, so a failed run leaves the
// previous output untouched. The same model gives the same bytes.
#include "basemapmodel.h"

#include <QString>

namespace veltra::basemap {

// Name of the data folder inside the default program folder.
inline constexpr const char *DataFolderName = "VeltraData";

// The text stored in the document's [Description] section.
QString documentDescription();

bool writeDefaultData(const BaseMapModel &model, const QString &root, QString *error);

} // namespace veltra::basemap
