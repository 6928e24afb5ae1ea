#pragma once
// frmPSYRank: the ranking pop-up ("順位") of ranking and flow maps: the names
// (lblP, in red, green, blue, cyan and magenta) and values (lblNum) of ranks
// 1 to 5. The drawing fills the rows and tells it the map's mode (sMode,
// "ランキング" or "流線図"), its data file (sFileName) and for a flow map the
// direction (sOpt, "流出" or "流入"). A click on it opens the full list,
// frmPSYRankAll, for the same three.
//
// Rows the drawing does not fill keep what an earlier map put there, until
// the window is unloaded with the statistics map.
#include "statrender/popupwindow.h"

#include <QString>
#include <array>

class QLabel;

class frmPSYRank : public veltra::statrender::PopupWindow
{
    Q_OBJECT
public:
    explicit frmPSYRank(QWidget *owner = nullptr);

    QString sMode;
    QString sFileName;
    QString sOpt;

    std::array<QLabel *, 8> Label1{}; // 0-2 headings, 3-7 "１位" to "５位"
    std::array<QLabel *, 5> lblP{};
    std::array<QLabel *, 5> lblNum{};

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ShowAllRanks();
};
