#pragma once
// MeasurePanel: the map window's measuring panel (Picture1). It shows the
// prompts and the result of the distance tool (mode 40, whose handler lives
// with the measuring tools) and offers clear and close buttons; it is hidden
// until the tool opens it and can be dragged over the map.
//
// Closing takes the measured line (the set in glngElmHandle) off the display
// but neither releases nor forgets the set: the tool owns it.
#include <QFrame>
#include <cstdint>

class QLabel;
class QPushButton;
class QToolButton;
namespace zorvik {
class Zorvik;
}

namespace veltra::mapwindow {

class MeasurePanel : public QFrame
{
    Q_OBJECT
public:
    // `map` places the panel (its upper left corner plus 50 twips) and draws.
    MeasurePanel(zorvik::Zorvik *map, QWidget *parent = nullptr);

    // Shows the panel; mode 1 puts up the prompts, other modes keep the labels.
    void openCalcWindow(std::int16_t mode);
    // Shows a distance in metres.
    void ViewCalcDistance(double dDistance);
    // Takes the measured line off the map and hides the panel.
    void closeCalcWindow();

    // The buttons: clear starts the distance tool again; the other two also
    // end it and hide the panel.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    QLabel *Label1 = nullptr; // prompt or result
    QLabel *Label2 = nullptr; // second prompt line
    QLabel *Label4 = nullptr; // the fixed note
    QToolButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr; // クリア
    QPushButton *Command3 = nullptr; // 閉じる

private:
    zorvik::Zorvik *m_map;
};

} // namespace veltra::mapwindow
