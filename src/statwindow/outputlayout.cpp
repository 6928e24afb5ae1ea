#include "statwindow/outputlayout.h"

#include "platform/ui/twips.h"
#include "statwindow/frmstatisticsmap.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace veltra::statwindow {

namespace {

using ui::twipsToPixelsX;
using ui::twipsToPixelsY;

constexpr int FullRowTop = 672;
constexpr int TitleBarHeight = 440; // the designed 11000 less the inner 10560
constexpr int ToolGap = 5;

int leftTwips(const QWidget *w)
{
    return static_cast<int>(ui::pixelsToTwipsX(w->x()));
}

int widthTwips(const QWidget *w)
{
    return static_cast<int>(ui::pixelsToTwipsX(w->width()));
}

// `next` at `top`, 5 twips right of `previous`, shown.
void placeAfter(QWidget *previous, QWidget *next, int top)
{
    next->move(twipsToPixelsX(leftTwips(previous) + widthTwips(previous) + ToolGap), top);
    next->setVisible(true);
}

void setOuterHeight(frmStatisticsMap &window, int heightTwips)
{
    window.resize(window.width(), twipsToPixelsY(heightTwips - TitleBarHeight));
}

} // namespace

void showFullLayout(frmStatisticsMap &w)
{
    for (QWidget *frame : std::initializer_list<QWidget *>{w.FrameAnaRange, w.FrameAnaWay, w.FrameStatistic})
        frame->setVisible(true);
    const int top = twipsToPixelsY(FullRowTop);
    w.cmdEnd->move(w.cmdEnd->x(), top);
    w.cmdReDisp->setVisible(false);
    setOuterHeight(w, FullLayoutHeight);
    w.cmdObjClear->move(w.cmdObjClear->x(), top);
    w.cmdObjClear->setVisible(true);
    placeAfter(w.cmdObjClear, w.cmdLoad, top);
    for (QWidget *c : std::initializer_list<QWidget *>{w.cmdSave, w.chkObjMove, w.cmdReSize, w.chkDataSansho})
        c->setVisible(false);
}

} // namespace veltra::statwindow
