#pragma once
// frmPSYHanreiPra: the legend pop-up of picture-symbol (population pyramid)
// maps ("凡例"): a title and two rows of colour swatch and item name, all
// written by the picture-symbol drawing.
#include "statrender/popupwindow.h"

#include <array>

class QLabel;

class frmPSYHanreiPra : public veltra::statrender::PopupWindow
{
    Q_OBJECT
public:
    explicit frmPSYHanreiPra(QWidget *owner = nullptr);

    QLabel *lblTitle = nullptr;
    std::array<QLabel *, 2> lblColor{};
    std::array<QLabel *, 2> lblName{};
};
