#pragma once
// frmPSYHanreiNuri2: the legend pop-up of a choropleth ("凡例"). When it
// loads it shows gstrNuriHanreiTitle and one row per class of gtypNuriHanrei
// (from element 1): the colour swatch, the lower bound, "～", the upper bound
// and the number of areas. Rows follow each other without gap from Top 360,
// 270 twips each, and the window is as high as its rows: rows x 270 + (255
// + 360) + 300 twips. With fewer than two classes it shows the title alone
// at its designed height.
//
// The choropleth drawing unloads it, fills the globals and shows it again,
// so every load reads the current legend.
#include "statrender/popupwindow.h"

#include <vector>

class QLabel;

class frmPSYHanreiNuri2 : public veltra::statrender::PopupWindow
{
    Q_OBJECT
public:
    explicit frmPSYHanreiNuri2(QWidget *owner = nullptr);

    QLabel *lblTitle = nullptr;
    std::vector<QLabel *> lblMinColor;
    std::vector<QLabel *> lblMin;
    std::vector<QLabel *> lblNoro;
    std::vector<QLabel *> lblMax;
    std::vector<QLabel *> lblNum;

private:
    void Form_Load();
    void addRow();
    void fillRow(std::size_t row, std::size_t record);
};
