#include "zorvik/core/elementoverlay.h"

namespace zorvik {

void ElementOverlay::putAdded(std::int64_t id, PackedElement element)
{
    m_added.insert_or_assign(id, std::move(element));
}

bool ElementOverlay::removeAdded(std::int64_t id, PackedElement *removed)
{
    auto it = m_added.find(id);
    if (it == m_added.end())
        return false;
    if (removed)
        *removed = std::move(it->second);
    m_added.erase(it);
    return true;
}

const PackedElement *ElementOverlay::added(std::int64_t id) const
{
    auto it = m_added.find(id);
    return it == m_added.end() ? nullptr : &it->second;
}

std::vector<Tombstone> ElementOverlay::newTombstones() const
{
    std::vector<Tombstone> out;
    out.reserve(m_newTombstones.size());
    for (const auto &[mesh, id] : m_newTombstones)
        out.push_back({mesh, id});
    return out;
}

void ElementOverlay::clear()
{
    m_added.clear();
    m_deletedStore.clear();
    m_newTombstones.clear();
}

bool ElementOverlay::forEachAddedInBox(const WorldBox &box, const ElementVisitor &visit) const
{
    for (const auto &[id, element] : m_added)
        if (element.box.intersects(box) && !visit(element.view({ElementRef::Store, id})))
            return false;
    return true;
}

} // namespace zorvik
