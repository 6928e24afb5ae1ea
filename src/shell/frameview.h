#pragma once
// What the map window and the subsystems above the shell may ask of the main
// frame, so that none of them reaches into its controls: the frame
// implements it, the others call it through frameView(). New ways in are
// added here rather than by naming a control of the frame.
#include <QString>

namespace veltra::shell {

class FrameView
{
public:
    virtual ~FrameView() = default;

    // The scale box shows this scale (the map's own).
    virtual void showScale(double scale) = 0;
    // The checks of 表示 > ｽｹｰﾙ, 凡例 and 全域図.
    virtual bool scaleBarChecked() const = 0;
    virtual bool legendChecked() const = 0;
    virtual bool overviewChecked() const = 0;
    virtual void setOverviewChecked(bool checked) = 0;
    // Presses the tool-bar button of that name (a mode button), if there is one.
    virtual void pressToolButton(const QString &name) = 0;
    // Opens the document of gstrDocPath as the frame does at start-up
    // (LoadNewDoc) and jumps to the stored view `slot` (fncSeveAreaJump).
    virtual void loadNewDocument(int mode) = 0;
    virtual void jumpToSavedArea(int slot) = 0;
};

// The frame of this run; null before it exists and after it is gone.
FrameView *frameView();

} // namespace veltra::shell
