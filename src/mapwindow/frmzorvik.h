#pragma once
// frmZorvik: the map window. A child window of the main frame that hosts one
// Zorvik map control on one document. The frame creates one per opened
// document (through the factory registered by registerMapWindow()).
//
// Loading the window (load(), called with the document path as caption)
// starts the engine on gstrDocPath: document path, InitializeMap, display,
// then the document's base date, view date, attachment folder, view settings
// and whatever later subsystems hooked onto a successful start. Closing the
// window clears the statistics map, asks to save unsaved edits, stores the
// view as home slot 0, saves the window settings and closes the engine; the
// closing steps run at most once.
//
// Several map windows can exist (a document from the command line, then the
// default one). Each keeps its own started and closed state; only the
// current window (gfrmZorvik) writes the shared gobjZor, gintMapInit and the
// window settings, so closing another window never marks the current map as
// closed.
//
// Where the rest of the window plugs in:
//   - the controls (pan buttons, compass, scale bar, measuring panel) are
//     members created in the constructor, above Zorvik1;
//   - Form_Resize() lays them out on every resize;
//   - connectEngineEvents() connects the engine's events to the dispatcher.
#include "shell/mapwindowhost.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

namespace zorvik {
class Zorvik;
}
namespace veltra::mapwindow {
class MapWindowControls;
}

class frmZorvik : public QWidget, public veltra::shell::MapWindowHost
{
    Q_OBJECT
public:
    explicit frmZorvik(QWidget *parent = nullptr);
    ~frmZorvik() override;

    // ---- MapWindowHost
    QWidget *widget() override { return this; }
    void load(const QString &caption) override;
    zorvik::Zorvik *engine() override { return Zorvik1; }
    bool mapStarted() const override { return m_mapInit; }
    void SetViewDate() override;
    void MP_GetCenterPlaceName() override;
    double panButtonWidth() const override;
    bool measuringPanelShown() const override;

    // ---- the window's events and procedures
    void Form_Load();
    void StartEngine();
    void Form_Activate();
    // The closing steps (run by closeEvent; never refuses).
    void Form_Unload();

    // True when this window is the current map window (gfrmZorvik).
    bool isCurrent() const;
    // True once the closing steps have run.

    // ---- measuring panel and compass
    // Shows the measuring panel; mode 1 puts up the distance prompts.
    void openCalcWindow(std::int16_t mode);
    // Shows a measured distance in metres.
    void ViewCalcDistance(double dDistance);
    // Takes the measured line off the map and hides the panel.
    void closeCalcWindow();
    // Redraws the compass for a map angle in degrees.
    void CompassDrawData(double angle);

    // The engine control.
    zorvik::Zorvik *Zorvik1 = nullptr;
    // The pan buttons, the overlays and the bridge of the engine's events.
    veltra::mapwindow::MapWindowControls *controls() const { return m_controls; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Lays the controls out in the window's client area.
    void Form_Resize();
    // Connects the engine's events (click, search end, keys ...) to the
    // mode dispatcher.
    void connectEngineEvents();
    // Zorvik.SaveMap, reporting a failure and offering to try again. False
    // when the document stays unsaved.
    bool saveWithRetry();

    bool m_mapInit = false; // this window's engine started
    bool m_closeDone = false; // the closing steps ran
    veltra::mapwindow::MapWindowControls *m_controls = nullptr;
};

// The current map window as its own class (nullptr when there is none).
frmZorvik *currentMapWindow();

namespace veltra::mapwindow {

// What later subsystems do once an engine started on a document with a valid
// base date (raster folders, legend, processing-target kinds), in order of
// registration. Each receives the window whose engine started.
using EngineStartHook = std::function<void(frmZorvik &)>;
std::vector<EngineStartHook> &engineStartHooks();

// Registers the map window factory with the shell (called once by the
// application at start-up).
void registerMapWindow();

} // namespace veltra::mapwindow
