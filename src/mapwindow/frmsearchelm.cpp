#include "mapwindow/frmsearchelm.h"

#include "mapwindow/mdlelement.h"
#include "zorvik/widget/zorvik.h"

#include <algorithm>

void frmSearchElm::setZorvik(zorvik::Zorvik *engine)
{
    if (!m_engine)
        m_engine = engine;
}

void frmSearchElm::SetSearchCnectID(std::int16_t space, const std::vector<std::int16_t> &kinds)
{
    m_spaceIds[0] = space;
    m_kinds = kinds;
}

bool frmSearchElm::GetCnectInSurface(std::int32_t &set, std::int32_t x, std::int32_t y)
{
    if (!m_engine)
        return false;
    zorvik::Zorvik &map = *m_engine;
    const int elementType = map.RecognizeElementType();
    const int length = map.RecognizeLength();
    const int searchNum = map.RecognizeSearchNum();
    map.setSpaceID(m_spaceIds[0]);
    map.setRecognizeElementType(1);
    map.setRecognizeSearchNum(0);
    bool found = false;
    std::int32_t hit = 0, a = 0, b = 0, c = 0;
    if (map.SearchElements(3, x, y, hit, a, b, c) == 0 && hit > 0) {
        std::int32_t inner = 0;
        GetInnerSpaceElm(hit, inner);
        map.ReleaseElements(hit);
        if (inner > 0) {
            set = inner;
            found = true;
        }
    } else if (hit > 0) {
        map.ReleaseElements(hit);
    }
    map.setRecognizeElementType(elementType);
    map.setRecognizeLength(length);
    map.setRecognizeSearchNum(searchNum);
    return found;
}

void frmSearchElm::GetInnerSpaceElm(std::int32_t hitSet, std::int32_t &innerSet)
{
    innerSet = 0;
    if (!m_engine || hitSet == 0 || m_kinds.empty())
        return;
    zorvik::Zorvik &map = *m_engine;
    map.setRecognizeElementType(2);
    std::int32_t inner = 0, c1 = 0, c2 = 0, c3 = 0;
    const auto result = map.SearchInnerPolygonElements(hitSet, inner, c1, c2, c3);
    if (result == 0 && c1 + c2 + c3 >= 1) {
        std::vector<std::int32_t> others;
        std::int32_t elem = 0;
        ElementInfo info;
        while (veltra::mapwindow::readElementInfo(map, inner, elem, info, 1)) {
            if (info.Type == 3 && std::find(m_kinds.begin(), m_kinds.end(), info.iPra[2]) == m_kinds.end())
                others.push_back(elem);
        }
        for (const std::int32_t other : others)
            map.DeleteElementToList(inner, other);
    }
    map.setRecognizeElementType(1);
    innerSet = inner;
}
