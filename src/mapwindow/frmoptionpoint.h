#pragma once
// frmOptionPoint: the coordinate settings window ("座標設定"). Chooses how
// the status bar shows the pointer position (gintPointType): 0 world
// coordinates, 1 19-zone plane rectangular coordinates, 2 latitude and
// longitude, 3 device coordinates. Nothing is written to a file.
#include <QWidget>
#include <array>

class QPushButton;
class QRadioButton;

class frmOptionPoint : public QWidget
{
    Q_OBJECT
public:
    explicit frmOptionPoint(QWidget *owner = nullptr);

    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();

    std::array<QRadioButton *, 4> optCoordinates{};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void ApplyPointType();
};
