#pragma once
// frmSelectZor "地図定義ファイル選択": chooses a map document (.zor) from a
// folder. The folder comes from ZORPAK.INI [DirList] Path and can be changed
// with the folder browser; the documents of the folder are listed by name
// without extension. OK with a selection sets gstrDocPath and the result
// flag gintSelectZor to -1; Cancel sets the flag to 0. Either way the current
// folder, when there is one, is written back to [DirList] Path.
#include <QDialog>
#include <array>

class QListWidget;
class QPushButton;

class frmSelectZor : public QDialog
{
    Q_OBJECT
public:
    explicit frmSelectZor(QWidget *owner = nullptr);

    void Command1_Click(int index); // 0 OK, 1 Cancel
    void Command2_Click(); // folder browser
    // Lists the documents of the current folder.
    void FillList();

    // The current folder, ending in a separator; empty when none is chosen.
    QString folder() const { return m_folder; }

    QListWidget *ListView1 = nullptr;
    QPushButton *Command2 = nullptr;
    std::array<QPushButton *, 2> Command1{};

private:
    void finish(bool ok);
    QString m_folder;
};
