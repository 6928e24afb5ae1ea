#pragma once
// ComPSY.DrawFlowMap: the flow map (map kind 8). The data lines come in
// pairs, one flow each in ranking order: the first line the start of the
// flow, the second its end. Each complete pair is drawn as a temporary flow
// line (DrawRyusen) of five points: start, end, first barb, end, second barb,
// the arrow head at the end; named "RYUSEN" and the flow's number, of kind
// 181 to 185 for flows 1 to 5 and 186 for every later one. A last line
// without its partner is not read. A flow whose ends coincide has no
// direction: its barbs are the end point itself, so it shows as a point.
//
// The ranking pop-up (frmPSYRank, loaded by the drawing road) gets the
// direction, "流入" when H2 field 10 is 1, else "流出", and the names and
// values of the partner areas of the first five flows: the start areas of an
// inflow, the end areas of an outflow; rows beyond the flows keep what they
// held. It is then shown and captured as the map's legend picture.
//
// The flow lines go to the current map's engine (gobjZor), as every flow
// line must, so the clear of the statistics map finds them. False when a
// run-time error ends it (a line short of its six fields): flows drawn stay,
// the pop-up is not shown.
#include <QString>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

bool DrawFlowMap(
    zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data);

} // namespace ComPSY
