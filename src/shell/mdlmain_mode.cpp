#include "shell/mdlmain_mode.h"

#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"

namespace {

using veltra::shell::modeRegistry;

// Calls the registered handler of a code, if any. The function is copied
// first: a handler may change the registry while it runs.
void callHandler(std::int16_t code, std::int16_t &state, QString &param)
{
    const auto handler = modeRegistry().handler(code);
    if (handler)
        handler(state, gobjZor, param);
}

template <typename F, typename... Args> void callAction(const F &action, Args &&...args)
{
    const auto copy = action;
    if (copy)
        copy(std::forward<Args>(args)...);
}

void setStepEnd()
{
    gintStoryStepEnd = -1;
}

// The modes that end themselves right after their entry action.
void leaveItself()
{
    std::int16_t state = StateLeave;
    QString param = veltra::shell::noParameterText();
    mdlMain::DispatchMode(state, param);
}

// The action of the table for one mode code.
void runModeAction(std::int16_t code, std::int16_t &state, QString &param)
{
    auto &registry = modeRegistry();
    const auto &frame = registry.frame();
    const auto &statistics = registry.statistics();
    switch (code) {
    case ModeDatumCompare:
        callAction(registry.mapTools().showDatumWindow, gobjZor);
        break;
    case ModeParamFile:
        callHandler(code, state, param);
        setStepEnd();
        gintModeNo = 0;
        break;
    case ModeStatisticsMap:
        callAction(statistics.showStatisticsMap);
        break;
    case ModeDataSanshou:
        callAction(registry.dataReference().show);
        callHandler(ModeAreaSanshou, state, param);
        break;
    case ModeImport:
        callAction(frame.importCommand);
        setStepEnd();
        gintModeNo = 0;
        break;
    case ModeExcelLayout:
        callAction(statistics.showExcelLayout);
        break;
    case ModeHelpPage:
        if (state == StateEnter) {
            callAction(frame.openHelpPage);
            setStepEnd();
        }
        break;
    case ModeLauncher:
        if (state == StateEnter) {
            callAction(frame.showLauncher);
            setStepEnd();
        }
        break;
    case ModeClearStatisticsMap:
        callAction(statistics.unloadLegendForms);
        callAction(statistics.clearStatisticsMap, gobjZor, false);
        gintModeNo = 0;
        setStepEnd();
        break;
    case ModeStatMapFile:
        // The no-parameter text is no file name: it opens the window as the
        // empty text does, instead of trying to read a file named '"'.
        if (!param.isEmpty() && param != veltra::shell::noParameterText()) {
            callAction(statistics.showWaitDialog);
            callAction(statistics.processEvents);
            callAction(statistics.readStatisticsMapFile, param);
            callAction(statistics.unloadWaitDialog);
            gintModeNo = 0;
            setStepEnd();
        } else {
            callAction(statistics.showStatisticsMap);
            gintModeNo = 0;
        }
        break;
    case ModeToggleLegend:
        if (state == StateEnter) {
            callAction(frame.toggleLegend);
            setStepEnd();
            leaveItself();
        }
        break;
    case ModeToggleCompass:
        if (state == StateEnter) {
            callAction(frame.toggleCompass);
            setStepEnd();
        }
        break;
    case ModeToggleOverview:
        // The overview window reports the step end itself when it unloads.
        // Without a frame's toggle the overview toggles itself.
        if (state == StateEnter)
            callAction(frame.toggleOverview ? frame.toggleOverview : registry.overview().toggle);
        break;
    case ModeToggleScaleBar:
        if (state == StateEnter) {
            callAction(frame.toggleScaleBar);
            setStepEnd();
        }
        break;
    case ModeToggleRaster:
        if (state == StateEnter) {
            const auto visible = registry.rasters().rasterVisible;
            const int shown = visible ? visible(gobjZor) : 0;
            callAction(
                registry.rasters().rasterCommand, static_cast<std::int16_t>(shown != 0 ? 1 : 0), gobjZor);
            setStepEnd();
            leaveItself();
        }
        break;
    case ModeAddressSearch:
        if (state == StateEnter) {
            callAction(registry.search().showAddressSearch, gobjZor);
            gintModeNo = 0;
        }
        break;
    default:
        // Handler rows; codes without an entry have no action.
        callHandler(code, state, param);
        break;
    }
}

} // namespace

namespace mdlMain {

void ChangeMode(std::int16_t &mode, std::int16_t &subType, const QString &param)
{
    if (gintModeNo != 0) {
        std::int16_t leave = StateLeave;
        QString none = veltra::shell::noParameterText();
        DispatchMode(leave, none);
    }
    gintModeNo = mode;
    gintModeSub = subType;
    std::int16_t enter = StateEnter;
    QString text = param;
    DispatchMode(enter, text);
}

void DispatchMode(std::int16_t &state, QString &param)
{
    if (gintModeNo != 0)
        runModeAction(gintModeNo, state, param);
    if (state == StateLeave) {
        gintModeNo = 0;
        callAction(modeRegistry().frame().layOut, gbPro);
    }
}

} // namespace mdlMain

namespace veltra::shell {

void changeMode(std::int16_t mode, std::int16_t subType, const QString &param)
{
    mdlMain::ChangeMode(mode, subType, param);
}

void dispatchMode(std::int16_t state, const QString &param)
{
    QString text = param;
    mdlMain::DispatchMode(state, text);
}

} // namespace veltra::shell
