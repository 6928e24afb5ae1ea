#include "statrender/frmpsyhanreione.h"

#include "statrender/popupgeometry.h"
#include "statrender/windowdragger.h"

#include <QLabel>

using namespace veltra::statrender;

frmPSYHanreiOne::frmPSYHanreiOne(QWidget *owner)
    : PopupWindow(owner, QStringLiteral("凡例"), 4260, 570)
{
    lblInfo1 = valueLabel(this, QStringLiteral("lblInfo1"));
    placeTwips(lblInfo1, 0, 0, 4215, 255);
    lblInfo2 = valueLabel(this, QStringLiteral("lblInfo2"));
    placeTwips(lblInfo2, 0, 300, 4215, 255);

    moveTwips(2000, 2000);
    auto *dragger = new WindowDragger(this);
    dragger->watch(lblInfo1);
    dragger->watch(lblInfo2);
}
