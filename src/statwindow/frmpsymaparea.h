#pragma once
// frmPSYMapArea: the level chooser ("地図の地域") of the map-range area
// selection: prefectures, municipalities or town blocks.
//
// Modal. Loading sets SelectIndex to -1; 検索 sets it to the chosen option
// (0 prefectures, 1 municipalities, 2 town blocks) and glngAreaSelectLevel
// to 1, 2 or 3, then unloads the dialog; 終了, Esc and the close box unload
// it with SelectIndex left at -1 and the level unchanged. SelectIndex stays
// readable after the dialog is gone.
//
// Common use:
//   ui::form<frmPSYMapArea>(owner)->exec();
//   if (frmPSYMapArea::SelectIndex < 0) return;
#include <QDialog>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QRadioButton;

class frmPSYMapArea : public QDialog
{
    Q_OBJECT
public:
    explicit frmPSYMapArea(QWidget *owner = nullptr);

    static inline std::int16_t SelectIndex = -1;

    std::array<QRadioButton *, 3> optHani{};
    QLabel *Label2 = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdSearch_Click();
    void cmdCancel_Click();
    void reject() override { cmdCancel_Click(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
};
