#include "statwindow/statmousemode.h"

#include "shell/frameview.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

namespace veltra::statwindow {

void startStatisticsMouseMode(std::int16_t mode, RunningMode running)
{
    if (shell::FrameView *frame = shell::frameView())
        frame->pressToolButton(QStringLiteral("TB_NORMAL"));
    auto &registry = shell::modeRegistry();
    if (const auto select = registry.operationRoom().selectFirstMapMode)
        select();
    else if (const auto normal = registry.navigation().setNormalMode)
        normal(gobjZor);
    if (gobjZor)
        gobjZor->setMouseEventMode(4);
    if (running == RunningMode::Abandon)
        gintModeNo = 0;
    shell::changeMode(mode, 0, shell::noParameterText());
}

} // namespace veltra::statwindow
