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

void ModeRegistry::clear()
{
    m_handlers.clear();
    m_actions = ModeWindowActions{};
}

ModeRegistry &modeRegistry()
{
    static ModeRegistry registry;
    return registry;
}

} // namespace veltra::shell
