#pragma once
// frmTurn: the rotation window ("回転"). One angle in whole degrees, shown
// three ways (a text box, a scroll bar from -179 to 180 and a dial in tenths
// of a degree), four buttons that put north, south, east or west at the top,
// an apply button and a close button.
//
// The window's angle A is the engine's angle negated (A = -Zorvik.Angle).
// Apply reads the text box, brings it into -179..180 and turns the map; the
// dial applies when it is released. A text that is not a whole number within
// 16 bits changes nothing. One instance, shown modeless and owned by the main
// frame; closing unloads it.
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class QDial;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace zorvik {
class Zorvik;
}

class frmTurn : public QWidget
{
    Q_OBJECT
public:
    explicit frmTurn(zorvik::Zorvik *engine, QWidget *owner = nullptr);

    // A further rotation command while the window is open.
    void showAngleOf(zorvik::Zorvik *engine);

    void HScroll1_Change();
    void JogDial_Turned();
    void JogDial_Released();
    void Command1_Click();
    void Command2_Click(int index);
    void Command3_Click();

    QLineEdit *Text1 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QDial *JogDialCtrl1 = nullptr; // position in tenths of a degree
    QPushButton *Command1 = nullptr;
    std::array<QPushButton *, 4> Command2{};
    QPushButton *Command3 = nullptr;

private:
    void setScroll(int value); // sets the bar, then runs its change handling
    void setDial(int tenths);

    QPointer<zorvik::Zorvik> m_engine;
};

namespace veltra::mapwindow {

// The angle typed into the rotation window as the window applies it: a whole
// number (halves to even) brought into -179..180; nothing for a text that is
// not a number or lies outside the 16-bit range.
std::optional<std::int16_t> turnAngle(const QString &text);

// Shows the rotation window for the engine (see frmTurn).
void showTurnWindow(zorvik::Zorvik *engine);

} // namespace veltra::mapwindow
