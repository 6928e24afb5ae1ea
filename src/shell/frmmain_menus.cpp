// The main frame's menu bar, built from the menu table.
//
// Captions are put in as the design holds them (a string number where the
// string table has the text; LocalizeForm replaces it when the frame loads).
// Check marks are the handlers' business: each handler inverts or sets its
// own check, as the designs expect, so a click first undoes the toggle Qt
// makes on its own and then runs the handler.
#include "shell/frmmain.h"
#include "shell/frmmain_commands.h"
#include "shell/menutable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

using namespace veltra::shell;

void frmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    for (const MenuEntry &entry : menuTable()) {
        const QString name = QString::fromUtf8(entry.name);
        const QString parentName = QString::fromUtf8(entry.parent);
        const QString caption = QString::fromUtf8(entry.caption);
        QMenu *parent = parentName.isEmpty() ? nullptr : m_menus.at(parentName);
        if (entry.flags & MenuSeparator) {
            if (parent)
                parent->addSeparator();
            continue;
        }
        QAction *action = nullptr;
        if (entry.flags & MenuSubmenu) {
            QMenu *menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
            menu->setObjectName(name);
            m_menus[name] = menu;
            action = menu->menuAction();
        } else {
            action = parent->addAction(caption);
        }
        action->setObjectName(name);
        if (entry.flags & MenuCheckable) {
            action->setCheckable(true);
            action->setChecked((entry.flags & MenuChecked) != 0);
        }
        if (entry.flags & MenuDisabled)
            action->setEnabled(false);
        if (entry.flags & MenuHidden)
            action->setVisible(false);
        if (entry.flags & MenuMapDependent)
            m_mapDependent.push_back(action);
        if (entry.flags & MenuProOnly)
            m_proOnly.push_back(action);
        if (*entry.shortcut)
            action->setShortcut(QKeySequence(QString::fromUtf8(entry.shortcut)));
        m_menuItems[name] = action;
    }

    mnuFile = menuOf(QStringLiteral("mnuFile"));
    mnuFileOpen = menuOf(QStringLiteral("mnuFileOpen"));
    mnuPrevPosMapDraw = menuItem(QStringLiteral("mnuPrevPosMapDraw"));
    mnuInitPosMapDraw = menuItem(QStringLiteral("mnuInitPosMapDraw"));
    mnuFileSave = menuItem(QStringLiteral("mnuFileSave"));
    mnuFileClose = menuItem(QStringLiteral("mnuFileClose"));
    mnuElmFileH = menuOf(QStringLiteral("mnuElmFileH"));
    mnuFilePrint = menuOf(QStringLiteral("mnuFilePrint"));
    mnuPrintMap = menuItem(QStringLiteral("mnuPrintMap"));
    mnuPrintScreen = menuItem(QStringLiteral("mnuPrintScreen"));
    mnuPrintExcel = menuItem(QStringLiteral("mnuPrintExcel"));
    mnuTmpDownLoad = menuItem(QStringLiteral("mnuTmpDownLoad"));
    mnuFileExit = menuItem(QStringLiteral("mnuFileExit"));
    mnuView = menuOf(QStringLiteral("mnuView"));
    mnuExtNotes = menuItem(QStringLiteral("mnuExtNotes"));
    mnuDirection = menuItem(QStringLiteral("mnuDirection"));
    mnuAllAreaMap = menuItem(QStringLiteral("mnuAllAreaMap"));
    mnuScale = menuItem(QStringLiteral("mnuScale"));
    mnuViewToolBar = menuOf(QStringLiteral("mnuViewToolBar"));
    // The heading carries a check mark in the design; its state is saved at
    // exit with the window settings.
    mnuViewToolBar->menuAction()->setCheckable(true);
    mnuViewToolBar->menuAction()->setChecked(true);
    mnuViewStatusBar = menuItem(QStringLiteral("mnuViewStatusBar"));

    for (const auto &[name, command] : menuCommands()) {
        QAction *action = menuItem(name);
        if (!action || action->menu())
            continue;
        connect(action, &QAction::triggered, this, [this, action, command = command](bool checked) {
            if (action->isCheckable())
                action->setChecked(!checked);
            command(*this);
        });
    }
    // Opening 背景地図 shows the state of the raster switch.
    connect(menuOf(QStringLiteral("mnuRastaH")), &QMenu::aboutToShow, this, [this] { mnuRastaH_Click(); });

    createToolBars();
    registerFrameActions();
}

QAction *frmMain::menuItem(const QString &name) const
{
    const auto it = m_menuItems.find(name);
    return it == m_menuItems.end() ? nullptr : it->second;
}

QMenu *frmMain::menuOf(const QString &name) const
{
    const auto it = m_menus.find(name);
    return it == m_menus.end() ? nullptr : it->second;
}
