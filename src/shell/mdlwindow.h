#pragma once
// mdlWindow: placing the map window and the tool windows in the main frame.
//
// Tool windows of the map modes stand at the left of the document area,
// beside the list bar, over the left part of the map window; when one closes
// the map window is fitted back beside the left pane, with its view centre
// kept. Sizes follow the frame's layout (pro or beginner, list bar or story
// player).
//
// Common use (a tool window's load):
//   std::int32_t width = 3500;  // twips
//   mdlWindow::PlaceToolPane(width, *this);
#include <cstdint>

class QWidget;

namespace mdlWindow {

// Fits the map window beside the left pane (down to the operation room in
// the beginner layout) and keeps the engine's view centre. Without a frame
// or a map window nothing happens.
void ArrangeMapWindow();

// Places a tool window at the list bar's width, at the top, `width` twips
// wide and as high as the map window's inner area.
void PlaceToolPane(std::int32_t &width, QWidget &form);

// Kept for the tool modes that call it before they show their window; it
// moves nothing.
void ShiftMapWindow(std::int32_t &width);

} // namespace mdlWindow
