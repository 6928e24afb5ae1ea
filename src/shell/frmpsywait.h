#pragma once
// frmPSYWait: the one wait dialog of the program. A small modeless window
// that long operations show while they run on the user-interface thread: a
// moving busy indicator, the message and a Cancel button that stays hidden
// unless the operation allows cancelling (it then shows cmdCancel).
//
// Loading the dialog sets gintWaitCancel to 0; Cancel makes it 1, and the
// operation confirms (2) or withdraws (0) the request through
// ComPSY::PSY_CheckCancel. The busy indicator is drawn by the dialog itself,
// so the dialog works as a notice whatever files the program folder holds.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class frmPSYWait : public QDialog
{
    Q_OBJECT
public:
    explicit frmPSYWait(QWidget *owner = nullptr);

    void cmdCancel_Click();

    QLabel *Label1 = nullptr;
    QProgressBar *Animation1 = nullptr;
    QPushButton *cmdCancel = nullptr;
};
