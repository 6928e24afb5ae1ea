#pragma once
// frmPSYDataSanshou: the statistics data reference window ("統計データ参照").
// It shows the value of one item of one data field for one area, straight
// from the statistics value files: the user picks the statistics, the level
// (prefecture, municipality, town block), the area in three name lists, the
// field and the item; a grid lists every item of the field at all three
// levels. The area also comes from the map: the area reference mode hands
// the clicked area's code to AddressCode and the point to DrawCaldoraArea,
// which highlights the area.
//
// One instance, created on first use (ui::form<frmPSYDataSanshou>), modeless
// and owned by the main frame. The constructor runs the opening steps:
// 東京都 in the prefecture list (the lower lists follow), the first
// statistics, the prefecture level, the lists and values, and the frame's
// view-date menu item and status bar disabled. Closing (the close button, the
// close box or unload) clears the codes and the highlight, ends the story
// step, leaves the running mode and enables the frame's items again.
//
// Geometry is in twips as designed: the client is 7335 wide, the form 3600
// high (title bar and borders included), 7320 while "全項目参照する" is
// ticked, which brings the grid (3300 below the top) into view.
//
// The handlers of the lists guard themselves with bBusy: list changes made
// while a handler runs (the window filling or selecting) do not run the
// handling again. Place names are looked up with bound values only.
#include "statrender/datasanshouvalues.h"

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStringListModel;
class QTableWidget;

namespace zorvik {
class Zorvik;
}

class frmPSYDataSanshou : public QWidget
{
    Q_OBJECT
public:
    explicit frmPSYDataSanshou(QWidget *owner = nullptr);
    ~frmPSYDataSanshou() override;

    // ---- interface
    // Shows the area of the code: codes, names, lists, level by the spaces
    // displayed at the map's scale. A text that is not numeric changes nothing.
    void setAddressCode(const QString &code);
    // Highlights the area element at the point (world coordinates).
    void DrawCaldoraArea(std::int32_t Lx, std::int32_t lY);
    // The area space of the finest area level displayed at the current scale.
    std::int16_t GetUseSpaceID(zorvik::Zorvik *objZor);
    // Selects the data field; false (and nothing changed) when it is not an
    // entry of the field list.
    bool SetBunya(const QString &sBunya);
    // The spaces displayed at the current scale into iTargetSpID; their count,
    // 0 on any failure.
    std::int16_t GetDispSpaceID(zorvik::Zorvik *objZor, std::vector<std::int16_t> &iTargetSpID);

    // ---- event handlers
    void cmbNendo_Click();
    void Option1_Click(int index);
    void Combo1_Click(int index);
    void DBCombo1_Change(int index);
    void Check1_Click();
    void Command1_Click();

    // ---- state, for the frame's tests and the registration
    const veltra::statrender::AreaCodes &sCode() const { return m_code; }
    std::int32_t highlightSet() const { return lHighlightSet; }
    int formHeightTwips() const { return m_heightTwips; }
    veltra::statrender::AreaLevel level() const;

    // ---- controls (named as designed)
    QLabel *Label5 = nullptr;
    QComboBox *cmbNendo = nullptr;
    std::array<QRadioButton *, 3> Option1{};
    std::array<QComboBox *, 3> DBCombo1{};
    std::array<QComboBox *, 2> Combo1{};
    std::array<QLabel *, 2> Combo1Label{};
    QLabel *lblDataLabel = nullptr;
    QLabel *lblData = nullptr;
    QCheckBox *Check1 = nullptr;
    QTableWidget *MSFlexGrid1 = nullptr;
    QPushButton *Command1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void ReloadLists();
    void FillFieldList();
    void FillItemList();
    void SyncAreaLists(int k);
    void ShowValues();
    void ClearHighlight();

    // The frame's view-date menu item and status bar.
    void setFrameItemsEnabled(bool enabled);
    // The names of a level's query into its list, in the query's order.
    void fillNameList(int k, const QString &sql, const std::vector<std::int32_t> &codes);
    // Sets a name list's text; its change runs the list handling.
    void setNameText(int k, const QString &text);
    // Selects entry `index` of a list as the window does: the click follows.
    void selectField(int k, int index);
    // Width of column 0 of the grid, in twips, from the item texts.
    double itemColumnTwips() const;

    veltra::statrender::AreaCodes m_code; // sCode(0 To 2)
    bool bBusy = false;
    std::int32_t lHighlightSet = 0;
    int m_heightTwips = 3600;
    bool m_unloaded = false;
    std::array<QStringListModel *, 3> m_names{};
};
