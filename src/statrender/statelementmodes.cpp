#include "statrender/statelementmodes.h"

#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statrender/graphmove.h"
#include "statrender/graphreferencemode.h"
#include "statrender/photopointmode.h"

namespace veltra::statrender {

void registerStatElementModes()
{
    shell::ModeRegistry &modes = shell::modeRegistry();
    modes.setHandler(ModeMoveStatElements, ComPSY::PSY_MoveElementsMode);
    modes.setHandler(ModeStatElementSanshou, ComPSY::ComPSYProc2);
    modes.setHandler(ModePhotoPoint, ComPSY::PhotoPointMode);
    modes.setParamHandler(ModeParamFile, ComPSY::ParamFileMode);
}

} // namespace veltra::statrender
