// Moving between the saved views of the open document.
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/statisticsservices.h"
#include "zorvik/widget/zorvik.h"

bool frmMain::fncSeveAreaJump(std::int16_t iNo)
{
    if (iNo < 0 || iNo > 4)
        return false;
    if (!gobjZor)
        return true; // no map to move
    const HomePosition &home = gtypWinInfo.Home[static_cast<std::size_t>(iNo)];
    if (home.scale != 0) {
        gobjZor->setCenterX(home.drawCenterX);
        gobjZor->setCenterY(home.drawCenterY);
        gobjZor->setAngle(home.rotateAngle);
        gobjZor->setScale(static_cast<double>(home.scale));
    } else {
        const int answer = veltra::ui::MsgBox(
            QStringLiteral(
                "登録されていません、「ﾂｰﾙ」「ﾎｰﾑ登録」で設定してください。\n全体を表示しますか？"),
            veltra::ui::vbYesNo | veltra::ui::vbQuestion, gstrTitle);
        if (answer == veltra::ui::vbYes)
            gobjZor->ShowAll();
    }
    gobjZor->Refresh();
    return true;
}

void frmMain::ReopenDocument()
{
    if (gfrmZorvik)
        veltra::ui::WindowRegistry::instance().unload(gfrmZorvik->widget());
    LoadNewDoc(0);
    veltra::shell::saveElmStyle();
}
