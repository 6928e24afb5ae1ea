#include "shell/moderegistry.h"

#include "shell/modecodes.h"

namespace veltra::shell {

HandlerArgs handlerArgsOf(std::int16_t modeCode)
{
    switch (modeCode) {
    case ModeDisplay:
    case ModeDistance:
    case ModeAreaSanshou:
    case ModeExcelOut:
    case ModeAreaSelect:
    case ModeImageCut:
    case ModeMoveStatElements:
    case ModeStatElementSanshou:
    case ModeAttrSearch:
    case ModeAttchSearch:
    case ModePhotoPoint:
        return HandlerArgs::StateEngine;
    case ModeAddElement:
    case ModeTextElement:
    case ModeDeleteElement:
    case ModeSearchElement:
    case ModeCircle:
    case ModeParamFile:
    case ModeArea:
    case ModeEditElement:
        return HandlerArgs::StateEngineParam;
    case ModeHome:
        return HandlerArgs::StateOnly;
    default:
        return HandlerArgs::None;
    }
}

bool ModeRegistry::setHandler(std::int16_t modeCode, StateEngineHandler handler)
{
    if (handlerArgsOf(modeCode) != HandlerArgs::StateEngine || !handler)
        return false;
    m_handlers[modeCode] = [h = std::move(handler)](
                               std::int16_t &state, zorvik::Zorvik *engine, QString &) { h(state, engine); };
    return true;
}

bool ModeRegistry::setParamHandler(std::int16_t modeCode, StateEngineParamHandler handler)
{
    if (handlerArgsOf(modeCode) != HandlerArgs::StateEngineParam || !handler)
        return false;
    m_handlers[modeCode] = std::move(handler);
    return true;
}

bool ModeRegistry::setStateHandler(std::int16_t modeCode, StateOnlyHandler handler)
{
    if (handlerArgsOf(modeCode) != HandlerArgs::StateOnly || !handler)
        return false;
    m_handlers[modeCode]
        = [h = std::move(handler)](std::int16_t &state, zorvik::Zorvik *, QString &) { h(state); };
    return true;
}

void ModeRegistry::removeHandler(std::int16_t modeCode)
{
    m_handlers.erase(modeCode);
}

ModeHandler ModeRegistry::handler(std::int16_t modeCode) const
{
    const auto it = m_handlers.find(modeCode);
    return it == m_handlers.end() ? ModeHandler{} : it->second;
}

bool ModeRegistry::handles(std::int16_t modeCode) const
{
    if (handlerArgsOf(modeCode) != HandlerArgs::None)
        return m_handlers.count(modeCode) != 0;
    // The inline modes, by the entry that does their work (mdlmain_mode.cpp).
    switch (modeCode) {
    case ModeDatumCompare:
        return static_cast<bool>(m_mapTools.showDatumWindow);
    case ModeStatisticsMap:
        return static_cast<bool>(m_statistics.showStatisticsMap);
    case ModeDataSanshou:
        return static_cast<bool>(m_dataReference.show);
    case ModeImport:
        return static_cast<bool>(m_frame.importCommand);
    case ModeExcelLayout:
        return static_cast<bool>(m_statistics.showExcelLayout);
    case ModeHelpPage:
        return static_cast<bool>(m_frame.openHelpPage);
    case ModeLauncher:
        return static_cast<bool>(m_frame.showLauncher);
    case ModeClearStatisticsMap:
        return static_cast<bool>(m_statistics.clearStatisticsMap);
    case ModeStatMapFile:
        return static_cast<bool>(m_statistics.readStatisticsMapFile);
    case ModeToggleLegend:
        return static_cast<bool>(m_frame.toggleLegend);
    case ModeToggleCompass:
        return static_cast<bool>(m_frame.toggleCompass);
    case ModeToggleOverview:
        return m_frame.toggleOverview || m_overview.toggle;
    case ModeToggleScaleBar:
        return static_cast<bool>(m_frame.toggleScaleBar);
    case ModeToggleRaster:
        return static_cast<bool>(m_rasters.rasterCommand);
    case ModeAddressSearch:
        return static_cast<bool>(m_search.showAddressSearch);
    default:
        return false;
    }
}

void ModeRegistry::clear()
{
    *this = ModeRegistry{};
}

ModeRegistry &modeRegistry()
{
    static ModeRegistry registry;
    return registry;
}

} // namespace veltra::shell
