#pragma once
// The one way a statistics map shows its legend: the pop-up is shown
// modeless, given the focus, pending events run so that it is laid out and
// painted, and its picture is taken into the main frame's legend picture
// (frmMain::picHanrei), which the spreadsheet export pastes. The picture is
// the window's own rendering; neither the clipboard nor synthesised keys are
// used. Without a main frame the legend is shown and nothing is kept.
class QWidget;

namespace veltra::statrender {

void showAndCaptureLegend(QWidget *legend);

} // namespace veltra::statrender
