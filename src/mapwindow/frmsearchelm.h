#pragma once
// frmSearchElm: finds the connectors of given kinds that lie inside the
// polygons of one space at a point. Never shown; lives for one point search.
//
// Common use:
//   frmSearchElm search;
//   search.setZorvik(gobjZor);
//   search.SetSearchCnectID(townSpace, {227});
//   std::int32_t set = 0;
//   if (search.GetCnectInSurface(set, x, y) && set > 0) { read set; release it }
// The caller owns the set it gets; every other set is released here.
#include <cstdint>
#include <vector>

namespace zorvik {
class Zorvik;
}

class frmSearchElm
{
public:
    // Keeps the engine only while none is held.
    void setZorvik(zorvik::Zorvik *engine);
    void setSearchSpaceID(std::int16_t space) { m_spaceIds[0] = space; }
    void SetSearchCnectID(std::int16_t space, const std::vector<std::int16_t> &kinds);

    // The set of held-kind connectors inside the polygons of the search
    // space at (x, y). True when that set is not empty. The three
    // recognition settings it changes are restored.
    bool GetCnectInSurface(std::int32_t &set, std::int32_t x, std::int32_t y);
    // The elements inside the polygons of `hitSet`, narrowed to connectors of
    // the held kinds; 0 when the search did not run.
    void GetInnerSpaceElm(std::int32_t hitSet, std::int32_t &innerSet);

    void Form_Unload() { m_engine = nullptr; }

private:
    zorvik::Zorvik *m_engine = nullptr;
    std::int16_t m_spaceIds[2] = {0, 0};
    std::vector<std::int16_t> m_kinds;
};
