#pragma once
// frmTotalList: the tallied list ("集計データ一覧"), a table of the area
// records of the last graph (gtypStatArea) as the graph kind glngGraphKind
// lays them out (totallistcontent.h).
//
// The grid MSFlexGridList keeps one header row and one name column, styled
// as fixed cells; 閉じる (cmdEnd) closes the window. The statistics map
// window owns one private instance, hidden until the table output shows it;
// ListDisp rebuilds the grid from the records of that moment and does not
// follow later changes. Sizes are in twips as designed.
#include <QWidget>
#include <cstdint>
#include <vector>

class QPushButton;
class QTableWidget;

class frmTotalList : public QWidget
{
    Q_OBJECT
public:
    explicit frmTotalList(QWidget *owner = nullptr);

    // Rebuilds the grid: item names from index 0 (one unused entry at the
    // end), the expression kind (0 absolute, 1 relative) and the age-class
    // names by class.
    void ListDisp(const std::vector<QString> &item, std::int32_t lngExpressionKind,
        const std::vector<QString> &strAgeClassName);
    void cmdEnd_Click();

    QTableWidget *MSFlexGridList = nullptr;
    QPushButton *cmdEnd = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();
};
