#include "shell/mdlwindow.h"

#include "platform/ui/twips.h"
#include "shell/framelayout.h"
#include "shell/framepanes.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "zorvik/widget/zorvik.h"

#include <QMdiArea>
#include <QMdiSubWindow>

using namespace veltra;

namespace mdlWindow {

void ArrangeMapWindow()
{
    if (!gfrmMain)
        return;
    QMdiSubWindow *sub = gfrmMain->mapSubWindow();
    if (!sub)
        return;
    zorvik::Zorvik *engine = gobjZor;
    const std::int32_t cx = engine ? engine->CenterX() : 0;
    const std::int32_t cy = engine ? engine->CenterY() : 0;
    sub->showNormal();
    const bool story = gbStoryMode == -1;
    QWidget *left = gfrmMain->pane(story ? shell::FramePane::StoryPlayer : shell::FramePane::ListBar);
    const bool pro = gbPro == -1;
    QWidget *opeRoom = pro ? nullptr : gfrmMain->pane(shell::FramePane::OpeRoom);
    const QSize inner = gfrmMain->innerSize();
    shell::FrameLayoutInput in;
    in.pro = pro;
    in.story = story;
    in.innerWidth = inner.width();
    in.innerHeight = inner.height();
    in.opeRoomHeight = opeRoom ? opeRoom->parentWidget()->height() : 0;
    in.leftPaneWidth = left ? left->parentWidget()->width() : 0;
    if (const auto rect = shell::arrangedMapRect(in))
        sub->setGeometry(*rect);
    sub->update();
    if (engine) {
        // The centre survives the change of the window size.
        engine->setCenterX(cx);
        engine->setCenterY(cy);
        engine->Refresh();
    }
}

void PlaceToolPane(std::int32_t &width, QWidget &form)
{
    if (!gfrmMain)
        return;
    QWidget *listBar = gfrmMain->pane(shell::FramePane::ListBar);
    const int listBarWidth = listBar ? listBar->parentWidget()->width() : 0;
    const int mapHeight = gfrmZorvik ? gfrmZorvik->widget()->height() : gfrmMain->innerSize().height();
    // The pane lies in the frame's document area, over the map window.
    QMdiSubWindow *holder = qobject_cast<QMdiSubWindow *>(form.parentWidget());
    if (!holder) {
        holder = gfrmMain->mdiArea()->addSubWindow(&form);
        holder->show();
    }
    holder->setGeometry(shell::toolPaneRect(listBarWidth, ui::twipsToPixelsX(width), mapHeight));
}

void ShiftMapWindow(std::int32_t &width)
{
    (void)width;
}

} // namespace mdlWindow
