#pragma once
// The main frame's view of a map window, and the factory that makes one.
//
// The map window subsystem builds on the shell, so the shell cannot name its
// window class. At start-up the map window registers a factory here; the
// frame creates map windows through it and talks to them through this small
// interface. Without a registered factory no map window opens and the frame
// stays usable for the commands that need no map.
//
// Common use (frmMain.LoadNewDoc):
//   MapWindowHost *w = createMapWindow(mdiArea);  // not loaded yet
//   gfrmZorvik = w;                              // the new window is current
//   w->load(gstrDocPath);                        // starts the engine
//   if (gintMapInit == 1) { ... }
#include <QString>
#include <functional>

class QWidget;
namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

class MapWindowHost
{
public:
    virtual ~MapWindowHost() = default;

    // The window itself (a child of the frame's document area).
    virtual QWidget *widget() = 0;
    // Gives the window its caption, which loads it: the engine starts on
    // gstrDocPath. A window that is current (gfrmZorvik) also sets gobjZor
    // and gintMapInit; any other keeps its state to itself.
    virtual void load(const QString &caption) = 0;
    // The window's engine; valid from construction until the window is deleted.
    virtual zorvik::Zorvik *engine() = 0;
    // True from a successful engine start until the window's closing steps.
    virtual bool mapStarted() const = 0;
    // Applies the document's view date to the engine and the status bar.
    virtual void SetViewDate() = 0;
    // Shows the place name at the map centre.
    virtual void MP_GetCenterPlaceName() = 0;
    // Width of the first pan button in twips (the frame places the legend
    // window beside it).
    virtual double panButtonWidth() const = 0;
    // True while the distance and area measuring panel is shown (other
    // functions, such as the user-data registration, wait until it closes).
    // A window without the panel never shows it.
    virtual bool measuringPanelShown() const { return false; }
};

using MapWindowFactory = std::function<MapWindowHost *(QWidget *parent)>;

void setMapWindowFactory(MapWindowFactory factory);
// A new, not yet loaded map window; nullptr when no factory is registered.
MapWindowHost *createMapWindow(QWidget *parent);

} // namespace veltra::shell
