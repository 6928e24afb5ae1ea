#pragma once
// frmPSYHanreiSym: the legend pop-up of symbol maps ("凡例"). The symbol map
// drawing writes the item name into lblInfo, the largest, mean and smallest
// value into lblMax, lblAve and lblMin, and the names of the areas of the
// largest and smallest value into lblPMax and lblPMin. It opens 2000 twips
// from the screen's left and top edge and moves when dragged with the left
// button anywhere on it.
#include "statrender/popupwindow.h"

class QLabel;

class frmPSYHanreiSym : public veltra::statrender::PopupWindow
{
    Q_OBJECT
public:
    explicit frmPSYHanreiSym(QWidget *owner = nullptr);

    QLabel *lblInfo = nullptr;
    QLabel *Label1 = nullptr; // "最大："
    QLabel *Label3 = nullptr; // "平均："
    QLabel *Label2 = nullptr; // "最小："
    QLabel *lblPMax = nullptr;
    QLabel *lblPMin = nullptr;
    QLabel *lblMax = nullptr;
    QLabel *lblAve = nullptr;
    QLabel *lblMin = nullptr;
};
