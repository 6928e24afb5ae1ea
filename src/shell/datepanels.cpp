#include "shell/datepanels.h"

#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/viewdate.h"

#include <QLabel>

namespace veltra::shell {

namespace {

void setPanel(int index, bool selected)
{
    QLabel *panel = gfrmMain ? gfrmMain->statusPanel(index) : nullptr;
    if (!panel)
        return;
    panel->setEnabled(selected);
    panel->setFrameShadow(selected ? QFrame::Sunken : QFrame::Raised);
}

} // namespace

void markDatePanel(int panel)
{
    if (panel >= PanelToday && panel <= PanelTime)
        setPanel(panel, true);
}

void selectDatePanel(int panel)
{
    for (int i = PanelToday; i <= PanelTime; ++i)
        setPanel(i, i == panel);
}

bool datePanelSelected(int panel)
{
    QLabel *label = gfrmMain ? gfrmMain->statusPanel(panel) : nullptr;
    return label && label->isEnabled() && label->frameShadow() == QFrame::Sunken;
}

} // namespace veltra::shell
