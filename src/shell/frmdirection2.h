#pragma once
// frmDirection2 "方位指定": picks one of nine directions for a photo attached
// to a point. Each of the nine buttons, laid out like a numeric keypad,
// stores 100 plus its keypad digit in sValue and closes the window; closing
// it otherwise leaves sValue empty.
#include <QDialog>
#include <array>

class QPushButton;

class frmDirection2 : public QDialog
{
    Q_OBJECT
public:
    explicit frmDirection2(QWidget *owner = nullptr);

    void Command1_Click(int index);
    // The code of button `index` (0 top left ... 8 bottom right).
    static int codeOf(int index);

    QString sValue;
    std::array<QPushButton *, 9> Command1{};
};
