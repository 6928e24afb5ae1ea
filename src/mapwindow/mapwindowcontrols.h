#pragma once
// MapWindowControls: everything of the map window around and over its map
// control: the ring of eight pan buttons (Command4), the measuring panel
// (Picture1), the scale bar (Picture3), the compass (Picture5), dragging of
// the three overlays, and the bridge from the engine's events to the
// dispatcher. The compass and the scale bar start hidden and are shown only
// while the map control has a document open. The window creates one after its map control and calls
// layOut() on every resize.
//
// Geometry is computed in twips (layoutMapWindow) and applied in pixels of
// the window's logical DPI.
#include "mapwindow/maplayout.h"

#include <QObject>
#include <array>

class QToolButton;
class QWidget;
namespace zorvik {
class Zorvik;
}
namespace veltra::shell {
class MapWindowHost;
}

namespace veltra::mapwindow {

class CompassWidget;
class MapEventBridge;
class MeasurePanel;
class OverlayDrag;
class ScaleBar;

class MapWindowControls : public QObject
{
    Q_OBJECT
public:
    // `host` is the window as the frame sees it (centre place name, focus);
    // it may be null.
    MapWindowControls(QWidget *window, zorvik::Zorvik *map, veltra::shell::MapWindowHost *host);

    // Places the map, the buttons and the overlays for the window's size and
    // redraws the compass.
    void layOut();
    // One pan step of button `index`.
    void Command4_Click(int index);

    // Whether the map control has a document open.
    bool mapOpen() const;
    // The view menus' switches of the compass (redrawn for the map's angle
    // when shown) and of the scale bar; both stay hidden without an open map.
    void setCompassVisible(bool shown);
    void setScaleBarVisible(bool shown);

    // The current places, in twips.
    MapWindowGeometry geometry() const;

    std::array<QToolButton *, 8> Command4{};
    MeasurePanel *Picture1 = nullptr;
    ScaleBar *Picture3 = nullptr;
    CompassWidget *Picture5 = nullptr;
    MapEventBridge *bridge = nullptr;

private:
    QWidget *m_window;
    zorvik::Zorvik *m_map;
    veltra::shell::MapWindowHost *m_host;
    OverlayDrag *m_drag = nullptr;
};

} // namespace veltra::mapwindow
