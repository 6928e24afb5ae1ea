#pragma once
// frmHome: the small window of the home registration tool ("作業エリア登録").
// Its three buttons store the current view (scale, centre, rotation) as home
// 1, 2 or 3 in gtypWinInfo; the homes reach the document's settings file when
// the settings are saved at exit, and a jump uses them at once.
//
// The window lives only while mode 1002 runs. Closing it (閉じる or the close
// box) leaves the mode; whenever it unloads, the story step that opened it
// ends.
#include <QWidget>
#include <cstdint>

class QLabel;
class QPushButton;

class frmHome : public QWidget
{
    Q_OBJECT
public:
    explicit frmHome(QWidget *owner = nullptr);

    void Command1_Click() { RegisterHome(1); }
    void Command2_Click() { RegisterHome(2); }
    void Command3_Click() { RegisterHome(3); }
    void Command4_Click();

    // True once the window has begun to unload.
    bool unloading() const { return m_unloading; }

    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Stores the current view of gobjZor as home n (0 to 4).
    void RegisterHome(std::int16_t n);

    bool m_unloading = false;
};
