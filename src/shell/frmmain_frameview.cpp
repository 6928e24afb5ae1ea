// The frame's side of FrameView: what the map window may ask of it.
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/scalebox.h"

#include <QAction>
#include <QComboBox>

namespace {

bool checked(const QAction *item)
{
    return item && item->isChecked();
}

} // namespace

namespace veltra::shell {

FrameView *frameView()
{
    return gfrmMain;
}

} // namespace veltra::shell

void frmMain::showScale(double scale)
{
    if (Combo1)
        Combo1->setEditText(veltra::shell::scaleBoxText(scale));
}

bool frmMain::scaleBarChecked() const
{
    return checked(mnuScale);
}

bool frmMain::legendChecked() const
{
    return checked(mnuExtNotes);
}

bool frmMain::overviewChecked() const
{
    return checked(mnuAllAreaMap);
}

void frmMain::setOverviewChecked(bool on)
{
    if (mnuAllAreaMap)
        mnuAllAreaMap->setChecked(on);
}

void frmMain::pressToolButton(const QString &name)
{
    if (QAction *button = toolButton(name))
        button->setChecked(true);
}

void frmMain::loadNewDocument(int mode)
{
    LoadNewDoc(static_cast<std::int16_t>(mode));
}

void frmMain::jumpToSavedArea(int slot)
{
    fncSeveAreaJump(static_cast<std::int16_t>(slot));
}
