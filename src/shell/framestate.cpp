#include "shell/framestate.h"

#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "shell/mdlsave.h"

namespace veltra::shell {

void captureFrameState(WindowInfo &info, const FrameState &frame)
{
    info.stsBar = frame.statusBarChecked ? 1 : 0;
    info.toolBar = frame.toolBarChecked ? 1 : 0;
    info.dispLegend = frame.legendChecked ? 1 : 0;
    info.dispDirction = frame.compassChecked ? 1 : 0;
    info.dispAllAreaView = frame.overviewChecked ? 1 : 0;
    info.dispScale = frame.scaleChecked ? 1 : 0;
    info.State = frame.windowState;
    info.Top = vb::cLng(frame.top);
    info.Left = vb::cLng(frame.left);
    info.Width = vb::cLng(frame.width);
    info.Height = vb::cLng(frame.height);
}

bool saveWindowInfo(const FrameState &frame, QString *error)
{
    captureFrameState(gtypWinInfo, frame);
    return mdlSave::SaveSettings(gtypWinInfo, error);
}

} // namespace veltra::shell
