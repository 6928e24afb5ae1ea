#include "shell/framelayout.h"

namespace veltra::shell {

namespace {

std::optional<QRect> rectIfValid(int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        return std::nullopt;
    return QRect(left, top, width, height);
}

} // namespace

FrameLayoutPlan planFrameLayout(const FrameLayoutInput &in)
{
    FrameLayoutPlan plan;
    const int sw = in.innerWidth;
    const int sh = in.innerHeight;
    const int lw = in.leftPaneWidth;
    if (in.pro) {
        plan.leftPane = rectIfValid(0, 0, lw, sh);
        plan.mapWindow = rectIfValid(lw, 0, sw - lw, sh);
        plan.toolWindowHeight = sh;
        return plan;
    }
    const int oh = in.opeRoomHeight;
    plan.opeRoom = rectIfValid(0, sh - oh, sw, oh);
    plan.leftPane = rectIfValid(0, 0, lw, sh - oh);
    if (!in.story)
        plan.mapWindow = rectIfValid(lw, 0, sw - lw, sh - oh);
    plan.toolWindowHeight = sh - oh;
    return plan;
}

std::optional<QRect> arrangedMapRect(const FrameLayoutInput &in)
{
    const int height = in.pro ? in.innerHeight : in.innerHeight - in.opeRoomHeight;
    return rectIfValid(in.leftPaneWidth, 0, in.innerWidth - in.leftPaneWidth, height);
}

QRect toolPaneRect(int listBarWidth, int width, int mapInnerHeight)
{
    return QRect(listBarWidth, 0, width, mapInnerHeight);
}

} // namespace veltra::shell
