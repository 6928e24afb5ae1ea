#pragma once
// frmAbout "バージョン情報": the program's title and version, a notice on
// copying, the credits of the map and statistics data shipped with the
// program, and the publisher. The help menu shows it modally, owned by the
// main frame.
//
// The system information button has nothing to start here: there is no
// system information tool registered on this platform, so it says so.
#include <QDialog>
#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace veltra::shell {

// The title line: title, " v", major, ".", minor and revision with nothing
// between them, then " (Powered by Zorvik-EX)" ("Veltra v1.23 (Powered by
// Zorvik-EX)" for 1, 2, 3).
QString aboutTitle(const QString &title, int major, int minor, int revision);

} // namespace veltra::shell

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *owner = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

    QLabel *lblTitle = nullptr;
    QLabel *lblWarning = nullptr;
    QGroupBox *fraGSI = nullptr;
    QLabel *lblGSI = nullptr;
    QLabel *lblPublish = nullptr;
    std::array<QLabel *, 3> lblApproval{}; // sponsor lines: none, kept hidden
    QLabel *picIcon = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};
