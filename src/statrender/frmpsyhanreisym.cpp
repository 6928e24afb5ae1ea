#include "statrender/frmpsyhanreisym.h"

#include "statrender/popupgeometry.h"
#include "statrender/windowdragger.h"

#include <QLabel>

using namespace veltra::statrender;

frmPSYHanreiSym::frmPSYHanreiSym(QWidget *owner)
    : PopupWindow(owner, QStringLiteral("凡例"), 4230, 1290)
{
    lblInfo = valueLabel(this, QStringLiteral("lblInfo"));
    placeTwips(lblInfo, 0, 0, 4215, 255);
    Label1 = captionLabel(this, QStringLiteral("Label1"), QStringLiteral("最大："));
    placeTwips(Label1, 120, 360, 495, 195);
    Label3 = captionLabel(this, QStringLiteral("Label3"), QStringLiteral("平均："));
    placeTwips(Label3, 120, 660, 495, 195);
    Label2 = captionLabel(this, QStringLiteral("Label2"), QStringLiteral("最小："));
    placeTwips(Label2, 120, 960, 495, 195);
    lblPMax = borderedLabel(this, QStringLiteral("lblPMax"));
    placeTwips(lblPMax, 660, 360, 1875, 255);
    lblPMin = borderedLabel(this, QStringLiteral("lblPMin"));
    placeTwips(lblPMin, 660, 960, 1875, 255);
    lblMax = valueLabel(this, QStringLiteral("lblMax"), true);
    placeTwips(lblMax, 2580, 360, 1515, 255);
    lblAve = valueLabel(this, QStringLiteral("lblAve"), true);
    placeTwips(lblAve, 2580, 660, 1515, 255);
    lblMin = valueLabel(this, QStringLiteral("lblMin"), true);
    placeTwips(lblMin, 2580, 960, 1515, 255);

    moveTwips(2000, 2000);
    auto *dragger = new WindowDragger(this);
    dragger->watch(lblInfo);
}
