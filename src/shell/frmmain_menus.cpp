// The main frame's menu bar and status bar.
//
// Captions are written as the design writes them: a string number where the
// string table has the text (LocalizeForm puts it in when the frame loads),
// the text itself otherwise. Items are created in display order; further
// menus are added here as their commands arrive.
#include "shell/frmmain.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {

QAction *item(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu *submenu(QMenu *menu, const QString &name, const QString &caption)
{
    QMenu *sub = menu->addMenu(caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    return sub;
}

QAction *checkItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = item(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

} // namespace

void frmMain::createMenus()
{
    QMenuBar *bar = menuBar();

    // ﾌｧｲﾙ
    mnuFile = bar->addMenu(QStringLiteral("1000"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileOpen = submenu(mnuFile, QStringLiteral("mnuFileOpen"), QStringLiteral("1100"));
    mnuPrevPosMapDraw
        = item(mnuFileOpen, QStringLiteral("mnuPrevPosMapDraw"), QStringLiteral("前回位置で地図表示"));
    mnuInitPosMapDraw
        = item(mnuFileOpen, QStringLiteral("mnuInitPosMapDraw"), QStringLiteral("登録位置で地図表示"));
    mnuFileSave = item(mnuFile, QStringLiteral("mnuFileSave"), QStringLiteral("1101"));
    mnuFileClose = item(mnuFile, QStringLiteral("mnuFileClose"), QStringLiteral("1102"));
    mnuFileClose->setEnabled(false);
    mnuFile->addSeparator();
    mnuElmFileH = submenu(mnuFile, QStringLiteral("mnuElmFileH"), QStringLiteral("1103"));
    item(mnuElmFileH, QStringLiteral("mnuElmFileIn"), QStringLiteral("1104"));
    item(mnuElmFileH, QStringLiteral("mnuElmFileOut"), QStringLiteral("1105"));
    mnuElmFileH->menuAction()->setEnabled(false);
    mnuFile->addSeparator();
    mnuFilePrint = submenu(mnuFile, QStringLiteral("mnuFilePrint"), QStringLiteral("1106"));
    mnuPrintMap = item(mnuFilePrint, QStringLiteral("mnuPrintMap"), QStringLiteral("1107"));
    mnuPrintScreen = item(mnuFilePrint, QStringLiteral("mnuPrintScreen"), QStringLiteral("1108"));
    mnuPrintExcel = item(mnuFilePrint, QStringLiteral("mnuPrintExcel"), QStringLiteral("1150"));
    mnuTmpDownLoad = item(mnuFilePrint, QStringLiteral("mnuTmpDownLoad"), QStringLiteral("1151"));
    mnuFile->addSeparator();
    mnuFileExit = item(mnuFile, QStringLiteral("mnuFileExit"), QStringLiteral("1109"));

    connect(mnuPrevPosMapDraw, &QAction::triggered, this, [this] { mnuPrevPosMapDraw_Click(); });
    connect(mnuInitPosMapDraw, &QAction::triggered, this, [this] { mnuInitPosMapDraw_Click(); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { mnuFileSave_Click(); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { mnuFileExit_Click(); });

    // 表示: the display toggles whose checks the frame stores at exit.
    mnuView = bar->addMenu(QStringLiteral("1002"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuExtNotes = checkItem(mnuView, QStringLiteral("mnuExtNotes"), QStringLiteral("1309"));
    mnuDirection = checkItem(mnuView, QStringLiteral("mnuDirection"), QStringLiteral("1310"));
    mnuAllAreaMap = checkItem(mnuView, QStringLiteral("mnuAllAreaMap"), QStringLiteral("1311"));
    mnuScale = checkItem(mnuView, QStringLiteral("mnuScale"), QStringLiteral("1312"));
    mnuView->addSeparator();
    mnuViewToolBar = submenu(mnuView, QStringLiteral("mnuViewToolBar"), QStringLiteral("1313"));
    mnuViewToolBar->menuAction()->setCheckable(true);
    mnuViewToolBar->menuAction()->setChecked(true);
    mnuViewStatusBar = checkItem(mnuView, QStringLiteral("mnuViewStatusBar"), QStringLiteral("1321"));

    m_mapDependent = {mnuView->menuAction(), mnuFilePrint->menuAction(), mnuTmpDownLoad};
}

void frmMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    for (int i = 1; i <= 6; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(i == 1 || i == 3 ? 160 : 80);
        bar->addWidget(panel, i == 3 ? 1 : 0);
        m_panels.push_back(panel);
    }
}
