// The main frame's prints: the map, drawn by the engine onto the printer at
// the current scale, and the screen, the frame's own picture on one page.
//
// Both print on the printer of the run (CommonM1::CurrentPrinter), so the
// printer chosen in one print dialog is offered by the next. Neither print
// touches the clipboard: the screen print takes the frame's picture directly.
#include "platform/ui/msgbox.h"
#include "platform/ui/printdialog.h"
#include "platform/ui/windowregistry.h"
#include "shell/commonm1.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <QTimer>

using namespace veltra;

void frmMain::mnuPrintMap_Click()
{
    PrintMap();
}

void frmMain::PrintMap()
{
    if (!mapSubWindow() || !gobjZor)
        return;
    QPrinter &printer = CommonM1::CurrentPrinter();
    if (!ui::execPrintDialog(this, printer, QStringLiteral("印刷")))
        return;
    const zorvik::Result ret = gobjZor->PrintDraw(printer, gobjZor->Scale());
    if (ret != 0)
        ui::MsgBox(QStringLiteral("PrintDraw error ret=") + QString::number(ret));
}

void frmMain::mnuPrintScreen_Click()
{
    // The delay lets the menu close and the map finish drawing first.
    ui::DoEvents();
    if (gobjZor)
        gobjZor->Refresh();
    ui::DoEvents();
    Timer1->start();
}

void frmMain::Timer1_Timer()
{
    Timer1->stop();
    PrintScreen();
}

void frmMain::PrintScreen()
{
    if (!mapSubWindow() || !gobjZor)
        return;
    ui::DoEvents();
    gobjZor->Refresh();
    ui::DoEvents();
    ui::DoEvents();
    gobjZor->Refresh();
    ui::DoEvents();
    CommonM1::PrintClipboardPicture(this, grab().toImage());
}
