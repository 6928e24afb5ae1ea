#pragma once
// The panes of the main frame that belong to guided operation: the list bar
// and the story player at the left, the operation room at the bottom of the
// beginner layout.
//
// Guided operation builds on the shell, so it registers here how each pane
// is made; the frame makes a pane on first use and keeps it for the run.
// Until a pane's maker is registered the frame uses a plain empty panel of
// the pane's usual size, so the two layouts keep their shape.
#include <QString>
#include <functional>

class QWidget;

namespace veltra::shell {

enum class FramePane { ListBar, StoryPlayer, OpeRoom };

using FramePaneMaker = std::function<QWidget *(QWidget *parent)>;

struct FramePaneMakers
{
    FramePaneMaker listBar; // frmListBar
    FramePaneMaker storyPlayer; // frmPSYStory
    FramePaneMaker opeRoom; // frmPSYOpeRoom
};

FramePaneMakers &framePaneMakers();

// The window name of a pane ("frmListBar", "frmPSYStory", "frmPSYOpeRoom").
QString framePaneName(FramePane pane);

// The registered pane, or the empty stand-in (named after the pane) when
// nothing is registered or the maker gives none.
QWidget *makeFramePane(FramePane pane, QWidget *parent);

} // namespace veltra::shell
