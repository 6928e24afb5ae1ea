#pragma once
// The area outline cache of the choropleth (PrefAreaCache): outlines found
// once in the engine are kept per prefecture in the data folder's DB\ and
// read from there when the same area is drawn again in the same drawing run.
//
//   NN.csv  one line per cached outline, seven fields joined by ",":
//           kind (iPra 2 of the area record), area code (its Key), the year
//           of the appearance date and "1001", the year of the disappearance
//           date and "0930", point count, first byte in NN.bin (from 1),
//           last byte (inclusive). CP932 text with CR LF, appended only.
//   NN.bin  the outlines one after another, each a run of AreaPoint records
//           (X then Y, 32-bit little-endian signed, 8 bytes a point).
//
// The dates are the area record's lPra(1) and lPra(3) days after the
// document's base date; without a base date the fields are just "1001" and
// "0930". PSY_DrawFromFiles deletes every cache file at the end of a run
// (ComPSY::DeletePrefAreaCache).
//
// The file procedures check nothing themselves: a file that cannot be opened,
// written or read raises veltra::vb::FileError to the caller.
//
// AreaCacheIndex answers the choropleth's look-ups without re-reading NN.csv
// for every area: it reads each NN.csv once, is kept in step by
// WriteAreaCache, and reads the file again whenever its size is not the one
// it last saw (deleted at the end of a run, or written by someone else).
#include "mapwindow/elementinfo.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComModule {

// Told the share of the points done so far, 0 to 100.
using ProgressValue = std::function<void(int)>;

// Searches the engine once per point record (its first point) for the
// smallest area polygon of `spaceId` at that point, and reads that polygon
// with all its points into outlines[k]. Pending events run before each
// search. False at the first point where nothing is found (outlines then
// holds the ones found before it), or when the search settings cannot be
// made.
bool CollectAreaPolygons(zorvik::Zorvik *engine, std::int16_t spaceId, const std::vector<ElementInfo> &records,
    std::vector<ElementInfo> &outlines, const ProgressValue &progress = {});

// The document's base date (BaseDate, "YYYYMMDD"); nothing when it is no date.
std::optional<QDate> GetBaseDateValue(const zorvik::Zorvik *engine);

} // namespace ComModule

namespace ComPSY {

struct AreaPoint
{
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// Appends one line per outline to csvPath and its points to the .bin beside
// it (the path with "bin" in place of its last three characters). Nothing
// when the two lists differ in length.
void WriteAreaCache(const QString &csvPath, const std::optional<QDate> &baseDate,
    const std::vector<ElementInfo> &areas, const std::vector<ElementInfo> &outlines);

// Appends the points to binPath (created when missing); firstByte is the
// file's length before + 1, lastByte the length after.
void AppendAreaPoints(
    const QString &binPath, const std::vector<AreaPoint> &points, std::int64_t &firstByte, std::int64_t &lastByte);

// Reads `count` points from binPath starting at firstByte (from 1); lastByte
// is not used.
void ReadAreaPoints(const QString &binPath, std::vector<AreaPoint> &points, std::int64_t firstByte,
    std::int64_t lastByte, std::int32_t count);

} // namespace ComPSY

namespace veltra::statrender {

// Fields 2 and 3 of a cache line: the year of `days` after the base date
// followed by the fixed month and day ("1001", "0930").
QString cacheYearField(const std::optional<QDate> &baseDate, std::int32_t days, const QString &monthDay);

// One cache line as the choropleth reads it.
struct CachedOutline
{
    std::int32_t count = 0; // field 4
    std::int64_t firstByte = 0; // field 5
};

class AreaCacheIndex
{
public:
    // The cached outlines of `code` in csvPath, in file order (empty when
    // none, or when the file is missing).
    std::vector<CachedOutline> find(const QString &csvPath, const QString &code);
    // WriteAreaCache appended `lines` to a file of `sizeBefore` bytes, which
    // now has `sizeAfter`.
    void appended(const QString &csvPath, std::int64_t sizeBefore, std::int64_t sizeAfter,
        const std::vector<std::pair<QString, CachedOutline>> &lines);
    void clear() { m_files.clear(); }

private:
    struct File
    {
        std::int64_t size = -1;
        QHash<QString, std::vector<CachedOutline>> outlines;
    };
    File &load(const QString &csvPath);
    QHash<QString, File> m_files;
};

AreaCacheIndex &areaCacheIndex();

// Reads the whole csvPath and gives the outlines of `code`: the look-up done
// once per area, without the index.
std::vector<CachedOutline> scanAreaCache(const QString &csvPath, const QString &code);

} // namespace veltra::statrender
