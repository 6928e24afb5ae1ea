#pragma once
// PolylineHandler: Mode 10 (polyline): left clicks add vertices, a rubber line follows the
// pointer, and a double click ends the line: SearchEnd then carries a set with
// one free vector record of the clicked vertices (the double-click point once).
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class PolylineHandler : public GestureHandler
{
public:
    void leave(GestureHost &host) override;
    void move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging) override;
    GestureOutcome release(
        GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged) override;
    GestureOutcome doubleClick(GestureHost &host, const Gesture &g) override;

private:
    void addVertex(const Gesture &g);
    QPolygonF worldLine() const;
    std::vector<std::int32_t> m_x, m_y;
};

} // namespace zorvik
