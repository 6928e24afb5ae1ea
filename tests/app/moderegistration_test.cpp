// The mode codes that run nothing once the program's subsystems have
// registered and the frame stands. The lists are exact: a subsystem that
// stops registering adds its codes, and one that arrives removes them (then
// the list here shrinks with it).
#include "app/subsystems.h"
#include "shell/frmmain.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"

#include <gtest/gtest.h>
#include <vector>

using namespace veltra;

namespace {

std::vector<std::int16_t> unhandledCodes()
{
    std::vector<std::int16_t> codes;
    for (const std::int16_t code : AllModeCodes) {
        if (!shell::modeRegistry().handles(code))
            codes.push_back(code);
    }
    return codes;
}

TEST(ModeRegistration, CodesWithoutAHandlerAfterTheSubsystemsAndTheFrameRegister)
{
    shell::modeRegistry().clear();
    app::registerSubsystems();
    // Editing, the searches, most of statistics (the statistics map window,
    // the data reference window, the spreadsheet export, the clearing of the
    // statistics map, the modes on its drawn elements, the area selection on
    // the map and the map file reader of mode 99 are there),
    // raster images and the launcher have not arrived yet; import,
    // the help page and the 表示 toggles wait for the frame, whose own
    // commands they are.
    const std::vector<std::int16_t> withoutFrame
        = {ModeAddElement, ModeTextElement, ModeDeleteElement, ModeSearchElement, ModeDistance, ModeCircle,
            ModeImport, ModeHelpPage, ModeLauncher,
            ModeToggleLegend, ModeToggleCompass, ModeToggleScaleBar, ModeToggleRaster, ModeArea,
            ModeAddressSearch, ModeEditElement, ModeAttrSearch, ModeAttchSearch};
    EXPECT_EQ(unhandledCodes(), withoutFrame);

    {
        frmMain frame;
        const std::vector<std::int16_t> withFrame = {ModeAddElement, ModeTextElement, ModeDeleteElement,
            ModeSearchElement, ModeDistance, ModeCircle, ModeLauncher,
            ModeToggleRaster, ModeArea, ModeAddressSearch, ModeEditElement, ModeAttrSearch,
            ModeAttchSearch};
        EXPECT_EQ(unhandledCodes(), withFrame);
    }
    shell::modeRegistry().clear();
}

} // namespace
