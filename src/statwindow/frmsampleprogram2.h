#pragma once
// frmSampleProgram2: the dialog ("地域選択") of the area selection on the
// map (mode ModeAreaSelect). The user chooses how to mark the areas
// (optSearchType: 矩形, 任意領域, 円形, 連続直線の一定範囲), the level
// (optHani: 都道府県別, 市区町村別, 町丁字別) and, for the circle and the
// band, the range in kilometres (txtSize, two characters at most), and
// presses "検索", which arms the map for one mark.
//
// Modeless, owned by the statistics map window, one instance
// (ui::form<frmSampleProgram2>). It talks to the mode only through the
// dispatcher: "検索" sends the search state, a change of search type the
// type-changed state, and closing (終了, the close box or an unload) leaves
// the mode. A change of level while clicked areas are armed arms the map
// again for that level (the level of the empty-result message stays that of
// the last "検索"). The statistics map window's map-range selection creates it
// hidden to read its level and closes it again.
#include <QWidget>
#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmSampleProgram2 : public QWidget
{
    Q_OBJECT
public:
    explicit frmSampleProgram2(QWidget *owner = nullptr);

    // The index of the checked optHani (0 when none is).
    int areaLevelIndex() const;
    // The index of the first checked optSearchType (0 when none is).
    int searchTypeIndex() const;

    // ---- controls (named as designed)
    QGroupBox *Frame1 = nullptr; // "検索方法選択"
    std::array<QRadioButton *, 4> optSearchType{};
    QLabel *Label2 = nullptr; // "地図の地域"
    std::array<QRadioButton *, 3> optHani{};
    QLabel *Label1 = nullptr; // "範囲（Km）："
    QLineEdit *txtSize = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdCancel = nullptr;

    // ---- event handlers
    void cmdSearch_Click();
    void cmdCancel_Click();
    void optSearchType_Click(int Index);
    // While clicked areas are armed, the map is armed again for the level
    // now chosen, so the next click searches it.
    void optHani_Click(int Index);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Unload();
};
