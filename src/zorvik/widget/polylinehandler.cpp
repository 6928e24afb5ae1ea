#include "zorvik/widget/polylinehandler.h"

namespace zorvik {

void PolylineHandler::leave(GestureHost &host)
{
    m_x.clear();
    m_y.clear();
    GestureHandler::leave(host);
}

void PolylineHandler::addVertex(const Gesture &g)
{
    if (!m_x.empty() && m_x.back() == g.worldX && m_y.back() == g.worldY)
        return;
    m_x.push_back(g.worldX);
    m_y.push_back(g.worldY);
}

QPolygonF PolylineHandler::worldLine() const
{
    QPolygonF line;
    for (std::size_t i = 0; i < m_x.size(); ++i)
        line << QPointF(m_x[i], m_y[i]);
    return line;
}

void PolylineHandler::move(GestureHost &host, const Gesture &g, const Gesture *, bool)
{
    if (!m_x.empty())
        host.setRubberLine(worldLine(), g.world);
}

GestureOutcome PolylineHandler::release(GestureHost &host, const Gesture &g, const Gesture &, bool dragged)
{
    if (g.button == 1 && !dragged) {
        addVertex(g);
        host.setRubberLine(worldLine(), g.world);
    }
    return {};
}

GestureOutcome PolylineHandler::doubleClick(GestureHost &host, const Gesture &g)
{
    GestureOutcome out;
    if (g.button != 1)
        return out;
    addVertex(g);
    ElementRecord line;
    line.Type = TypeVector;
    line.X = m_x;
    line.Y = m_y;
    line.PNum = static_cast<std::int32_t>(m_x.size());
    line.lPra = {0, 0, DayUndecided, DayUndecided, 0, 0};
    m_x.clear();
    m_y.clear();
    host.setRubberLine({}, std::nullopt);
    Engine &engine = host.engine();
    Handle set = 0;
    if (engine.CreateElementList(set) == code::Ok && engine.AddElementToList(set, line) != code::Ok) {
        engine.ReleaseElements(set);
        set = 0;
    }
    out.searchEnd = true;
    out.set = set;
    return out;
}

} // namespace zorvik
