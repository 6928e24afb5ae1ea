#pragma once
// The registry through which the mode dispatcher reaches the tools of other
// subsystems.
//
// Most mode codes belong to a handler that lives in a later subsystem (map
// window, editing, search, statistics, raster images). Each subsystem
// registers its handlers here at start-up; the dispatcher looks them up at
// every dispatch. A few modes run short inline actions that open windows of
// later subsystems or toggle panes of the main frame; those are registered as
// window actions. An entry nobody registered does nothing, which is exactly
// how the dispatcher treats a mode code without an action.
//
// Handlers receive the state and the parameter text by reference, as the
// tools expect; a tool may re-enter the dispatcher from inside its handler.
//
// Common use:
//   modeRegistry().setHandler(ModeDistance, &mdlCalc::CalcDistanceMode);
//   modeRegistry().actions().layOut = [frame](std::int16_t &pro) { frame->MP_OpeMode(pro); };
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

// Windows and frame commands that the dispatcher runs inline.
struct ModeWindowActions
{
    std::function<void(zorvik::Zorvik *)> showDatumWindow; // 70: hand over the engine, show modeless
    std::function<void()> showStatisticsMap; // 90, 99: statistics map window
    std::function<void()> showDataSanshou; // 91: statistics data reference window
    // The data reference window's area: its code and the clicked point (mode 50).
    std::function<void(const QString &code)> dataSanshouAddressCode; // frmPSYDataSanshou.AddressCode
    std::function<void(std::int32_t x, std::int32_t y)> dataSanshouDrawArea; // .DrawCaldoraArea
    std::function<void()> importCommand; // 94: the frame's import menu command
    std::function<void()> showExcelLayout; // 95: spreadsheet-template chooser
    std::function<void()> openHelpPage; // 96: the frame's first help menu item
    std::function<void()> showLauncher; // 97: launcher window
    std::function<void()> unloadLegendForms; // 98: statistics legend pop-ups
    std::function<void(zorvik::Zorvik *, bool keepFiles)> clearStatisticsMap; // 98
    std::function<void()> showWaitDialog; // 99
    std::function<void()> processEvents; // 99
    std::function<void(QString &file)> readStatisticsMapFile; // 99: load and draw a saved map file
    std::function<void()> unloadWaitDialog; // 99
    std::function<void()> toggleLegend; // 201
    std::function<void()> toggleCompass; // 202
    std::function<void()> toggleOverview; // 203
    std::function<void()> toggleScaleBar; // 204
    std::function<int(zorvik::Zorvik *)> rasterVisible; // 205: the engine's raster switch
    std::function<void(std::int16_t command, zorvik::Zorvik *)> rasterCommand; // 205: 0 show, 1 hide
    std::function<void(zorvik::Zorvik *)> showAddressSearch; // 1001: place-name search, modal
    std::function<void(std::int16_t &bPro)> layOut; // the frame's layout pass after a leave

    // Navigation commands and view windows that the frame's menus, tool bars
    // and status bar call (registered by the map window at start-up).
    std::function<void(zorvik::Zorvik *)> setNormalMode; // 標準
    std::function<void(zorvik::Zorvik *)> setDragMoveMode; // 移動
    std::function<void(zorvik::Zorvik *)> setSelectZoomMode; // 選択拡大
    std::function<void(zorvik::Zorvik *)> showAllArea; // 全体表示
    std::function<void(zorvik::Zorvik *)> redraw; // 再表示
    // The view-date dialog; the argument preselects a mode ("Time" from the
    // status bar's 指定日 panel) without changing gstrSetDateMode.
    std::function<void(const QString &preselectedMode)> showViewDate;
    std::function<void()> showPointOptions; // 座標設定
    std::function<void()> showViewOptions; // その他設定
    std::function<bool()> overviewShown; // whether the overview window is open

    // Windows and commands of later subsystems that the frame's menus, tool
    // bars and status bar open. Unregistered, the item stays in place,
    // enabled as the frame says, and does nothing.
    std::function<void()> showDisplaySettings; // frmView2
    std::function<void(bool)> setLegendWindowVisible; // frmExpNotes shown or hidden
    std::function<void(zorvik::Zorvik *)> showOverview; // frmAllAreaView: bitmap, engine, show
    std::function<void()> unloadOverview; // frmAllAreaView unloaded
    std::function<void(bool)> setCompassVisible; // the map window's compass, redrawn when shown
    std::function<void(bool)> setScaleBarVisible; // the map window's scale bar
    std::function<void()> showRasterMove; // frmImageMove
    std::function<void()> mapDownload; // base-map mesh download
    std::function<void()> mapDelete; // base-map mesh removal
    std::function<void()> showMeshImportRemoval; // frmPSYAnInport
    std::function<void()> printMap; // frmMain.PrintMap
    std::function<void()> printScreen; // the screen print
    std::function<void()> showAbout; // frmAbout, modal
    std::function<void()> pyramidCommand; // frmPSYOpeRoom.cmdPiramid_Click
    std::function<void()> selectFirstMapMode; // frmPSYOpeRoom.optMapMode(0)
    std::function<void(const QString &)> setOpeRoomScale; // frmPSYOpeRoom.cmbScale text
    std::function<void(bool)> enableOpeRoom; // frmPSYOpeRoom.MP_WndEnable
    std::function<void(bool)> enableListBar; // frmListBar's command list and group box
    std::function<bool()> showStoryEditor; // frmPSYStoryOption, modal; true when saved
    std::function<void()> rebuildStoryList; // frmPSYStory.ListBarGrpMake 0
    std::function<bool()> showListOption; // frmListOption, modal; true when saved
    std::function<void()> rebuildListBar; // listBarInit, ListBarGrpMake, ListBarMake
    std::function<void()> openUserDataFolder; // ComG_add.OpenExcelFolder
    std::function<void()> showUserDataForm; // ComG_add.ShowUserDataForm
};

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

    ModeWindowActions &actions() { return m_actions; }
    const ModeWindowActions &actions() const { return m_actions; }

    // Forgets every handler and action.
    void clear();

private:
    std::map<std::int16_t, ModeHandler> m_handlers;
    ModeWindowActions m_actions;
};

// The one registry of the program.
ModeRegistry &modeRegistry();

} // namespace veltra::shell
