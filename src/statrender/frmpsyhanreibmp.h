#pragma once
// frmPSYHanreiBmp: the legend pop-up of pie and bar graph maps ("凡例").
// When it loads it shows one row per item of gtypHanreiItems (from element
// 1): the item colour swatch and the item name, rows 270 twips apart from
// Top 0; the largest, mean and smallest value rows ("最大：", "平均：",
// "最小：") follow 500 twips below the last item row, 300 twips apart, with
// the names of the areas of the largest and smallest value; the window ends
// 800 twips below the last value row. Without items the first row is hidden
// and the value rows keep their designed texts and places.
//
// The graph map drawing unloads it, fills the globals and shows it again.
#include "statrender/popupwindow.h"

#include <vector>

class QLabel;

class frmPSYHanreiBmp : public veltra::statrender::PopupWindow
{
    Q_OBJECT
public:
    explicit frmPSYHanreiBmp(QWidget *owner = nullptr);

    std::vector<QLabel *> lblColor;
    std::vector<QLabel *> lblName;
    QLabel *lbl1 = nullptr;
    QLabel *lbl2 = nullptr;
    QLabel *lbl3 = nullptr;
    QLabel *lblPMax = nullptr;
    QLabel *lblPMin = nullptr;
    QLabel *lblMax = nullptr;
    QLabel *lblAve = nullptr;
    QLabel *lblMin = nullptr;

private:
    void Form_Load();
};
