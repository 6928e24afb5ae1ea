// Laying the main frame out (beginner and pro layouts, list bar or story
// player at the left) and switching its map commands.
//
// The panes, the map window and the tool windows are windows of the frame's
// document area (frameless for the panes and the map window), placed in the
// area's pixels. A step that has nothing to act on (no map window yet, no
// tool window) is skipped and the next one runs.
#include "platform/ui/windowregistry.h"
#include "shell/coolbar.h"
#include "shell/framelayout.h"
#include "shell/framepanes.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/mdlwindow.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

using namespace veltra;
using namespace veltra::shell;

namespace {

template <typename F, typename... Args> void run(const F &action, Args &&...args)
{
    const auto copy = action;
    if (copy)
        copy(std::forward<Args>(args)...);
}

} // namespace

QPointer<QWidget> &frmMain::paneSlot(FramePane which)
{
    switch (which) {
    case FramePane::ListBar:
        return m_listBar;
    case FramePane::StoryPlayer:
        return m_storyPlayer;
    case FramePane::OpeRoom:
        break;
    }
    return m_opeRoom;
}

QWidget *frmMain::loadedPane(FramePane which) const
{
    return const_cast<frmMain *>(this)->paneSlot(which).data();
}

QWidget *frmMain::pane(FramePane which)
{
    QPointer<QWidget> &slot = paneSlot(which);
    if (!slot) {
        QWidget *widget = makeFramePane(which, nullptr);
        const QSize size = widget->size();
        QMdiSubWindow *holder = m_mdi->addSubWindow(widget, Qt::FramelessWindowHint);
        holder->setObjectName(framePaneName(which) + QStringLiteral("Holder"));
        holder->resize(size);
        slot = widget;
    }
    return slot;
}

QMdiSubWindow *frmMain::mapSubWindow() const
{
    if (!gfrmZorvik)
        return nullptr;
    return qobject_cast<QMdiSubWindow *>(gfrmZorvik->widget()->parentWidget());
}

QSize frmMain::innerSize() const
{
    return m_mdi ? m_mdi->viewport()->size() : QSize();
}

void frmMain::placePane(QWidget *paneWidget, const QRect &rect)
{
    if (QWidget *holder = paneWidget ? paneWidget->parentWidget() : nullptr)
        holder->setGeometry(rect);
}

void frmMain::MP_OpeMode(std::int16_t &bPro)
{
    if (gintBandResize == -1 || !m_mdi || !CoolBar1)
        return;
    const bool pro = bPro == -1;
    const bool story = gbStoryMode == -1;
    for (QAction *item : m_proOnly)
        item->setEnabled(pro);
    // The strip shows in the pro layout unless every band is switched off.
    bool anyBand = false;
    for (const char *item : {"mnuViewToolBar1", "mnuViewToolBar2", "mnuViewToolBar3", "mnuViewToolBar4"})
        anyBand = anyBand || menuItem(QString::fromLatin1(item))->isChecked();
    CoolBar1->setVisible(pro && anyBand);
    if (QAction *b = menuItem(QStringLiteral("mnuOptionMainViewB")))
        b->setChecked(!pro);
    if (QAction *p = menuItem(QStringLiteral("mnuOptionMainViewP")))
        p->setChecked(pro);

    QWidget *left = pane(story ? FramePane::StoryPlayer : FramePane::ListBar);
    QWidget *opeRoom = pro ? loadedPane(FramePane::OpeRoom) : pane(FramePane::OpeRoom);
    FrameLayoutInput in;
    in.pro = pro;
    in.story = story;
    const QSize inner = innerSize();
    in.innerWidth = inner.width();
    in.innerHeight = inner.height();
    in.leftPaneWidth = left->parentWidget()->width();
    in.opeRoomHeight = opeRoom ? opeRoom->parentWidget()->height() : 0;
    const FrameLayoutPlan plan = planFrameLayout(in);

    if (pro) {
        if (opeRoom)
            opeRoom->parentWidget()->hide();
    } else if (plan.opeRoom) {
        placePane(opeRoom, *plan.opeRoom);
    }
    if (plan.leftPane)
        placePane(left, *plan.leftPane);
    if (plan.mapWindow) {
        if (QMdiSubWindow *map = mapSubWindow())
            map->setGeometry(*plan.mapWindow);
    }
    if (gfrmTool) {
        QWidget *tool = qobject_cast<QMdiSubWindow *>(gfrmTool->parentWidget()) ? gfrmTool->parentWidget()
                                                                                : gfrmTool.data();
        if (plan.toolWindowHeight >= 0)
            tool->resize(tool->width(), plan.toolWindowHeight);
        tool->raise();
    }
    if (gintMapInit == 1 && gintWndRearrange == 1)
        mdlWindow::ArrangeMapWindow();

    QWidget *other = loadedPane(story ? FramePane::ListBar : FramePane::StoryPlayer);
    left->parentWidget()->show();
    left->show();
    if (other)
        other->parentWidget()->hide();
    if (!pro) {
        opeRoom->parentWidget()->show();
        opeRoom->show();
    }
    if (gobjZor)
        gobjZor->Refresh();
}

namespace {

// The layout menus: the wait dialog stands while the frame is laid out.
void switchLayout(frmMain &frame, std::int16_t pro)
{
    ui::DoEvents();
    auto *wait = ui::form<frmPSYWait>();
    wait->show();
    ui::DoEvents();
    gbPro = pro;
    frame.MP_OpeMode(gbPro);
    ui::WindowRegistry::instance().unload(wait);
}

} // namespace

void frmMain::mnuOptionMainViewP_Click()
{
    switchLayout(*this, -1);
}

void frmMain::mnuOptionMainViewB_Click()
{
    switchLayout(*this, 0);
}

void frmMain::SetMenuEnabled(bool bFlg)
{
    for (QAction *action : m_mapDependent)
        action->setEnabled(bFlg);
    run(modeRegistry().listBar().enableListBar, bFlg);
    // A stand-in pane has no controls of its own: it is switched whole.
    if (QWidget *listBar = pane(FramePane::ListBar); !framePaneMakers().listBar)
        listBar->setEnabled(bFlg);
    if (Combo1)
        Combo1->setEnabled(bFlg);
    for (QAction *button : m_mapButtons)
        button->setEnabled(bFlg);
    run(modeRegistry().operationRoom().enableOpeRoom, bFlg);
    if (QWidget *opeRoom = pane(FramePane::OpeRoom); !framePaneMakers().opeRoom)
        opeRoom->setEnabled(bFlg);
    MDIForm_Resize();
}

void frmMain::registerFrameActions()
{
    // The entries outlive no frame: each checks that its frame still exists.
    FrameCommands &a = modeRegistry().frame();
    const QPointer<frmMain> self(this);
    a.layOut = [self](std::int16_t &pro) {
        if (self)
            self->MP_OpeMode(pro);
    };
    auto member = [self](void (frmMain::*f)()) {
        return [self, f] {
            if (self)
                (self.data()->*f)();
        };
    };
    a.toggleLegend = member(&frmMain::mnuExtNotes_Click);
    a.toggleCompass = member(&frmMain::mnuDirection_Click);
    a.toggleOverview = member(&frmMain::mnuAllAreaMap_Click);
    a.toggleScaleBar = member(&frmMain::mnuScale_Click);
    a.importCommand = member(&frmMain::mnuImp_Click);
    a.openHelpPage = member(&frmMain::mnuHp1_Click);
    a.showAbout = member(&frmMain::mnuHp9_Click);
    a.printMap = member(&frmMain::mnuPrintMap_Click);
    a.printScreen = member(&frmMain::mnuPrintScreen_Click);
}
