#include "zorvik/core/level9store.h"

namespace zorvik {

std::int64_t Level9Store::add(ElementRecord record)
{
    const std::int64_t id = m_nextId++;
    m_elements.emplace(id, PackedElement(std::move(record)));
    return id;
}

bool Level9Store::remove(std::int64_t id)
{
    return m_elements.erase(id) != 0;
}

const PackedElement *Level9Store::element(std::int64_t id) const
{
    auto it = m_elements.find(id);
    return it == m_elements.end() ? nullptr : &it->second;
}

bool Level9Store::forEachInBox(const WorldBox &box, const ElementVisitor &visit) const
{
    for (const auto &[id, e] : m_elements)
        if (e.box.intersects(box) && !visit(e.view({ElementRef::Level9, id})))
            return false;
    return true;
}

bool Level9Store::forEachOfKind(std::int16_t type, std::int16_t kind, const ElementVisitor &visit) const
{
    for (const auto &[id, e] : m_elements)
        if (e.record.Type == type && e.record.iPra[2] == kind && !visit(e.view({ElementRef::Level9, id})))
            return false;
    return true;
}

bool Level9Store::forEachElement(const ElementVisitor &visit) const
{
    for (const auto &[id, e] : m_elements)
        if (!visit(e.view({ElementRef::Level9, id})))
            return false;
    return true;
}

} // namespace zorvik
