#pragma once
// The registry through which the mode dispatcher and the main frame reach
// the tools and windows of other subsystems.
//
// Most mode codes belong to a handler that lives in a later subsystem (map
// window, editing, search, statistics, raster images). Each subsystem
// registers its handlers here at start-up; the dispatcher looks them up by
// mode code at every dispatch. A few modes run short inline actions that open
// windows of later subsystems or toggle panes of the main frame, and the
// frame's menus and tool bars call into those subsystems too: each subsystem
// fills its own small table for that (navigationcommands.h, viewwindows.h,
// statisticswindows.h, ...). An entry nobody registered does nothing, which
// is exactly how the dispatcher treats a mode code without an action; callers
// check for an empty function.
//
// Handlers receive the state and the parameter text by reference, as the
// tools expect; a tool may re-enter the dispatcher from inside its handler.
//
// Common use:
//   modeRegistry().setHandler(ModeDistance, &mdlCalc::CalcDistanceMode);
//   modeRegistry().frame().layOut = [frame](std::int16_t &pro) { frame->MP_OpeMode(pro); };
//   modeRegistry().clear(); // forgets every handler and every table
#include "shell/basemapcommands.h"
#include "shell/framecommands.h"
#include "shell/guidedoperation.h"
#include "shell/maptoolwindows.h"
#include "shell/navigationcommands.h"
#include "shell/rastercommands.h"
#include "shell/searchwindows.h"
#include "shell/statisticswindows.h"
#include "shell/userdatacommands.h"
#include "shell/viewwindows.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

// What a mode's handler receives.
enum class HandlerArgs {
    None, // the mode has no handler (inline action, or no action at all)
    StateEngine, // (state, engine)
    StateEngineParam, // (state, engine, parameter text)
    StateOnly, // (state)
};

// Which handler signature a mode code takes; None for codes without a handler.
HandlerArgs handlerArgsOf(std::int16_t modeCode);

using StateEngineHandler = std::function<void(std::int16_t &state, zorvik::Zorvik *engine)>;
using StateEngineParamHandler
    = std::function<void(std::int16_t &state, zorvik::Zorvik *engine, QString &param)>;
using StateOnlyHandler = std::function<void(std::int16_t &state)>;

// The uniform shape the dispatcher calls; the registry adapts each signature.
using ModeHandler = std::function<void(std::int16_t &state, zorvik::Zorvik *engine, QString &param)>;

class ModeRegistry
{
public:
    // Each returns false (and registers nothing) when the code's handler takes
    // other arguments, or when the code has no handler at all.
    bool setHandler(std::int16_t modeCode, StateEngineHandler handler);
    bool setParamHandler(std::int16_t modeCode, StateEngineParamHandler handler);
    bool setStateHandler(std::int16_t modeCode, StateOnlyHandler handler);
    // Removes a code's handler (a subsystem that shuts down).
    void removeHandler(std::int16_t modeCode);

    // The registered handler, or an empty function.
    ModeHandler handler(std::int16_t modeCode) const;

    // Whether a mode code runs anything: its handler, or the table entry of
    // its inline action, is registered.
    bool handles(std::int16_t modeCode) const;

    // The tables of the subsystems; each subsystem fills and empties its own.
    FrameCommands &frame() { return m_frame; }
    NavigationCommands &navigation() { return m_navigation; }
    ViewWindows &viewWindows() { return m_viewWindows; }
    OverviewWindow &overview() { return m_overview; }
    MapToolWindows &mapTools() { return m_mapTools; }
    BaseMapCommands &baseMap() { return m_baseMap; }
    RasterCommands &rasters() { return m_rasters; }
    StatisticsWindows &statistics() { return m_statistics; }
    DataReferenceWindow &dataReference() { return m_dataReference; }
    SearchWindows &search() { return m_search; }
    OperationRoomCommands &operationRoom() { return m_operationRoom; }
    ListBarCommands &listBar() { return m_listBar; }
    StoryCommands &stories() { return m_stories; }
    UserDataCommands &userData() { return m_userData; }

    // Forgets every handler and every table.
    void clear();

private:
    std::map<std::int16_t, ModeHandler> m_handlers;
    FrameCommands m_frame;
    NavigationCommands m_navigation;
    ViewWindows m_viewWindows;
    OverviewWindow m_overview;
    MapToolWindows m_mapTools;
    BaseMapCommands m_baseMap;
    RasterCommands m_rasters;
    StatisticsWindows m_statistics;
    DataReferenceWindow m_dataReference;
    SearchWindows m_search;
    OperationRoomCommands m_operationRoom;
    ListBarCommands m_listBar;
    StoryCommands m_stories;
    UserDataCommands m_userData;
};

// The one registry of the program.
ModeRegistry &modeRegistry();

} // namespace veltra::shell
