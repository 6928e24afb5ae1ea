#pragma once
// Registers the graph maps with the drawing road: pie (map kind 2), bar (3),
// symbol (4), picture-symbol (7) and flow (8).
namespace veltra::statrender {

void registerGraphMaps();

} // namespace veltra::statrender
