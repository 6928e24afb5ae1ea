#pragma once
// KindDoc: a small map document for the map window tests, built through the
// engine's own API in a temporary folder and opened in a headless engine.
//
// Spaces 1 "北区" and 2 "南区" (areas) and 3 "空" (no vector kinds).
// Vector kinds: 10 "道路" (space 1), 11 "河川" (space 2), 12 "境界" (both).
// Connector kinds: 20 "地名" (space 1), 21 "点" (space 2), 22 "標" (space 3).
// Styles: vector 10 has colours 1 / 3 / 4 with line types 1 / 4 / 7;
// connector 20 has colours 5 / 6 / 7, hatching on, hatch number 7.
#include "testsupport.h"
#include "zorvik/core/engine.h"

#include <QString>
#include <ostream>
#include <vector>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace veltra::test {

inline constexpr std::int16_t RoadKind = 10;
inline constexpr std::int16_t RiverKind = 11;
inline constexpr std::int16_t BorderKind = 12;
inline constexpr std::int16_t PlaceKind = 20;
inline constexpr std::int16_t PointKind = 21;
inline constexpr std::int16_t MarkKind = 22;

zorvik::ElementRecord vectorRecord(
    std::int16_t kind, const std::vector<std::int32_t> &xy, const QString &key);
zorvik::ElementRecord connectorRecord(std::int16_t kind, std::int32_t x, std::int32_t y, const QString &key);

struct KindDoc
{
    TempDir dir;
    QString zor;
    zorvik::Engine engine;

    // Creates and opens the document with the spaces and kinds above; with
    // `elements`, enters them and saves.
    explicit KindDoc(const std::vector<zorvik::ElementRecord> &elements = {});

    // A set of every element of the given kinds, in store order.
    zorvik::Handle setOf(
        const std::vector<std::int16_t> &vectorKinds, const std::vector<std::int16_t> &connectorKinds);
    // A set of free records (not entered in the document).
    zorvik::Handle freeSet(const std::vector<zorvik::ElementRecord> &records);
};

} // namespace veltra::test
