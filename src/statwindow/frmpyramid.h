#pragma once
// frmPyramid: the population pyramid window ("人口ピラミッド").
//
// The operation room's pyramid command drives it: it shows the window, sets
// StatisticalDataName, StartGeneratDate, EndGeneratDate, ItemName, AnaRange
// and Area, and calls PyramidDraw. The window checks its inputs against the
// statistics item-list file, reads the age classes of every area, draws one
// pyramid picture per area off screen, writes one analysis pair and has
// every analysis of DB drawn on the map. Then it is a small tool bar: clear,
// resize, move, close. A refused draw shows its message and unloads the
// window.
//
// One instance (ui::form<frmPyramid>), modeless, owned by the main frame.
// Loading it closes the statistics map window. Closing it with 閉じる or
// the close box clears the statistics map with its files; other unloads
// (program exit) leave the map alone.
//
// The window is disabled while a draw runs: reading and drawing let window
// messages through, and a second draw or a button in the middle would
// change the records being written.
#include "graphs/graphowner.h"
#include "statdata/meshdatabase.h"
#include "statwindow/graphcolors.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class clsDrawGraph;
class ctlLegend;
class frmNotDatArea;
class frmPSYWait;
class QCheckBox;
class QPushButton;

class frmPyramid : public QWidget, public GraphOwner
{
    Q_OBJECT
public:
    // The items a pyramid can be drawn of.
    static const QStringList &pyramidItems();
    // The refusals, in the order PyramidDraw checks them.
    static QString scaleMessage();
    static QString noRangeMessage();
    static QString notPyramidItemMessage();
    static QString noItemListMessage(); // the file's path follows on a new line
    static QString noDataKindMessage();
    static QString noItemMessage();
    static QString nothingToDrawMessage();

    explicit frmPyramid(QWidget *owner = nullptr);
    ~frmPyramid() override;

    // ---- properties (the caller's order)
    void setStatisticalDataName(const QString &strIn) { m_statisticalDataName = strIn; }
    void setStartGeneratDate(const QString &strIn) { m_startDate = strIn; }
    void setEndGeneratDate(const QString &strIn) { m_endDate = strIn; }
    void setItemName(const QString &strIn) { m_itemName = strIn; }
    // Element 0 is ignored; each code not blank and not yet kept is kept, in
    // order; the list starts anew at every call.
    void setArea(const std::vector<QString> &strIn);
    // Draws, saves and outputs; see the class comment.
    void PyramidDraw();

    // ---- GraphOwner
    bool hasAnaRange() const override { return true; }
    std::int32_t AnaRange() const override { return m_anaRange; }
    void setAnaRange(std::int32_t lngNew) override { m_anaRange = lngNew; }
    PictureBox *picMap() const override { return m_picMap; }

    // ---- state, for the operation room and tests
    const std::vector<QString> &areaCodes() const { return m_areaCodes; } // from index 1
    std::int32_t pyramidColor(int index) const { return m_colors.at(static_cast<std::size_t>(index)); }
    const QString &eraLabel() const { return m_eraLabel; }
    bool isDrawing() const { return m_drawing; }
    frmNotDatArea *notDatArea() const { return m_frmNotDatArea; }

    // ---- controls (named as designed)
    QPushButton *cmdObjClear = nullptr;
    QPushButton *cmdReSize = nullptr;
    QCheckBox *chkObjMove = nullptr;
    QPushButton *cmdEnd = nullptr;
    ctlLegend *m_ctlLegend = nullptr;

    // ---- event handlers
    void cmdObjClear_Click();
    void cmdReSize_Click();
    void chkObjMove_Click();
    void cmdEnd_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void Form_Load();
    // UnloadMode 0 is the user's close from the title bar.
    void Form_QueryUnload(int UnloadMode);
    void Form_Unload();
    // The refusal of PyramidDraw: message, wait dialog hidden, unloaded.
    void refuse(const QString &message);
    // The checks and the reading; false when the draw was refused.
    bool prepareDraw(std::int32_t &classCount, QString &label1, QString &label2, bool &sizeFrame);
    // Lists the areas with no value; false when no area has any.
    bool listAreasWithoutData(std::int32_t classCount);
    void OutputPyramids(
        std::int32_t classCount, const QString &label1, const QString &label2, bool sizeFrame);
    // The pictures, the analysis pair and the map; `pointerBusy` follows the
    // hourglass it gives back.
    void writeAndDraw(std::int32_t classCount, const QString &label1, const QString &label2, bool sizeFrame,
        bool &pointerBusy);
    // Ends the move mode and the pop-ups and clears the map with its files.
    void closeFromUser();

    PictureBox *m_picMap = nullptr;

    QString m_statisticalDataName;
    QString m_startDate;
    QString m_endDate;
    QString m_itemName;
    std::int32_t m_anaRange = -1;
    std::vector<QString> m_areaCodes{QString()};
    std::array<std::int32_t, veltra::statwindow::PyramidColorCount + 1> m_colors{};
    QString m_eraLabel;
    QString m_etcPath;
    QString m_dbPath;
    QString m_tempPImagePath;

    veltra::statdata::MeshDatabase m_cnMesh;
    std::unique_ptr<clsDrawGraph> m_Graph;
    QPointer<frmPSYWait> m_frmWait;
    QPointer<frmNotDatArea> m_frmNotDatArea;
    bool m_drawing = false;
    bool m_unloaded = false;
};
