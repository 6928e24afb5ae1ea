#include "statrender/frmpsyhanreibmp.h"

#include "platform/vb/convert.h"
#include "statrender/globals.h"
#include "statrender/popupgeometry.h"

#include <QLabel>

using namespace veltra::statrender;

frmPSYHanreiBmp::frmPSYHanreiBmp(QWidget *owner)
    : PopupWindow(owner, QStringLiteral("凡例"), 4215, 3600)
{
    lblColor.push_back(borderedLabel(this, QStringLiteral("lblColor_0")));
    placeTwips(lblColor[0], 0, 0, 495, 270);
    lblName.push_back(valueLabel(this, QStringLiteral("lblName_0")));
    placeTwips(lblName[0], 480, 0, 3675, 270);
    lbl1 = captionLabel(this, QStringLiteral("lbl1"), QStringLiteral("最大："));
    placeTwips(lbl1, 120, 2700, 495, 195);
    lbl2 = captionLabel(this, QStringLiteral("lbl2"), QStringLiteral("平均："));
    placeTwips(lbl2, 120, 3000, 495, 195);
    lbl3 = captionLabel(this, QStringLiteral("lbl3"), QStringLiteral("最小："));
    placeTwips(lbl3, 120, 3300, 495, 195);
    lblPMax = borderedLabel(this, QStringLiteral("lblPMax"));
    placeTwips(lblPMax, 720, 2700, 1755, 255);
    lblPMin = borderedLabel(this, QStringLiteral("lblPMin"));
    placeTwips(lblPMin, 720, 3300, 1755, 255);
    lblMax = valueLabel(this, QStringLiteral("lblMax"), true);
    placeTwips(lblMax, 2520, 2700, 1515, 255);
    lblAve = valueLabel(this, QStringLiteral("lblAve"), true);
    placeTwips(lblAve, 2520, 3000, 1515, 255);
    lblMin = valueLabel(this, QStringLiteral("lblMin"), true);
    placeTwips(lblMin, 2520, 3300, 1515, 255);
    Form_Load();
}

void frmPSYHanreiBmp::Form_Load()
{
    const std::size_t items = gtypHanreiItems.empty() ? 0 : gtypHanreiItems.size() - 1;
    if (items == 0) {
        lblColor[0]->hide();
        lblName[0]->hide();
        return;
    }
    for (std::size_t r = 0; r < items; ++r) {
        if (r > 0) {
            for (auto *array : {&lblColor, &lblName}) {
                QLabel *previous = array->back();
                const QString base = previous->objectName().section(QLatin1Char('_'), 0, 0);
                QLabel *label = copyLabel(previous, base + QLatin1Char('_') + QString::number(r));
                setTopTwips(label, topTwips(previous) + heightTwips(label));
                array->push_back(label);
            }
        }
        const HanreiItem &item = gtypHanreiItems[r + 1];
        lblName[r]->setText(item.strName);
        setBackColour(lblColor[r], item.lngColor);
        lblColor[r]->show();
        lblName[r]->show();
    }
    const double last = topTwips(lblName.back());
    setTopTwips(lbl1, last + 500);
    setTopTwips(lblPMax, last + 500);
    setTopTwips(lblMax, last + 500);
    setTopTwips(lbl2, topTwips(lbl1) + 300);
    setTopTwips(lblAve, topTwips(lblMax) + 300);
    setTopTwips(lbl3, topTwips(lbl2) + 300);
    setTopTwips(lblPMin, topTwips(lbl3));
    setTopTwips(lblMin, topTwips(lblAve) + 300);
    setHeight(topTwips(lblMin) + 800);

    lblPMax->setText(gstrHanreiMaxName);
    lblMax->setText(veltra::vb::cStr(gdblHanreiMax));
    lblAve->setText(veltra::vb::cStr(gdblHanreiAve));
    lblPMin->setText(gstrHanreiMinName);
    lblMin->setText(veltra::vb::cStr(gdblHanreiMin));
}
