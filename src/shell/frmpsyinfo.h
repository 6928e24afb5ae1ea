#pragma once
// frmPSYInfo "初期表示": asked at start-up whether the map opens at the view
// of the last exit (bZenkai True) or at the first registered home (False).
// bZenkai is True when the window loads, and stays True when the window is
// closed without OK.
#include <QDialog>
#include <array>

class QPushButton;
class QRadioButton;

class frmPSYInfo : public QDialog
{
    Q_OBJECT
public:
    explicit frmPSYInfo(QWidget *owner = nullptr);

    void Command1_Click();

    bool bZenkai = true;
    std::array<QRadioButton *, 2> optInfo{};
    QPushButton *Command1 = nullptr;
};
