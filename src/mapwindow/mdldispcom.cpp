#include "mapwindow/mdldispcom.h"

#include "mapwindow/frmturn.h"
#include "mapwindow/globals.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

namespace {

void pointerMode(zorvik::Zorvik *engine, int mouseEventMode, const QString &status)
{
    gintMapMouseMode = 0;
    if (engine)
        engine->setMouseEventMode(mouseEventMode);
    mdlMain::SetStatusText(1, status);
}

template <typename F> void run(const F &entry)
{
    const auto copy = entry; // the entry may change while it runs
    if (copy)
        copy();
}

} // namespace

namespace mdlDispCom {

void SetSelectZoomMode(zorvik::Zorvik *engine)
{
    pointerMode(engine, 1, QStringLiteral("選択拡大"));
}

void SetZoomOutMode(zorvik::Zorvik *engine)
{
    pointerMode(engine, 2, QStringLiteral("縮小"));
}

void SetMoveMode(zorvik::Zorvik *engine)
{
    pointerMode(engine, 3, QStringLiteral("移動"));
}

void SetNormalMode(zorvik::Zorvik *engine)
{
    pointerMode(engine, 0, QStringLiteral("標準"));
}

void SetDragMoveMode(zorvik::Zorvik *engine)
{
    if (engine)
        engine->setMouseEventMode(0);
    glngDragX = 0;
    glngDragY = 0;
    gintMapMouseMode = 1;
    mdlMain::SetStatusText(1, QStringLiteral("移動"));
}

void ShowAllArea(zorvik::Zorvik *)
{
    if (!gobjZor)
        return;
    gobjZor->setScale(15000000.0);
    gobjZor->Refresh();
}

void Redraw(zorvik::Zorvik *engine)
{
    if (!engine)
        return;
    const std::int32_t x = engine->CenterX();
    const std::int32_t y = engine->CenterY();
    engine->SetCenterScale(x, y, 1.0);
}

void ShowTurnDialog(zorvik::Zorvik *engine)
{
    veltra::mapwindow::showTurnWindow(engine);
}

void ShowDisplaySettings()
{
    run(veltra::mapwindow::displayWindows().showDisplaySettings);
}

void ShowKindStyles()
{
    run(veltra::shell::modeRegistry().viewWindows().showDisplaySettings);
}

void ShowAddDefinition()
{
    run(veltra::mapwindow::displayWindows().showAddDefinition);
}

void DisplayMode(std::int16_t &state, zorvik::Zorvik *engine)
{
    const bool enter = state == StateEnter;
    const bool leave = state == StateLeave;
    bool endsStep = true;
    switch (gintModeSub) {
    case 0:
        if (enter)
            SetSelectZoomMode(engine);
        else if (leave)
            SetNormalMode(engine);
        break;
    case 1:
        if (enter)
            SetZoomOutMode(engine);
        else if (leave)
            SetNormalMode(engine);
        break;
    case 2:
        if (enter)
            SetMoveMode(engine);
        else if (leave)
            SetNormalMode(engine);
        break;
    case 3:
        if (enter)
            ShowAllArea(engine);
        break;
    case 4:
        if (enter)
            Redraw(engine);
        break;
    case 5:
        if (enter)
            ShowTurnDialog(engine);
        endsStep = false;
        break;
    case 6:
        if (enter)
            SetNormalMode(engine);
        break;
    case 7:
        if (enter)
            SetDragMoveMode(engine);
        else if (leave)
            SetNormalMode(engine);
        break;
    case 8:
        if (enter)
            ShowDisplaySettings();
        endsStep = false;
        break;
    case 9:
        if (enter)
            ShowKindStyles();
        endsStep = false;
        break;
    case 10:
        if (enter)
            ShowAddDefinition();
        endsStep = false;
        break;
    default:
        endsStep = false;
        break;
    }
    if (endsStep)
        gintStoryStepEnd = -1;
}

} // namespace mdlDispCom

namespace veltra::mapwindow {

DisplayWindows &displayWindows()
{
    static DisplayWindows windows;
    return windows;
}

} // namespace veltra::mapwindow
