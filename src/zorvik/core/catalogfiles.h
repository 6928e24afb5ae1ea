#pragma once
// Reads and writes a Catalog as the definition files of the definition
// folder (CP932, CR LF; UTF-8 accepted on read; first line a header):
//   SpaceDef.csv   spaceID,name,type,order
//   VectDef.csv    kindID,name,spaceIDs(;-separated),disp,pick,c0,l0,c1,l1,c2,l2
//   CnectDef.csv   kindID,name,spaceID,dll,disp,pick,c0,c1,c2,hatchFlag,hatchNo,size
// Read only: the scale ranges of DispVectDef.csv / DispCnectDef.csv
// ("kindID,range1,range2,flag"; reading stops at the first line that is not
// four fields, the first line per kind wins) and the optional tables
// PaletteDef.csv (n,r,g,b), LineTypeDef.csv (n,width,code), HatchDef.csv (n,code).
//
// The three definition files must exist and be well formed; a bad line makes
// the whole read fail with a message naming the file and line.
#include "zorvik/core/catalog.h"

#include <QString>

namespace zorvik::catalogfiles {

inline constexpr const char *SpaceFile = "SpaceDef.csv";
inline constexpr const char *VectorFile = "VectDef.csv";
inline constexpr const char *ConnectorFile = "CnectDef.csv";
inline constexpr const char *VectorRangeFile = "DispVectDef.csv";
inline constexpr const char *ConnectorRangeFile = "DispCnectDef.csv";
inline constexpr const char *PaletteFile = "PaletteDef.csv";
inline constexpr const char *LineTypeFile = "LineTypeDef.csv";
inline constexpr const char *HatchFile = "HatchDef.csv";

// `folder` is a resolved local folder ending in '/'.
bool read(const QString &folder, Catalog &catalog, QString *error = nullptr);
bool write(const QString &folder, const Catalog &catalog, QString *error = nullptr);
// The three definition files change together (see filesetcommit.h); read()
// first finishes or rolls back a save that a crash interrupted.
bool recover(const QString &folder, QString *error = nullptr);
// Writes header-only definition files for those that are missing.
bool writeEmptyIfMissing(const QString &folder, QString *error = nullptr);

} // namespace zorvik::catalogfiles
