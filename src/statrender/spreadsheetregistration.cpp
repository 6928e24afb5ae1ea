#include "statrender/spreadsheetregistration.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statrender/exceloutmode.h"
#include "statrender/frmpsyxlsselect.h"

namespace veltra::statrender {

void registerSpreadsheetExport()
{
    // Shows the chooser, created on first use, and leaves an existing one in
    // its state: the leave that entering the export mode makes runs this too,
    // and the minimised chooser stays minimised then.
    shell::modeRegistry().statistics().showExcelLayout = [] {
        frmPSYXlsSelect *window = ui::form<frmPSYXlsSelect>(static_cast<QWidget *>(gfrmMain));
        if (!window->isVisible()) {
            window->show();
        } else if (!(window->windowState() & Qt::WindowMinimized)) {
            window->raise();
            window->activateWindow();
        }
    };
    shell::modeRegistry().setHandler(ModeExcelOut, &ComPSY::ExcelOutMode);
}

} // namespace veltra::statrender
