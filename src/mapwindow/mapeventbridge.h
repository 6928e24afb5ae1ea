#pragma once
// MapEventBridge: turns the events of one map control into the dispatcher's
// state codes, after leaving the event's data in the shared map-window state
// (the point arrays, the last search's set, the last key and mouse button).
//
// Besides the dispatch it keeps the pointer position on the status bar (in
// the form gintPointType chooses), pans the map while the user drags in the
// drag-move mode (gintMapMouseMode 1), recentres on a double click when no
// tool owns the mouse, sets the pointer shape from the mouse mode, shows the
// scale bar and the legend when the pointer comes onto the map, and keeps
// the scale displays in step with the engine's scale.
//
// Every state goes out as mdlMain::DispatchMode(state, "\""). The scale goes
// to the scale bar and, for the current map, the frame's scale box, which
// nothing else writes on a zoom; listeners of later subsystems
// (the operation room's scale slider, the raster layers) are reached through
// mapEventLinks(); an empty link does nothing.
//
// Common use (the map window's constructor):
//   auto *bridge = new MapEventBridge(Zorvik1, this, this);
//   bridge->setScaleBar(scaleBar);
#include <QObject>
#include <cstdint>
#include <functional>

class QWidget;
namespace zorvik {
class Zorvik;
}
namespace veltra::shell {
class MapWindowHost;
}

namespace veltra::mapwindow {

class ScaleBar;

// Windows of later subsystems that follow the map's scale.
struct MapEventLinks
{
    std::function<void(std::int32_t scale)> setOperationRoomScale; // frmPSYOpeRoom.MP_SetScale
    std::function<void(std::int32_t scale)> reloadImageFolders; // ComImageLap.ReloadImageFolders
};
MapEventLinks &mapEventLinks();

// The window mouse pointer (0 default, 2 cross, 15 four arrows) for a mouse mode.
int mousePointerForMode(int mouseEventMode);

class MapEventBridge : public QObject
{
    Q_OBJECT
public:
    // `window` receives the focus on GotFocus and shows the centre place
    // name; it may be null.
    MapEventBridge(zorvik::Zorvik *map, veltra::shell::MapWindowHost *window, QObject *parent = nullptr);

    // The scale bar whose label follows the scale and which the pointer
    // shows when it comes onto the map.
    void setScaleBar(ScaleBar *bar) { m_scaleBar = bar; }

    // 0 idle, -1 pressed in drag-move mode, 1 dragging (anchor taken).
    int dragState() const { return m_dragState; }

    // The engine events.
    void onClick(int button, int shift, std::int32_t x, std::int32_t y);
    void onDblClick(int button, int shift, std::int32_t x, std::int32_t y);
    void onRectSelect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void onSearchEnd(std::int32_t set);
    void onMouseUp(int button, int shift, double x, double y);
    void onMouseDown(int button, int shift, double x, double y);
    void onKeyDown(int keyCode, int shift);
    void onCursorPos(int button, int shift, std::int32_t x, std::int32_t y);
    void onMouseMove(int button, int shift, double x, double y);
    void onGotFocus();
    void onViewMoved();
    void onScaleChanged();

private:
    void setPointer(int vbPointer);
    void setDragPicture();
    void centerPlaceName();

    zorvik::Zorvik *m_map;
    veltra::shell::MapWindowHost *m_window;
    ScaleBar *m_scaleBar = nullptr;
    int m_dragState = 0; // mintDragState
};

} // namespace veltra::mapwindow
