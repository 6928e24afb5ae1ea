#pragma once
// frmPSYHanreiOne: the one-item legend pop-up of ranking and real-value maps
// ("凡例"). The drawing writes the item's name into lblInfo1 and what the
// numbers on the map mean into lblInfo2. It opens 2000 twips from the
// screen's left and top edge and moves when dragged with the left button
// anywhere on it.
#include "statrender/popupwindow.h"

class QLabel;

class frmPSYHanreiOne : public veltra::statrender::PopupWindow
{
    Q_OBJECT
public:
    explicit frmPSYHanreiOne(QWidget *owner = nullptr);

    QLabel *lblInfo1 = nullptr;
    QLabel *lblInfo2 = nullptr;
};
