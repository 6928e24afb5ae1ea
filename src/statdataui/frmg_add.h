#pragma once
// frmG_add: the user-data registration window ("ユーザーデータの登録・削除").
// The upper frame registers one CSV file under a title, a census period, an
// area unit and an item group (and a prefecture, for municipality and
// town-block data); the lower frame lists the registered user data and
// deletes one of them. The decisions and the file work are in
// statdata/userdataregistration.h; the window reads its controls, asks and
// reports.
//
// The statistics tree (<data folder>etc\) is made visible while the window is
// open and hidden again whenever it unloads, behind the wait dialog. Loading
// first undoes a registration or deletion the program was killed in.
//
// Common use (ComG_add::ShowUserDataForm):
//   auto *w = veltra::ui::form<frmG_add>(gfrmMain);
//   w->Show();        // loads, runs modally, unloads
//   veltra::ui::WindowRegistry::instance().unload(w);
#include "statdata/clsbaseyear.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmG_add : public QDialog
{
    Q_OBJECT
public:
    explicit frmG_add(QWidget *owner = nullptr);

    // Loads the window, shows it modally and unloads it when it closes.
    int Show();

    // ---- events
    void Form_Load();
    void cmbStart_Click();
    void cmbDataKind_Click();
    void cmdOpen_Click();
    void cmdAddData_Click();
    void cmdDeleteData_Click();
    void cmdEnd_Click();

    // The register (program folder & "add_inf.txt") and the statistics tree.
    QString GetAddInfoFilePath() const { return strAddInfoFilePath; }
    QString GetEtcFolderPath() const { return strEtcPath; }
    // True once the unload steps have run.
    bool unloaded() const { return m_unloaded; }

    QGroupBox *fraAdd = nullptr;
    QLabel *lblDataTitle = nullptr;
    QLineEdit *txtDataTitle = nullptr;
    QLabel *lblYear = nullptr;
    QComboBox *cmbStart = nullptr;
    QLineEdit *txtEnd = nullptr;
    QLabel *lblDataName = nullptr;
    QLineEdit *txtDataName = nullptr;
    QLabel *lblDataKind = nullptr;
    QComboBox *cmbDataKind = nullptr;
    QLabel *lblPrefName = nullptr;
    QComboBox *cmbPrefName = nullptr;
    QLabel *lblDataFileName = nullptr;
    QLineEdit *txtDataFileName = nullptr;
    QPushButton *cmdOpen = nullptr;
    QLabel *lblAttention[3] = {};
    QPushButton *cmdAddData = nullptr;
    QGroupBox *fraDel = nullptr;
    QPushButton *cmdDeleteData = nullptr;
    QPushButton *cmdEnd = nullptr;

protected:
    void done(int result) override;

private:
    void Form_QueryUnload();
    void InitBaseYears();
    void InitStartCombo();
    void InitDataKindCombo();
    void InitPrefCombo();
    void InitDataTitle();
    void InitDataName();
    // Undoes a registration or deletion left unfinished in the statistics
    // tree (the program was killed in it); says so when it cannot.
    void RecoverInterruptedRun();
    // Shows or hides the statistics tree behind the wait dialog.
    void SetTreeHiddenWaiting(bool hide);
    // A message box with the window's title.
    int Message(const QString &text, int buttons);

    std::vector<clsBaseYear> colBaseYears;
    QString strAddInfoFilePath;
    QString strEtcPath;
    bool m_unloaded = false;
};
