#pragma once
// DrawingStore: the drawings that are not document changes. Set drawings
// (DrawElements) keep a copy of the set's records taken when drawn, keyed by
// set handle: drawing a set again replaces its drawing and puts it on top.
// Choropleth drawings (DrawElements_Polygon_RGB) are groups of filled polygons
// with one ID, kept until EraseElements.
//
// Lifetimes are applied by the owner: dropReleased() at every redraw removes
// the drawings of sets that no longer exist; clearEditing() removes modes 0, 2
// and 3 (ClearDrawElements) and spares mode 16 and the choropleth.
// Revisions grow at every change, so cached pictures know when to repaint.
#include "zorvik/core/types.h"

#include <QColor>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace zorvik {

struct SetDrawing
{
    Handle set = 0;
    int mode = 0; // 0 normal, 2 highlight, 3 outline and fill, 16 lasting kind style
    int a = 0, b = 0, c = 0;
    std::vector<ElementRecord> elements;
};

struct ChoroplethPolygon
{
    std::vector<std::int32_t> x, y;
    QColor colour;
    int mode = 0; // 0 in a class, 4 in no class (grey), 2 town block with value "H7"
    WorldBox box;
};

class DrawingStore
{
public:
    void putSet(SetDrawing drawing);
    bool removeSet(Handle set);
    void clearEditing();
    // Removes the drawings whose set is no longer alive.
    void dropReleased(const std::function<bool(Handle)> &isAlive);
    const std::vector<SetDrawing> &sets() const { return m_sets; }

    std::int32_t addPolygons(std::vector<ChoroplethPolygon> polygons);
    bool erasePolygons(std::int32_t id);
    const std::map<std::int32_t, std::vector<ChoroplethPolygon>> &polygons() const { return m_polygons; }

    void clear();
    std::uint64_t setRevision() const { return m_setRevision; }
    std::uint64_t polygonRevision() const { return m_polygonRevision; }

private:
    std::vector<SetDrawing> m_sets;
    std::map<std::int32_t, std::vector<ChoroplethPolygon>> m_polygons;
    std::int32_t m_nextPolygonId = 1;
    std::uint64_t m_setRevision = 0;
    std::uint64_t m_polygonRevision = 0;
};

} // namespace zorvik
