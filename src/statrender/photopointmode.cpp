#include "statrender/photopointmode.h"

#include "mapwindow/globals.h"
#include "platform/ui/msgbox.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/modfiledlg.h"
#include "statrender/statelements.h"
#include "zorvik/widget/zorvik.h"

namespace ComPSY {

void PhotoPointMode(std::int16_t &state, zorvik::Zorvik *engine)
{
    if (state == StateLeave) {
        if (engine)
            engine->setMouseEventMode(0);
        return;
    }
    if (state != StateClick)
        return;
    ElementInfo point;
    if (engine && MakePointElement(point, gintPhotoDir, gstrPhotoFile, glngPointX[0], glngPointY[0]))
        PSY_AddElement(engine, point);
    veltra::shell::dispatchMode(StateLeave, veltra::shell::noParameterText());
}

void ParamFileMode(std::int16_t &state, zorvik::Zorvik * /*engine*/, QString & /*param*/)
{
    if (state != StateClick)
        return;
    const QString file = modFileDlg::ShowOpenDialog(static_cast<QWidget *>(gfrmMain),
        QStringLiteral("パラメータファイルの指定"), QStringLiteral("すべてのファイル (*.*)|*.*"), 1, QString(),
        QString(), QString());
    if (file.isEmpty())
        return;
    veltra::ui::MsgBox(file);
}

} // namespace ComPSY
