#pragma once
// frmSelectArea: the area list chooser ("地域の選択") of the statistics map
// window's Step 1.
//
// The user picks the area level (optAnaRange: 全国, 都道府県, 市区町村,
// 町丁字) and then areas from three lists side by side, filled from the
// place-name database: prefectures, the municipalities of the prefectures
// selected, the town blocks of the municipalities selected. "選択決定"
// raises SelectArea once per chosen area, in list order (every prefecture
// at 全国). Each list item carries its whole ancestry in hidden columns:
// text, X, Y, prefecture code and name, municipality code and name,
// town-block code and name (five, seven or nine texts by list).
//
// The statistics map window owns one instance (frmSel), modeless. It loads
// on its first show (its own database connection, the prefecture list) and
// stands 5500 twips below the statistics map window, at its left edge,
// whenever it is shown or activated. The title-bar close only hides it, so
// lists and selections stay; "閉じる" destroys it.
//
// A query that fails leaves the list with its columns only and shows one
// message naming the database and the reason.
#include "statdata/meshdatabase.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>

class frmPSYWait;
class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTreeWidget;

class frmSelectArea : public QWidget
{
    Q_OBJECT
public:
    // The message of a failed query or connection; the database's path and
    // the reason follow it.
    static QString queryFailedMessage();

    explicit frmSelectArea(QWidget *owner = nullptr);
    ~frmSelectArea() override;

    // The chosen level (index of the checked optAnaRange), 0 when none is.
    std::int32_t level() const;
    bool isLoaded() const { return m_loaded; }

    // ---- controls (named as designed)
    QGroupBox *FrameAnaRange = nullptr;
    std::array<QRadioButton *, 4> optAnaRange{};
    std::array<QTreeWidget *, 3> lstAddr{};
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdEnd = nullptr;

    // ---- event handlers
    void optAnaRange_Click(int Index);
    void lstAddr_Click(int Index);
    void cmdSelect_Click();
    void cmdEnd_Click();

signals:
    // One chosen area: its level and the column texts of its list item.
    void SelectArea(std::int32_t lngAnaRange, const QStringList &itmSel);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void placeBelowStatisticsMap();
    // Empties a list of its items and columns.
    static void emptyList(QTreeWidget *list);
    // Gives a list the columns of its row of the column table.
    static void addColumns(QTreeWidget *list, int row);
    bool fillPrefectures();
    // Refills `target` from the items selected in `clicked`; false (with
    // the message shown) when a query failed.
    bool fillFromSelection(int clicked, int target);
    void showQueryFailure(const QString &reason);

    QButtonGroup *m_levelGroup = nullptr;
    QString m_strDBPath;
    veltra::statdata::MeshDatabase m_cnMesh;
    QString m_openError;
    QPointer<frmPSYWait> m_frmWait;
    bool m_loaded = false;
    bool m_unloading = false;
};
