// The statistics map window's Step 1 buttons that take the areas from the
// map: a shape drawn in the area selection mode, or the current view.
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modaldialog.h"
#include "shell/modecodes.h"
#include "statwindow/comsampleprogram2.h"
#include "statwindow/frmpsymaparea.h"
#include "statwindow/frmstatisticsmap.h"
#include "zorvik/widget/zorvik.h"

namespace {

// Area kinds by the level chooser's SelectIndex.
constexpr std::int16_t KindOfLevel[3] = {206, 211, 227};
constexpr std::int16_t ViewSearch = 4;

} // namespace

void frmStatisticsMap::selectAreasOnMap()
{
    clearSelectedAreas();
    hide();
    veltra::shell::changeMode(ModeAreaSelect, 0, veltra::shell::noParameterText());
}

void frmStatisticsMap::selectAreasInView()
{
    clearSelectedAreas();
    ComSampleProgram2::SetAreaKind(227);
    veltra::shell::execModal(*veltra::ui::form<frmPSYMapArea>(this));
    // However the chooser ended, it is gone before the next opening loads it
    // afresh.
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYMapArea"));
    const std::int16_t index = frmPSYMapArea::SelectIndex;
    if (index < 0 || index > 2)
        return;
    ComSampleProgram2::SetAreaKind(KindOfLevel[index]);
    if (gobjZor) {
        gobjZor->setRecognizeElementType(2);
        gobjZor->setRecognizeSearchNum(0);
    }
    ComSampleProgram2::SetSearchType(ViewSearch);
    std::int16_t state = StateFound;
    ComSampleProgram2::AreaSelectMode(state, gobjZor);
}
