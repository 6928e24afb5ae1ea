#include "statrender/frmpsyhanreipra.h"

#include "statrender/popupgeometry.h"

#include <QLabel>

using namespace veltra::statrender;

frmPSYHanreiPra::frmPSYHanreiPra(QWidget *owner)
    : PopupWindow(owner, QStringLiteral("凡例"), 4125, 975)
{
    lblTitle = valueLabel(this, QStringLiteral("lblTitle"));
    placeTwips(lblTitle, 0, 0, 4095, 270);
    for (int r = 0; r < 2; ++r) {
        const double top = r == 0 ? 360 : 660;
        lblColor[r] = borderedLabel(this, QStringLiteral("lblColor_%1").arg(r));
        placeTwips(lblColor[r], 0, top, 495, 270);
        lblName[r] = valueLabel(this, QStringLiteral("lblName_%1").arg(r));
        placeTwips(lblName[r], 480, top, 3615, 270);
    }
}
