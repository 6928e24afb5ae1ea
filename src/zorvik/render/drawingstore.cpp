#include "zorvik/render/drawingstore.h"

#include <algorithm>

namespace zorvik {

void DrawingStore::putSet(SetDrawing drawing)
{
    removeSet(drawing.set);
    m_sets.push_back(std::move(drawing));
    ++m_setRevision;
}

bool DrawingStore::removeSet(Handle set)
{
    auto it = std::find_if(m_sets.begin(), m_sets.end(), [&](const SetDrawing &d) { return d.set == set; });
    if (it == m_sets.end())
        return false;
    m_sets.erase(it);
    ++m_setRevision;
    return true;
}

void DrawingStore::clearEditing()
{
    const auto n = std::erase_if(m_sets, [](const SetDrawing &d) { return d.mode != 16; });
    if (n)
        ++m_setRevision;
}

void DrawingStore::dropReleased(const std::function<bool(Handle)> &isAlive)
{
    const auto n = std::erase_if(m_sets, [&](const SetDrawing &d) { return !isAlive(d.set); });
    if (n)
        ++m_setRevision;
}

std::int32_t DrawingStore::addPolygons(std::vector<ChoroplethPolygon> polygons)
{
    const std::int32_t id = m_nextPolygonId++;
    m_polygons.emplace(id, std::move(polygons));
    ++m_polygonRevision;
    return id;
}

bool DrawingStore::erasePolygons(std::int32_t id)
{
    if (!m_polygons.erase(id))
        return false;
    ++m_polygonRevision;
    return true;
}

void DrawingStore::clear()
{
    if (!m_sets.empty())
        ++m_setRevision;
    if (!m_polygons.empty())
        ++m_polygonRevision;
    m_sets.clear();
    m_polygons.clear();
}

} // namespace zorvik
