#include "shell/compsy.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"

namespace ComPSY {

bool PSY_CheckCancel()
{
    veltra::ui::DoEvents();
    if (gintWaitCancel == 1) {
        const int answer = veltra::ui::MsgBox(QStringLiteral("処理を中止します。よろしいですか？"),
            veltra::ui::vbYesNo | veltra::ui::vbQuestion, gstrTitle);
        if (answer == veltra::ui::vbYes) {
            gintWaitCancel = 2;
            return true;
        }
        gintWaitCancel = 0;
        return false;
    }
    return gintWaitCancel >= 2;
}

void PSY_UnloadFormsExcept(const QString &keepName)
{
    veltra::ui::WindowRegistry::instance().unloadAllExcept({keepName});
}

} // namespace ComPSY
