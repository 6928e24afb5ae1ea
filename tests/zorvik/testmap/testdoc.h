#pragma once
// Building blocks shared by the test documents built in code (the engine
// core fixture, the map window documents, the tiny map): element records
// from a flat list of points, and a set of free records in an engine.
#include "zorvik/core/engine.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace zorvik::test {

// An element record of the type and kind at the points given as x, y pairs
// ({x0, y0, x1, y1, ...}); not deleted, no dates set (appearance 0,
// disappearance undecided), other parameters zero.
ElementRecord pointsRecord(std::int16_t type, std::int16_t kind, const std::vector<std::int32_t> &xy,
    const QString &key = QString());

// A connector record of the kind at one point.
ElementRecord connector(std::int16_t kind, std::int32_t x, std::int32_t y, const QString &key = QString());

// A new set of `engine` holding the records as free records (not entered in
// the document); each addition is expected to succeed.
Handle freeSet(Engine &engine, const std::vector<ElementRecord> &records);

} // namespace zorvik::test
