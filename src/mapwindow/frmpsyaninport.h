#pragma once
// frmPSYAnInport ("ｱﾝｲﾝﾎﾟｰﾄ"): lists the recorded mesh imports by their date
// and time and removes one of them: its mesh files under the open
// document's mesh folder, its history lines and its MeshDef.csv lines. The
// frame shows it modeless; it keeps nothing between calls, the history file
// is the only record.
//
// The two lists are rewritten whole through a temporary file each, the mesh
// list first: a failed write leaves every file as it was, and the meshes are
// deleted only after both lists lost their records. The open map is not
// reloaded; the engine keeps reading the files it opened.
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

class frmPSYAnInport : public QWidget
{
    Q_OBJECT
public:
    explicit frmPSYAnInport(QWidget *owner = nullptr);

    // Removes the import of the selected entry, after asking.
    void RemoveImport();
    void cmdOK_Click() { RemoveImport(); }
    void cmdClose_Click();

    QLabel *Label1 = nullptr;
    QListWidget *lst = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    // Fills lst from the history; cmdOK is enabled only with an entry.
    void FillImportList();
};
