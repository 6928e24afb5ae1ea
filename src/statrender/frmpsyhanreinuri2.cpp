#include "statrender/frmpsyhanreinuri2.h"

#include "statrender/globals.h"
#include "statrender/popupgeometry.h"

#include <QLabel>

using namespace veltra::statrender;

frmPSYHanreiNuri2::frmPSYHanreiNuri2(QWidget *owner)
    : PopupWindow(owner, QStringLiteral("凡例"), 4230, 3195)
{
    lblTitle = valueLabel(this, QStringLiteral("lblTitle"));
    placeTwips(lblTitle, 0, 0, 4215, 255);
    lblMinColor.push_back(borderedLabel(this, QStringLiteral("lblMinColor_0")));
    placeTwips(lblMinColor[0], 120, 360, 495, 270);
    lblMin.push_back(valueLabel(this, QStringLiteral("lblMin_0"), true));
    placeTwips(lblMin[0], 600, 360, 1275, 270);
    lblNoro.push_back(captionLabel(this, QStringLiteral("lblNoro_0"), QStringLiteral("～")));
    lblNoro[0]->setAlignment(Qt::AlignCenter);
    placeTwips(lblNoro[0], 1980, 360, 255, 270);
    lblMax.push_back(valueLabel(this, QStringLiteral("lblMax_0"), true));
    placeTwips(lblMax[0], 2280, 360, 1275, 270);
    lblNum.push_back(valueLabel(this, QStringLiteral("lblNum_0"), true));
    placeTwips(lblNum[0], 3600, 360, 495, 270);
    for (const auto *row : {&lblMinColor, &lblMin, &lblNoro, &lblMax, &lblNum})
        (*row)[0]->hide();
    Form_Load();
}

void frmPSYHanreiNuri2::Form_Load()
{
    lblTitle->setText(gstrNuriHanreiTitle);
    const std::size_t classes = gtypNuriHanrei.empty() ? 0 : gtypNuriHanrei.size() - 1;
    // One class is no classification to explain: the title alone.
    if (classes < 2)
        return;
    fillRow(0, 1);
    for (std::size_t r = 1; r < classes; ++r) {
        addRow();
        fillRow(r, r + 1);
    }
    setHeight(static_cast<double>(lblMinColor.size()) * heightTwips(lblMinColor[0])
        + (heightTwips(lblTitle) + 360) + 300);
}

void frmPSYHanreiNuri2::addRow()
{
    const std::size_t r = lblMinColor.size();
    for (auto *array : {&lblMinColor, &lblMin, &lblNoro, &lblMax, &lblNum}) {
        QLabel *previous = array->back();
        const QString base = previous->objectName().section(QLatin1Char('_'), 0, 0);
        QLabel *label = copyLabel(previous, base + QLatin1Char('_') + QString::number(r));
        setTopTwips(label, topTwips(previous) + heightTwips(label));
        array->push_back(label);
    }
}

void frmPSYHanreiNuri2::fillRow(std::size_t row, std::size_t record)
{
    const NuriHanreiClass &c = gtypNuriHanrei[record];
    setBackColour(lblMinColor[row], c.lngColor);
    lblMin[row]->setText(c.strMin);
    lblMax[row]->setText(c.strMax);
    lblNum[row]->setText(QString::number(c.lngCount));
    for (auto *array : {&lblMinColor, &lblMin, &lblNoro, &lblMax, &lblNum})
        (*array)[row]->show();
}
