#pragma once
// A tiny map document built in code for the engine core tests: a temporary
// folder with a `.zor`, an empty store and definitions holding the area
// spaces 1-3, the statistics space 100 and a few kinds the application uses.
#include "../testmap/testdoc.h"
#include "testsupport.h"
#include "zorvik/core/engine.h"

#include <QString>
#include <cstdint>
#include <ostream>
#include <vector>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace zorvik::test {

struct DocFixture
{
    veltra::test::TempDir dir;
    QString zor;
    Engine engine;

    // Creates the document (base date 19700101) and opens it in `engine`.
    // With `withKinds`, defines the spaces and kinds below and saves them.
    explicit DocFixture(bool withKinds = true);

    // Area vector kind 1 in space 1 ... kind 3 in space 3; area connector
    // kinds 206 (space 1), 211 (space 2), 227 (space 3); statistics kinds
    // 180-186 (vector and connector) in space 100; road vector kind 10 in
    // spaces 1 and 2.
    void defineKinds();

    // Adds records through a set and AddElements; returns the refs set handle
    // (the set is kept, so callers can read it back).
    Handle add(const std::vector<ElementRecord> &records, bool level9 = false);
};

ElementRecord vector(std::int16_t kind, const std::vector<std::int32_t> &xy, const QString &key = QString());
// Closed square polygon with lower-left (x, y) and side s.
ElementRecord square(
    std::int16_t kind, std::int32_t x, std::int32_t y, std::int32_t s, const QString &key = QString());

// The handles of a set, walked with GetNextElementHandle.
std::vector<Handle> walk(const Engine &engine, Handle set);
// The records of a set (points included).
std::vector<ElementRecord> records(const Engine &engine, Handle set);

} // namespace zorvik::test
