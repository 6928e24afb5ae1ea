#pragma once
// frmStatisticsMap: the statistics map window ("統計地図作成").
//
// The user builds one statistics map in three steps: the areas (Step 1),
// the map kind (Step 2) and the statistics items (Step 3); "グラフ作成" then
// draws a preview with the window's graph object m_Graph, the classification
// controls refine it, and the output buttons send it to the map or a table.
// After output the window shrinks to a one-row tool bar.
//
// One instance, created on first use (ui::form<frmStatisticsMap>), modeless
// and owned by the main frame. The constructor loads the window (Form_Load,
// InitForm): it closes the population pyramid window, opens its own
// connection to the place-name database, and leaves the wizard with the
// choropleth kind chosen, no areas, no preview and no output buttons. Closing
// (閉じる, the close box or unload) runs Form_Unload: the statistics map
// leaves the map with its files, the story step ends, the operation room's
// check box is unticked and the graph colours are written to
// HanreiColor.ini.
//
// Each step of loading and closing runs even when an earlier one failed; a
// failure is reported in one message at the end, so the window is never left
// half built for the handlers that use it later.
//
// The window is the graph's owner (GraphOwner: its labels, method buttons,
// class-count list, pictures and scroll bar are those the graph and the
// analysis files reach) and the host of the item selector's tree
// (StatisticsTree over treeStatistic).
//
// Geometry is in twips as designed; the form's inner width is 15360 and its
// height 11000 (title bar included). The preview frame FrameMap and its
// pictures keep the positions the graph routines set: FrameMap in pixels of
// the form, the pictures inside it in twips. The bar-graph scroll bar
// HScroll1 counts in twips.
#include "graphs/graphowner.h"
#include "graphs/statisticstree.h"
#include "statdata/meshdatabase.h"
#include "statwindow/graphcolors.h"
#include "statwindow/frmnotdatarea.h" // graph creation
#include "statwindow/frmtotallist.h" // graph creation
#include "statwindow/statareacalculation.h" // graph creation
#include "statwindow/statareareader.h" // graph creation
#include "statwindow/selectedarealist.h"
#include "statwindow/statarea.h" // the ranking sort
#include "statwindow/statistictree.h"
#include "statwindow/verticallabel.h" // classification and scatter

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class clsDrawGraph;
class ctlGradation;
class ctlLegend;
class ctlSelect;
class frmPSYWait;
class frmSelectArea;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

class frmStatisticsMap : public QWidget, public GraphOwner, public StatisticsTree
{
    Q_OBJECT
public:
    // The message shown when the place-name database does not open; the
    // database's path follows it.
    static QString meshDatabaseMessage();
    // The message shown when the graph colours could not be saved.
    static QString colorSaveMessage();

    explicit frmStatisticsMap(QWidget *owner = nullptr);
    ~frmStatisticsMap() override;

    // ---- public members
    std::unique_ptr<clsDrawGraph> m_Graph; // released at unload

    // The area level of the selected areas (AnaRangeNone to AnaRangeTown);
    // setting it passes it on to the item selector.
    bool hasAnaRange() const override { return true; }
    std::int32_t AnaRange() const override { return m_lngAnaRange; }
    void setAnaRange(std::int32_t lngNew) override;

    // Rebuilds the item tree for the current level and map kind from the
    // year-management file and the item lists, hands the selector's chosen
    // entries the attributes of the rebuilt nodes and withdraws the preview.
    void CreateStatisticTree();

    // The key of a node of treeStatistic ("S0", "S0T", "S0TC1", "S0TC1D1").
    static QString treeNodeKey(const QTreeWidgetItem *node);
    // The item stored under a node key; null when none.
    std::shared_ptr<const clsStatisticsItem> statisticsItem(const QString &key) const;
    // The year entries of the last rebuild, the empty one at the end included.
    const std::vector<veltra::statwindow::StatYearEntry> &yearList() const { return m_typYearList; }

    // ---- window state, for the handlers and tests
    std::int16_t sliderCount() const { return m_intSliderCnt; }
    std::int32_t graphColor(int index) const { return m_colors.graph.at(index); }
    std::int32_t pyramidColor(int index) const { return m_colors.pyramid.at(index); }
    const QString &dbPath() const { return m_strDBPath; }
    const QString &etcPath() const { return m_strEtcPath; }
    const QString &symbolPath() const { return m_strSymbolPath; }
    const QString &tempPImagePath() const { return m_strTempPImagePath; }
    const QString &appPath() const { return m_strAppPath; }
    veltra::statdata::MeshDatabase &meshDatabase() { return m_cnMesh; }

    // ---- GraphOwner
    QLabel *lblAverage() const override { return m_lblAverage; }
    QLabel *lblBunsan() const override { return m_lblBunsan; }
    QLabel *lblStandard() const override { return m_lblStandard; }
    QLabel *lblMax() const override { return m_lblMax; }
    QLabel *lblMin() const override { return m_lblMin; }
    QLabel *lblRange() const override { return m_lblRange; }
    QRadioButton *optMethod(std::int16_t index) const override;
    QComboBox *cmbFuriwake() const override { return m_cmbFuriwake; }
    PictureBox *picMap() const override { return m_picMap; }
    PictureBox *picSlider(std::int16_t index) const override;
    QWidget *shpBar() const override { return m_shpBar; }
    QLabel *lblKeisuu() const override { return m_lblKeisuu; }
    QScrollBar *HScroll1() const override { return m_HScroll1; }
    PictureBox *picWaku() const override { return m_picWaku; }
    PictureBox *picGraph() const override { return m_picGraph; }
    QRadioButton *optAnaUnit(std::int16_t index) const override;

    // ---- StatisticsTree
    std::optional<StatisticsTreeNode> SelectedItem() const override;

    // ---- controls (named as designed)
    QGroupBox *FrameAnaRange = nullptr;
    std::array<QPushButton *, 4> cmdAreaSelect{};
    QTreeWidget *lstSelectAddr = nullptr;
    QLabel *lblSelectCntCaption = nullptr; // "地域数："
    QLabel *lblSelectCnt = nullptr;
    QLabel *lblArea = nullptr;
    QGroupBox *FrameAnaWay = nullptr;
    QButtonGroup *optAnaUnitGroup = nullptr;
    QPushButton *cmdGraphCreate = nullptr;
    QGroupBox *FrameStatistic = nullptr;
    QTreeWidget *treeStatistic = nullptr;
    ctlSelect *m_ctlSelect = nullptr; // ctlSelect
    QGroupBox *FrameMap = nullptr;
    QLabel *lblX = nullptr;
    veltra::statwindow::VerticalLabel *richY = nullptr;
    QGroupBox *FrameHistoSelect = nullptr;
    QLabel *lblFuriwake = nullptr; // "階級数："
    QPushButton *cmdKoushin = nullptr;
    QLabel *lblMethodUser = nullptr;
    QGroupBox *FrameBaseTokei = nullptr;
    QGroupBox *FrameKeisuu = nullptr;
    ctlLegend *m_ctlLegend = nullptr; // ctlLegend
    ctlGradation *m_ctlGradation = nullptr; // ctlGradation
    QPushButton *cmdMapOut = nullptr;
    QPushButton *cmdListOut = nullptr;
    QLabel *lblCalcEnd = nullptr;
    QPushButton *cmdReDisp = nullptr;
    QPushButton *cmdEnd = nullptr;
    QCheckBox *chkDataSansho = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdLoad = nullptr;
    QCheckBox *chkObjMove = nullptr;
    QPushButton *cmdObjClear = nullptr;
    QPushButton *cmdReSize = nullptr;
    QPushButton *Command1 = nullptr;
    QLineEdit *Text1 = nullptr;

    // ---- event handlers
    void HScroll1_Change();
    // Reads the analysis header "tempheader" + Text1 + ".CSV" of DB back into
    // the window (a test of the reader; the button is hidden).
    void Command1_Click();
    void cmdEnd_Click();

    // Handlers whose work belongs to the area selection, graph creation,
    // classification, output and tool-bar code.
    void cmdAreaSelect_Click(int Index);
    void lstSelectAddr_DblClick();
    void optAnaUnit_MouseUp(int Index);
    void cmdGraphCreate_Click();
    void treeStatistic_Click();
    void cmdKoushin_Click();
    void ctlLegend_ColorChange(std::int16_t intIndex, std::int32_t lngColor);
    void ctlLegend_RangeChange(std::int16_t intIndex, const QString &IjyouData, const QString &MimanData);
    void ctlGradation_GradationChange();
    void cmdMapOut_Click();
    void cmdListOut_Click();
    void cmdReDisp_Click();
    void chkDataSansho_Click();
    void chkObjMove_Click();
    void cmdObjClear_Click();
    void cmdReSize_Click();
    void cmdSave_Click();
    void cmdLoad_Click();

    // ---- graph creation
public:
    // The window's tallied list and list of areas without data; graph
    // creation replaces both with new, empty ones at every run.
    frmTotalList *totalList() const { return m_frmTotalList; }
    frmNotDatArea *notDatArea() const { return m_frmNotDatArea; }
    // The value reader of the last graph (its code list serves map output).
    veltra::statwindow::StatAreaReader &statAreaReader();

private:
    // What a kind's branch of graph creation ended with: drawn (the output
    // buttons are offered) or not, and the message to show, if any.
    struct GraphRun
    {
        bool drawn = false;
        QString message;
    };
    // The selected-area list as the readers take it.
    veltra::statwindow::AreaSelection selectedAreas() const;
    // The lowest checked map-kind option; 0 when none is.
    int chosenMapKind() const;
    // Replaces the tallied list and the list of areas without data with new,
    // hidden instances.
    void renewCompanions();
    GraphRun runGraphKind(int mapKind);
    GraphRun createChoropleth();
    GraphRun createPieBar(int mapKind);
    // Reads the items' values for the selected areas; false with the
    // reader's reason (empty when nothing was found).
    bool readItemValues(const std::vector<QString> &folders, std::int32_t count,
        const std::vector<std::int32_t> &columns, QString &reason);
    // Shows the list of areas without data and adds the area to it.
    void listAreaWithoutData(const QString &areaName);
    // Reads the items' values and lists every area lacking one; the run's
    // refusal (`cannot`, with the reader's reason when reading failed) when
    // the reading fails or no area has a value, else nothing.
    std::optional<GraphRun> readValuesListingGaps(const std::vector<QString> &folders, std::int32_t count,
        const std::vector<std::int32_t> &columns, const QString &cannot);
    // Loads Slider.bmp into handle 0 and creates handles 1..count with it.
    void createSliders(std::int16_t count);

    QPointer<frmTotalList> m_frmTotalList;
    QPointer<frmNotDatArea> m_frmNotDatArea;
    std::unique_ptr<veltra::analyzer::AnalyzerEngine> AnalyzerEngine1;
    std::unique_ptr<veltra::statwindow::StatAreaCalculation> m_calculation;
    std::unique_ptr<veltra::statwindow::StatAreaReader> m_reader;
    bool m_graphCreating = false;
    // ---- end of graph creation

public:
    // tool bar and statistics map files
    // Loads the statistics map file sFileName into DB and draws it over what
    // is drawn (mode 99): no question, no clearing, no change of layout.
    void MP_ReadFileOnDraw(const QString &sFileName);
    // The compact tool bar: the commands in one row at the top, the step
    // frames hidden, the window heightTwips high with its title bar.
    void ShowCompactToolBar(int heightTwips);

    // value, symbol, ranking, pyramid and flow kinds
public:
    // Sorts areas[first..last] in place on Value(1) (0 when missing),
    // ascending or descending; equal values keep the order the partitioning
    // gives them, which the ranking shows.
    static void QuickSort2Value(std::vector<StatArea> &areas, std::int32_t first, std::int32_t last, bool ascending);
    // The age-class names of the last pyramid, entries 1 to its classes.
    const std::vector<QString> &ageClassNames() const { return m_strAgeClassName; }

private:
    // Graph creation of the real-value, symbol, ranking, pyramid and flow
    // kinds; a failure becomes the kind's message with its reason.
    GraphRun createValueKind(int mapKind);
    // Real value, symbol and ranking: values tallied, nothing drawn.
    GraphRun createTallyKind(int mapKind);
    GraphRun createPyramid();
    GraphRun createFlow();
    // ---- end of value, symbol, ranking, pyramid and flow kinds

    // classification and scatter
public:
    // The scatter diagram of map kind 8 ("相関係数と散布図"); false when another
    // kind is chosen (the normal layout restored), true otherwise, whether
    // the diagram was drawn or a message was shown.
    bool CreateScatterGraph();
    // Method option Index released (the option already selected).
    void optMethod_MouseUp(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    // A boundary handle dragged or released; X and Y in twips within the
    // handle, Button the VB button code (1 left, 2 right, 4 middle).
    void picSlider_MouseMove(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void picSlider_MouseUp(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    // A click on the preview; X and Y in twips of picMap.
    void picMap_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    std::int16_t gradeNum() const { return m_intGradeNum; }
    std::int16_t method() const { return m_intMethod; }
    std::int16_t methodChanged() const { return m_intMethodChanged; }

private:
    // Turns mouse events of picMap and the boundary handles (also those
    // made later) into the handlers above.
    class PreviewMouse;
    void connectClassificationAndScatter();
    // Removes the preview's mouse filter (before the window's children go).
    void disconnectClassificationAndScatter();
    // The common rebuild of the class display for n classes; `redraw` runs
    // with the graph's AutoRedraw off.
    template <typename Redraw> void rebuildClassDisplay(std::int16_t n, Redraw redraw);
    // The number in cmbFuriwake; nullopt when its text is blank.
    std::optional<std::int16_t> comboClassCount() const;
    // Left edge and width of a control, in twips of its parent.
    static double twipsLeft(const QWidget *w);
    static double twipsWidth(const QWidget *w);
    // The scatter diagram; false with nothing else done when another kind
    // is chosen. The message to show goes into `message`.
    bool scatterGraph(QString &message);
    // The preview frame and picture in the normal or the scatter layout.
    void setScatterLayout(bool scatter);
    void showScatterFailure();
    PreviewMouse *m_previewMouse = nullptr;
    // ---- end of classification and scatter

    // map output
private:
    // The steps of an output between the wait dialog and the compact row:
    // pyramid pictures, the analysis pair, the map drawn again.
    void writeAndDrawOutput(int mapKind);
    // Puts the wizard and the window's position back after a failed output
    // and shows why in the "中止" box.
    void recoverFromOutputFailure(int code, const QString &description, int leftBefore);
    bool m_mapOutputRunning = false;
    bool m_outputPointerBusy = false; // the hourglass of the output is up
    // ---- end of map output

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createStepFrames();
    void createPreview();
    void createClassification();
    void createToolRow();
    void connectHandlers();

    void Form_Load();
    void InitForm();
    void Form_Unload();
    void SetDefaultColor(std::int32_t kind);
    void ResetGraphLayout();
    void HidePreviewControls();
    // Unloads the run-time boundary handles picSlider(1..m_intSliderCnt).
    void unloadSliders();

    // The item tree.
    void ReadYearList();
    void BuildStatisticTree();
    // Adds the data kinds of one statistics under its node.
    void addDataKinds(
        QTreeWidgetItem *statNode, const veltra::statwindow::StatYearEntry &year, const QString &unit);
    void RelinkSelectedItems();
    // The first selectable node an entry of the selector was made from.
    QTreeWidgetItem *findEntryNode(const std::vector<QString> &details) const;
    void AddStatisticsItem(const QString &key, std::vector<QVariant> values);
    void ClearStatisticsItems();
    // The top-level node whose text occurs within `text` (without case); a
    // data kind or item is never taken for an era year.
    static QTreeWidgetItem *FindTreeNode(QTreeWidget *tree, const QString &text);

    // Runs one step of loading or closing; a failure is kept for the report.
    template <typename Step> void runStep(const QString &what, Step step);
    // Shows the failures kept since the last report, in one message.
    void reportFailedSteps();

    // Places a control by its designed twips.
    static void place(QWidget *control, int left, int top, int width, int height);

    // Preview surfaces and classification controls behind GraphOwner.
    PictureBox *m_picMap = nullptr;
    PictureBox *m_picWaku = nullptr;
    PictureBox *m_picGraph = nullptr;
    QScrollBar *m_HScroll1 = nullptr;
    QWidget *m_shpBar = nullptr;
    std::vector<PictureBox *> m_picSlider; // element 0 designed, 1.. at run time
    std::array<QRadioButton *, 9> m_optAnaUnit{};
    std::array<QRadioButton *, 5> m_optMethod{};
    QComboBox *m_cmbFuriwake = nullptr;
    QLabel *m_lblAverage = nullptr;
    QLabel *m_lblBunsan = nullptr;
    QLabel *m_lblStandard = nullptr;
    QLabel *m_lblMax = nullptr;
    QLabel *m_lblMin = nullptr;
    QLabel *m_lblRange = nullptr;
    QLabel *m_lblKeisuu = nullptr;

    veltra::statdata::MeshDatabase m_cnMesh;
    std::int16_t m_intSliderCnt = -1;
    std::int16_t m_intGradeNum = 0;
    std::int16_t m_intMethod = 0;
    std::int16_t m_intMethodChanged = 0;
    veltra::statwindow::GraphColors m_colors; // m_lngGraphColor, m_lngPyramidColor
    std::int32_t m_lngAnaRange = -1;
    QString m_strEtcPath;
    QString m_strDBPath;
    QString m_strSymbolPath;
    QString m_strTempPImagePath;
    QString m_strAppPath;
    std::vector<QString> m_strAgeClassName; // entries 1..classes
    QPointer<frmPSYWait> m_frmWait;
    std::vector<veltra::statwindow::StatYearEntry> m_typYearList{veltra::statwindow::StatYearEntry{}};
    std::map<QString, std::shared_ptr<const clsStatisticsItem>> m_colStatItems; // by node key

    QStringList m_failedSteps;
    bool m_unloaded = false;

    // ---- areas from lists
public:
    // The area list chooser; created by the set-up, null after its "閉じる"
    // until button 2 shows a new one.
    QPointer<frmSelectArea> frmSel;
    // One area chosen in the chooser (itmSel: the item's column texts; none
    // for a change of level only): lists it once at that level, emptying the
    // list and rebuilding the item tree when the level changes.
    void frmSel_SelectArea(std::int32_t lngAnaRange, const QStringList &itmSel);
    // Adds the areas of address lines (element 0 a placeholder) at the
    // current level, yielding to the event loop per line at levels 2 and 3
    // and stopping when the wait dialog's cancel is requested.
    void SetAddrList(std::vector<QString> lines);
    static void QuickSort2Address(std::vector<QString> &strArray, std::int32_t lngStart, std::int32_t lngEnd);
    // The entries lstSelectAddr shows, row for row.
    const veltra::statwindow::SelectedAreaList &selectedAreaList() const { return m_selectedAreas; }

private:
    void ensureAreaChooser();
    void appendSelectedAreaItem(const veltra::statwindow::SelectedAreaEntry &entry);
    void clearSelectedAreas();
    void showSelectCount();
    veltra::statwindow::SelectedAreaList m_selectedAreas;

    // areas from the map
private:
    // Button 0: the list emptied, the window hidden, the map's area
    // selection mode started.
    void selectAreasOnMap();
    // Button 1: the list emptied, the level asked, every area of that level
    // in the current view listed.
    void selectAreasInView();
};
