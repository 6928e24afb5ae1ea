#pragma once
// ctlSelect: the statistics item selector of the statistics map window, in
// which the user states what a statistics map is to show.
//
// It holds four selection lists (lstSelect(0) to (3)), each in its frame with
// a remove and an add button and a template button. The user fills a list
// from the host's item tree (StatisticsTree) with the add button, or puts a
// calculation template into it through the template chooser frmRequisite.
// Beside the lists it offers option frames (calculation, expression kind,
// flow direction, ranking order, the relative pyramid maximum), the check box
// "色を元に戻す" and, for symbol maps, a list of symbol bitmaps. Which of them
// a map kind shows, and where, is the layout of SelectItem (selectlayout.h),
// laid out in twips and placed through the logical DPI.
//
// An entry of a list is one row: its text, and sub-items 1 to 10 (the other
// columns). A statistics item's entry text is its short name (the member of
// StatisticsProperty after "RYAKU") or, when that is blank, the tree path
// with spaces for backslashes; sub-item 1 is the node text, sub-items 2 on
// the members before "RYAKU". A template's entry text is the template title;
// sub-items 1 and 2 hold its path, sub-item 3 the marker "CALC".
//
// The control raises no events: readers ask it (ListCount, GetItemData,
// GetSubItemData, CalcKind, GetItemSelect, ...).
//
// Common use (the statistics map window):
//   select->setSymbolPath(gstrDataPath + "Symbol_Data\\");
//   select->setTreeCtl(&tree);
//   select->setSelectItem(1);          // runs Clear and the layout
//   select->setAnaRange(level);
//   on a click on a leaf: select->setStatItem(item);
//   when the window unloads: select->UserControl_Terminate();
#include "graphs/clsstatisticsitem.h"
#include "graphs/itemselection.h"
#include "graphs/selectlayout.h"
#include "graphs/statisticstree.h"

#include <QIcon>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class clsToolTip;
class frmRequisite;

class ctlSelect : public QWidget, public ItemSelection
{
    Q_OBJECT

public:
    explicit ctlSelect(QWidget *parent = nullptr);
    ~ctlSelect() override;

    // Properties.
    std::int16_t SelectItem() const { return m_selectItem; }
    // Stores the layout code, runs Clear and lays the control out.
    void setSelectItem(std::int32_t lngSelect);
    std::int32_t AnaRange() const { return m_anaRange; }
    // Stores the area level handed to the template chooser, runs Clear and
    // lays the control out.
    void setAnaRange(std::int32_t lngNew);
    QString SymbolPath() const { return m_symbolPath; }
    void setSymbolPath(const QString &path) { m_symbolPath = path; }
    // Entries of list Index; 0 for a list that does not exist.
    std::int32_t ListCount(std::int32_t Index) const;
    // The 1-based row of the first selected symbol, 0 when none (a position,
    // not a count).
    std::int32_t SymbolListCount() const;
    // The full path of the selected symbol; "" when none.
    QString SymbolFile() const;
    void setStatItem(std::shared_ptr<const clsStatisticsItem> Item) { m_objStatItem = std::move(Item); }
    std::int32_t CalcKind() const; // 0 "割合(%)", 1 "比率", 2 "増加率"
    std::int32_t CalcKind2() const; // the same for the X axis
    std::int32_t CalcKind3() const; // the same for the Y axis
    std::int32_t ExpressionKind() const; // 1 "相対値", else 0
    std::int32_t FlowKind() const; // 1 "流出", else 0
    std::int32_t RankKind() const; // 1 "降順", else 0
    // cmbHaba's text as a number; 15 when blank, 0 when it is no number.
    std::int32_t HabaMax() const;
    bool ColorOrg() const;

    // Methods.
    // Ends the control's helpers (tool tip, template chooser); safe to call
    // again.
    void UserControl_Terminate();
    // Empties the four lists, chooses the first calculation option of each
    // group and hides the option frames.
    void Clear();
    void setTreeCtl(const StatisticsTree *newTree) { m_objTree = newTree; }
    // strItemData(0 .. n-1) = the entry texts of list Index, element n empty.
    // A list that does not exist raises SubscriptOutOfRange.
    void GetItemData(std::int32_t Index, std::vector<QString> &strItemData) const;
    void GetSubItemData(
        std::int32_t Index, std::int32_t ItemIDX, std::vector<QString> &strItemData) const override;
    // Writes element k into sub-item k + 1 for k = 1 to the last element
    // (element 0, the node text, is not written). A list or entry that does
    // not exist, or an element beyond sub-item 10, raises SubscriptOutOfRange
    // with the sub-items before it written.
    void SetSubItemData(std::int32_t Index, std::int32_t ItemIDX, const std::vector<QString> &strItemData);
    void ColorOrgDefault();
    std::int16_t GetItemSelect(std::int16_t selflg) const override;
    // Adds one bitmap file to the symbol list: a non-empty text when it is
    // listed (a path already listed is selected), an empty value when it is
    // refused (unreadable, larger than 100 x 100, 8 or fewer bits per pixel).
    QVariant AddSymble(const QString &strPath);
    // The facts of a bitmap file (bitmapfacts.h); every output starts at 0;
    // false when the file cannot be read as a picture.
    bool GetBitmapInfo(const QString &bitmapFile, std::int32_t &Return_Height, std::int32_t &Return_Width,
        std::int16_t &Return_BitsPerPixel, double &Return_Size) const;
    // Parses the saved choices and applies none of them.
    void setSelectData(std::int16_t selGraph, const QString &strSelData, std::int32_t intDatasuu,
        const QString &strKoumokuData) override;
    // The template chooser's SelectCalcTemplate.
    void frmCalcSel_SelectCalcTemplate(const QString &strTemplateFile);

    // User actions.
    void cmdSelect_Click(std::int16_t Index); // 2k removes from list k, 2k+1 adds
    void cmdCalSel_Click(std::int16_t Index);
    // X and Y in twips inside the list.
    void lstSelect_MouseMove(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void cmdLoad_Click();
    void optExpressionKind_Click(std::int16_t Index);
    // The layout of SelectItem for the current width.
    void UserControl_Resize();

    // The child controls by their names.
    std::array<QGroupBox *, 4> FrameSelect{};
    std::array<QTreeWidget *, 4> lstSelect{};
    std::array<QToolButton *, 8> cmdSelect{};
    std::array<QToolButton *, 4> cmdCalSel{};
    QGroupBox *FrameCalc = nullptr;
    QGroupBox *FrameCalc2 = nullptr;
    QGroupBox *FrameCalc3 = nullptr;
    QGroupBox *FrameExpressionKind = nullptr;
    QGroupBox *FrameFlow = nullptr;
    QGroupBox *FrameRank = nullptr;
    QGroupBox *FrameHaba = nullptr;
    std::array<QRadioButton *, 3> optCalc{};
    std::array<QRadioButton *, 3> optCalc2{};
    std::array<QRadioButton *, 3> optCalc3{};
    std::array<QRadioButton *, 2> optExpressionKind{};
    std::array<QRadioButton *, 2> optFlow{};
    std::array<QRadioButton *, 2> optRank{};
    QLabel *lblHaba = nullptr;
    QComboBox *cmbHaba = nullptr;
    QCheckBox *chkColorOrg = nullptr;
    QListWidget *lstSymbol = nullptr;
    QPushButton *cmdLoad = nullptr;
    frmRequisite *frmCalcSel = nullptr; // null after UserControl_Terminate
    // The 16 x 16 pictures of the symbol list, by full path.
    const std::map<QString, QIcon> &iList() const { return m_iList; }
    clsToolTip *toolTip() const { return m_objToolTip.get(); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildOptionFrames();
    void applyLayout(const veltra::graphs::SelectLayout &layout);
    void refillSymbols();
    void HideHScrollBars();
    QTreeWidgetItem *entry(std::int32_t Index, std::int32_t ItemIDX) const;
    QTreeWidgetItem *addRow(std::int32_t k, const QString &text);
    QString entryText(const StatisticsTreeNode &node) const;
    static QString PathToText(const QString &path);
    void setBoxGeometry(QWidget *w, const veltra::graphs::TwipRect &r) const;
    int scaleWidth() const;

    std::int16_t m_selectItem = 1;
    std::int32_t m_anaRange = 1;
    QString m_symbolPath;
    const StatisticsTree *m_objTree = nullptr;
    std::shared_ptr<const clsStatisticsItem> m_objStatItem;
    std::array<std::int32_t, 4> m_lngHoverRow{};
    std::int32_t m_lngCalcTarget = -1;
    std::unique_ptr<clsToolTip> m_objToolTip;
    std::map<QString, QIcon> m_iList;
    int m_laidOutWidth = -1; // the width the layout last ran for, in pixels
};
