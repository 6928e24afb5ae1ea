#pragma once
// The searches the statistics element modes make on the map: the graph of a
// statistics map under a click, and the leader line that ends at the
// position a graph's name records.
//
// Both search in pixels of the current view (a tolerance of 40) and find at
// most one element. They name the statistics graph kind 180 as the space,
// which is no space of the document, so the engine does not filter by space:
// the line search can find a base-map line, and callers that change what it
// finds keep only the graph's own leader lines (keepLeaderLinesOf).
#include <QString>
#include <cstdint>

namespace zorvik {
class Zorvik;
}

namespace veltra::statrender {

inline constexpr std::int16_t GraphKind = 180; // graphs, symbols and their leader lines
inline constexpr int GraphSearchPixels = 40;

// The graph nearest to (x, y), a connector of kind 180. The engine's result;
// `set` holds the graph, 0 when none was found.
int searchGraphAt(zorvik::Zorvik &engine, std::int32_t x, std::int32_t y, std::int32_t &set);

// The vector nearest to (x, y). The engine's result; `set` holds it (0 when
// none was found) and `count` the number found.
int searchLineAt(zorvik::Zorvik &engine, std::int32_t x, std::int32_t y, std::int32_t &set, std::int32_t &count);

// Drops from `set` every element that is not a vector of kind 180 named
// `key`; returns how many stay.
std::int32_t keepLeaderLinesOf(zorvik::Zorvik &engine, std::int32_t set, const QString &key);

// "<procedure> OCXエラーコード [code]" in a message box.
void showEngineFailure(const QString &procedure, int code);

} // namespace veltra::statrender
