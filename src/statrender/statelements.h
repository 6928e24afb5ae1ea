#pragma once
// ComPSY: the element records of a statistics map and their entry into the
// open map document.
//
// A statistics element is an ordinary engine element of the statistics space
// (zorvik::StatSpaceId, kinds zorvik::FirstStatKind to LastStatKind): a
// one-point connector (a graph, symbol or number, named by its text) or a
// line (a leader line of two points, a flow line of five). The builders fill
// an ElementInfo with the fixed parameters of such an element (iPra 0, 0,
// kind; lPra 0, 0, -1, -1, 0, 0: no dates of its own) and its points, sized
// to exactly PNum; Handle, IndexH and Comment stay as they were, and the line
// builders keep the record's Key, so a leader line reuses its graph's name.
//
// The adders make a set, put the record in it, enter it into the document
// and release the set, which is released on every path, a refused step
// included. PSY_AddElement enters it as an ordinary document change;
// PSY_AddElementForLevel9 into the engine's level-9 store, which is never
// journaled and never saved: what the drawing of a statistics map uses.
//
// Common use:
//   ElementInfo e;
//   if (ComPSY::MakePointElement(e, 180, name, x, y)) ComPSY::PSY_AddElementForLevel9(engine, e);
//   if (ComPSY::MakeLineElement(e, 180, x, y, baseX, baseY)) ComPSY::PSY_AddElementForLevel9(engine, e);
#include "mapwindow/elementinfo.h"

#include <QString>
#include <cstdint>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

// A one-point connector of `kind` named `name` at (x, y). False only when the
// record could not be filled.
bool MakePointElement(
    ElementInfo &record, std::int16_t kind, const QString &name, std::int32_t x, std::int32_t y);
// A two-point line of `kind` from (x1, y1) to (x2, y2); Key unchanged.
bool MakeLineElement(ElementInfo &record, std::int16_t kind, std::int32_t x1, std::int32_t y1,
    std::int32_t x2, std::int32_t y2);
// A five-point line of `kind` through the points in the order given (the flow
// map passes start, end, first barb, end, second barb); Key unchanged.
bool MakeFlowLineElement(ElementInfo &record, std::int16_t kind, std::int32_t x1, std::int32_t y1,
    std::int32_t x2, std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t x4, std::int32_t y4,
    std::int32_t x5, std::int32_t y5);

// Enters the record as a new element of the document; the new set's handle
// lands in record.Handle. A refusal of the engine shows
// "PSY_AddElement OCXエラーコード [code]" and gives False; so does a missing
// engine, without a message.
bool PSY_AddElement(zorvik::Zorvik *engine, ElementInfo &record);
// The same into the level-9 store; its message reads
// "PSY_AddElementForLevel9 OCXエラーコード [code]".
bool PSY_AddElementForLevel9(zorvik::Zorvik *engine, ElementInfo &record);

// A one-point element of `kind` named `name` at the last clicked map point
// (glngPointX(0), glngPointY(0)), entered into the current map's document.
void PSY_AddPointElement(std::int16_t kind, const QString &name);

// Puts the moved position (x, y) into fields 3 and 4 of an analysis data
// line. A line of fewer than five fields raises veltra::vb::SubscriptOutOfRange.
void SetMovedPosition(QString &line, std::int32_t x, std::int32_t y);

} // namespace ComPSY
