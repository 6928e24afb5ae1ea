#pragma once
// frmOptions: the view-date dialog ("表示日設定"). The user chooses the
// display period of the open document's map: today, no date (offered only in
// debug mode), or one chosen day. OK and 適用(&A) apply the choice to the
// engine, the status bar, the operation room's date label and the shared
// date globals, and store it in [SetDate] of the document's settings file;
// キャンセル closes without applying (what 適用 applied stays).
//
// The window is modeless, owned by the main frame, and unloaded when closed,
// so every opening loads the current globals again. A caller that wants a
// mode preselected (the status bar's 指定日 panel) passes it to the
// constructor instead of changing gstrSetDateMode, so that a cancel leaves
// the mode as it was.
#include <QWidget>
#include <array>

class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;

class frmOptions : public QWidget
{
    Q_OBJECT
public:
    // `preselectedMode`: the mode to show instead of gstrSetDateMode (empty: none).
    explicit frmOptions(QWidget *owner = nullptr, const QString &preselectedMode = QString());

    void optSetDate_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();

    std::array<QRadioButton *, 3> optSetDate{};
    QDateEdit *dtpSetDate = nullptr;
    QLabel *lblSetDate = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;

private:
    void Form_Load(const QString &mode);
    void ApplyViewDate();
    void showPickerDate();
};

namespace veltra::shell {

// Shows the dialog modeless, owned by the main frame (one instance; an open
// one is brought to the front). `preselectedMode` as for the constructor.
void showViewDateDialog(const QString &preselectedMode = QString());

} // namespace veltra::shell
