// Laying the frame out and switching its map commands.
//
// The map window fills the frame's document area; the panes beside and below
// it (list bar, operation room) join the layout when they arrive.
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

void frmMain::MP_OpeMode(std::int16_t &bPro)
{
    (void)bPro;
    if (!m_mdi)
        return;
    const QRect area = m_mdi->viewport()->rect();
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        if (sub->isVisible())
            sub->setGeometry(area);
    }
}

void frmMain::SetMenuEnabled(bool bFlg)
{
    for (QAction *action : m_mapDependent)
        action->setEnabled(bFlg);
    MDIForm_Resize();
}
