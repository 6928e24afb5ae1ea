#pragma once
// frmOptionView: the other view settings ("その他設定"): the map's background
// colour, the zoom-in and zoom-out factors, the edit date used by the
// time-series editing aids and the values used to make a raster image (number
// of levels, split width and height in pixels).
//
// Apply rewrites each number field with the number its text begins with and
// hands the values to the engine and the globals; no range is enforced. OK
// applies only when both factor fields hold numbers. Nothing is written to a
// file: the globals start from their defaults at the next engine start.
#include <QColor>
#include <QWidget>
#include <array>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class frmOptionView : public QWidget
{
    Q_OBJECT
public:
    explicit frmOptionView(QWidget *owner = nullptr);

    void picBackColor_Click();
    void DTPicker1_Change();
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();

    // The colour box's colour.
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &colour);

    QLabel *picBackColor = nullptr;
    std::array<QLineEdit *, 2> txtDisp{}; // zoom-in, zoom-out factor
    QDateEdit *DTPicker1 = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QLineEdit *, 3> Text1{}; // levels, split width, split height
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ApplyViewOptions();

    QColor m_backColor;
};
