#pragma once
// Program-wide state of the map window.
//
// The engine events of the map window leave their data here before the
// running tool is told (the point arrays, the handle of the last finished
// search, the last key and mouse button), and the navigation commands and
// tools leave the switches the events read. Everything runs on the
// user-interface thread, so no locking. The names (g + type prefix) are the
// ones every subsystem that reads them uses.
#include <QString>
#include <array>
#include <cstdint>

// --- Written by the engine events ---------------------------------------------
// Element 0: the point of the last click or double click, the first corner of
// the last rectangle; element 1: its second corner. World coordinates.
inline std::array<std::int32_t, 2> glngPointX{0, 0};
inline std::array<std::int32_t, 2> glngPointY{0, 0};
// Element set of the last finished search while a tool runs; 0 when none.
inline std::int32_t glngElmHandle = 0;
inline std::int16_t gintKeyCode = 0; // key code of the last key event
inline std::int16_t gintMouseButton = 0; // button of the last mouse-up (1 left, 2 right)
// Last mouse-down and mouse-up positions on the map control (twips, rounded).
inline std::int32_t glngMouseDownX = 0;
inline std::int32_t glngMouseDownY = 0;
inline std::int32_t glngMouseUpX = 0;
inline std::int32_t glngMouseUpY = 0;
// World point under the pointer when a drag pan began.
inline std::int32_t glngDragX = 0;
inline std::int32_t glngDragY = 0;

// --- Read by the engine events --------------------------------------------------
// 0 plain map, 1 drag-move mode, -1 a tool owns the mouse.
inline std::int16_t gintMapMouseMode = 0;
// -1: a tool asks the next double click not to recentre the map.
inline std::int16_t gintSkipCenter = 0;

// --- Written when the engine starts on a document -----------------------------
// Folder of the files attached to elements of the open document, ending in a
// separator ("\" when the document names none).
inline QString gstrAttachPath;

// --- Area reference (ComCaldoraNeo's mode values, set when the mode starts) ---
inline std::int16_t gintPrefSpaceID = 0; // space of the prefecture polygons
inline std::int16_t gintCitySpaceID = 0; // space of the municipality polygons
inline std::int16_t gintTownSpaceID = 0; // space of the town-block polygons
inline std::int16_t gintAreaCnectKind = 0; // kind of the town-block area connectors
inline QString gstrClickedAreaCode; // code taken from the clicked element
