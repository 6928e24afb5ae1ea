#pragma once
// The last steps of map output and of the pyramid window's draw, once the
// new analysis pair is in DB: the run's busy pointer goes back, the wait
// dialog stands over the window while the map is cleared of its statistics
// elements (their files kept) and every stored analysis is drawn again.
#include <QWidget>

namespace veltra::statwindow {

// `pointerBusy` drops as soon as the run's override pointer is given back,
// so a failure while drawing does not give it back a second time.
void drawStoredAnalyses(QWidget *window, bool &pointerBusy);

} // namespace veltra::statwindow
