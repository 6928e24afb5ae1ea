#pragma once
// frmPSYAnk "アンケートのお願い": the questionnaire request of the 6th to 10th
// start. Answering on the web or by fax opens the questionnaire and records
// the answer ([USE] FLG = 1 in ZORPAK.INI) so that it is not asked again;
// "後で協力する。" records nothing, so it comes again at the next start.
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

class frmPSYAnk : public QDialog
{
    Q_OBJECT
public:
    explicit frmPSYAnk(QWidget *owner = nullptr);

    void Command1_Click();

    QLabel *Label1 = nullptr;
    std::array<QRadioButton *, 3> Option1{};
    QPushButton *Command1 = nullptr;
};
