#pragma once
// AreaDoc: a small map document of areas for the navigation tests. Five
// square municipality areas in a row (space 2, closed vectors of kind 30),
// each with area connectors inside (space 2, kind 211), a prefecture area
// around them all (space 1, kind 31) with a prefecture connector (space 1,
// kind 206), and a place-name database with the names the keys stand for.
//
// Areas, from west to east, with their connector keys:
//   0 "13101"                    -> 東京都千代田区
//   1 "1101" (no leading zero)    -> 北海道札幌市中央区
//   2 "横浜市" (a name)           -> 神奈川県横浜市
//   3 "13999", "横浜市"           -> 東京都 (a code wins over a name; 13999
//                                  has no municipality row)
//   4 "横浜市' OR '1'='1"         -> the key itself (no such name)
//
// With town blocks: a town-block polygon (space 3, kind 32) over the west
// third of area 3 holding one town-block area connector (space 3, kind 227)
// "13999001001", and in the east of area 3, outside any town block, a kind-227
// connector of nine digits "139990010" (no town-block code), stored before
// every municipality connector.
#include "statdata/meshdatabase.h"
#include "testsupport.h"

#include <QString>
#include <cstdint>

namespace veltra::test {

struct AreaDoc
{
    static constexpr std::int32_t Side = 36000; // 0.1 degree
    static constexpr std::int32_t X0 = 17 * 360000;
    static constexpr std::int32_t Y0 = 12 * 360000;
    // Centre of area i.
    static std::int32_t centreX(int i) { return X0 + i * Side + Side / 2; }
    static std::int32_t centreY() { return Y0 + Side / 2; }

    TempDir dir;
    QString zor;
    statdata::MeshDatabase names;
    bool ok = false;

    // The town-block polygon's box and its connector's point.
    static std::int32_t townX0() { return X0 + 3 * Side; }
    static std::int32_t townX1() { return X0 + 3 * Side + 12000; }
    static std::int32_t townConnectorX() { return X0 + 3 * Side + 6000; }
    static std::int32_t townConnectorY() { return Y0 + Side / 2 + 5000; }
    static std::int32_t nineDigitConnectorX() { return X0 + 4 * Side - 6000; }

    // Writes the document and the database (open in `names`).
    explicit AreaDoc(bool withTownBlocks = false);
};

} // namespace veltra::test
