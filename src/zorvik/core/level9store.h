#pragma once
// Level 9: the statistics elements (graphs, leader lines, numbers) of the
// current statistics map. They live in memory only: never journaled, never
// saved, gone when the document closes. Drawn above the base map.
#include "zorvik/core/storedelement.h"

#include <cstdint>
#include <map>

namespace zorvik {

class Level9Store
{
public:
    // Enters a record and returns its id (ids grow, never reused).
    std::int64_t add(ElementRecord record);
    bool remove(std::int64_t id);
    const PackedElement *element(std::int64_t id) const;
    std::size_t size() const { return m_elements.size(); }
    void clear() { m_elements.clear(); }

    bool forEachInBox(const WorldBox &box, const ElementVisitor &visit) const;
    bool forEachOfKind(std::int16_t type, std::int16_t kind, const ElementVisitor &visit) const;
    bool forEachElement(const ElementVisitor &visit) const;

private:
    std::map<std::int64_t, PackedElement> m_elements;
    std::int64_t m_nextId = 1;
};

} // namespace zorvik
