#pragma once
// frmPSYReSize: the size dialog ("サイズ変更") of the drawn statistics map.
//
// Two sizes in the engine's display-size units: one for the graphs and
// symbols (kind 180) and one for the numbers and labels of the value and
// ranking maps (kinds 181 to 186, all set alike; the dialog shows 181's).
// Each is edited with a slider (10 to 20000) and a text box that follow each
// other; a busy flag keeps them from echoing. A text with a fraction moves
// the slider to its rounded value (halves to even); a text outside the range
// leaves the slider at its nearest end. OK checks both texts, applies both
// sizes and redraws the map; キャンセル and the close box apply nothing.
//
// Modeless and single: created on first use, unloaded when it closes.
#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class frmPSYReSize : public QDialog
{
    Q_OBJECT
public:
    explicit frmPSYReSize(QWidget *owner = nullptr);

    static QString noSizeMessage(); // "サイズを指定してください"
    static QString rangeMessage(); // "サイズは10～20000の範囲で指定してください。"

    QLabel *Label1[2] = {};
    QSlider *SliderGra = nullptr;
    QLineEdit *Text1 = nullptr;
    QSlider *SliderString = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

    // Esc unloads as キャンセル does.
    void reject() override { cmdCancel_Click(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void SliderGra_Change();
    void SliderString_Change();
    void Text1_Change();
    void Text2_Change();
    void sliderToText(const QSlider *slider, QLineEdit *text);
    void textToSlider(const QLineEdit *text, QSlider *slider);
    // Shows the message of the first failing check of `text`; false then.
    static bool checkSize(const QLineEdit *text);

    std::int16_t m_busy = 0; // -1 while one of a pair is copied into the other
};
