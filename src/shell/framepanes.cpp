#include "shell/framepanes.h"

#include "platform/ui/twips.h"

#include <QFrame>

namespace veltra::shell {

namespace {

// The stand-ins' design sizes in twips: the list bar's width and the
// operation room's height.
constexpr double kListBarWidthTwips = 2400;
constexpr double kOpeRoomHeightTwips = 2000;

QWidget *standIn(FramePane pane, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    if (pane == FramePane::OpeRoom)
        frame->resize(ui::twipsToPixelsX(12000), ui::twipsToPixelsY(kOpeRoomHeightTwips));
    else
        frame->resize(ui::twipsToPixelsX(kListBarWidthTwips), ui::twipsToPixelsY(6000));
    return frame;
}

} // namespace

FramePaneMakers &framePaneMakers()
{
    static FramePaneMakers makers;
    return makers;
}

QString framePaneName(FramePane pane)
{
    switch (pane) {
    case FramePane::ListBar:
        return QStringLiteral("frmListBar");
    case FramePane::StoryPlayer:
        return QStringLiteral("frmPSYStory");
    case FramePane::OpeRoom:
        return QStringLiteral("frmPSYOpeRoom");
    }
    return {};
}

QWidget *makeFramePane(FramePane pane, QWidget *parent)
{
    const FramePaneMakers &makers = framePaneMakers();
    const FramePaneMaker &maker = pane == FramePane::ListBar
        ? makers.listBar
        : (pane == FramePane::StoryPlayer ? makers.storyPlayer : makers.opeRoom);
    QWidget *widget = maker ? maker(parent) : nullptr;
    if (!widget)
        widget = standIn(pane, parent);
    if (widget->objectName().isEmpty())
        widget->setObjectName(framePaneName(pane));
    return widget;
}

} // namespace veltra::shell
