// Loading, set-up and closing of the statistics map window, and the two
// routines that put the preview back to its state without a graph.
#include "statwindow/frmstatisticsmap.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/ctlselect.h"
#include "graphs/picturebox.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/operationroom.h"
#include "shell/programfolder.h"
#include "statrender/clearstatmap.h"
#include "statrender/drawfromfiles.h"
#include "statwindow/frmselectarea.h"
#include "statwindow/globals.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTreeWidget>
#include <exception>

namespace {

using veltra::ui::twipsToPixelsX;
using veltra::ui::twipsToPixelsY;

// Designed sizes the set-up computes with, in twips.
constexpr int ToolRowTop = 672;
constexpr int LblXHeight = 195;
constexpr int LblXLeft = 2000;
constexpr int LblXWidth = 2400;
constexpr int WakuLeft = 660;
constexpr int WakuWidth = 5775;
constexpr int WakuHeight = 3400;
constexpr int GraphWidth = 10000;
constexpr int ScrollHeight = 265;
constexpr int PicMapTop = 240;
constexpr int PicMapHeight = 3735;
constexpr int PicMapWidth = 6135;
constexpr int AddressColumnWidth = 4500;

// Where ResetGraphLayout puts the preview frame, in pixels of the form.
constexpr int FrameMapLeftPx = 8;
constexpr int FrameMapTopPx = 392;
constexpr int FrameMapWidthPx = 1005;
constexpr int FrameMapHeightPx = 273;

int leftTwips(const QWidget *w)
{
    return static_cast<int>(veltra::ui::pixelsToTwipsX(w->x()));
}

int widthTwips(const QWidget *w)
{
    return static_cast<int>(veltra::ui::pixelsToTwipsX(w->width()));
}

void setTopTwips(QWidget *w, int top)
{
    w->move(w->x(), twipsToPixelsY(top));
}

void setLeftTwips(QWidget *w, int left)
{
    w->move(twipsToPixelsX(left), w->y());
}

} // namespace

template<typename Step> void frmStatisticsMap::runStep(const QString &what, Step step)
{
    try {
        step();
    } catch (const std::exception &e) {
        m_failedSteps << QStringLiteral("・%1：%2").arg(what, QString::fromUtf8(e.what()));
    }
}

void frmStatisticsMap::reportFailedSteps()
{
    if (m_failedSteps.isEmpty())
        return;
    const QString text = QStringLiteral("統計地図作成の画面で、次の処理ができませんでした。\n")
        + m_failedSteps.join(QLatin1Char('\n'));
    m_failedSteps.clear();
    veltra::ui::MsgBox(text, veltra::ui::vbExclamation);
}

void frmStatisticsMap::Form_Load()
{
    // The pyramid window and this one exclude each other.
    runStep(QStringLiteral("人口ピラミッド画面を閉じる"),
        [] { veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPyramid")); });

    m_strDBPath = gstrDataPath + QStringLiteral("DB\\");
    m_strEtcPath = gstrDataPath + QStringLiteral("etc\\");
    m_strSymbolPath = gstrDataPath + QStringLiteral("Symbol_Data\\");
    m_strTempPImagePath = m_strDBPath + QStringLiteral("TempPImage\\");
    m_strAppPath = veltra::shell::programFolder();

    // Without the place names only the area lists fail; the rest works.
    const QString meshPath = veltra::statdata::MeshDatabase::pathInDataFolder(gstrDataPath);
    if (!m_cnMesh.open(meshPath))
        veltra::ui::MsgBox(meshDatabaseMessage() + meshPath, veltra::ui::vbExclamation);

    runStep(QStringLiteral("描画一覧の初期化"), [] { ComPSY::ResetDrawIdLists(); });

    // The tool row of the full window: clear and load only.
    setTopTwips(cmdObjClear, ToolRowTop);
    cmdObjClear->setVisible(true);
    cmdLoad->move(twipsToPixelsX(leftTwips(cmdObjClear) + widthTwips(cmdObjClear) + 5), twipsToPixelsY(ToolRowTop));
    cmdLoad->setVisible(true);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdSave, chkObjMove, cmdReSize, chkDataSansho})
        w->setVisible(false);

    InitForm();
    Command1->setVisible(false);
    Text1->setVisible(false);
    reportFailedSteps();
}

void frmStatisticsMap::InitForm()
{
    runStep(QStringLiteral("グラフの準備"), [this] {
        m_Graph = std::make_unique<clsDrawGraph>();
        m_Graph->SetCtlLegend(m_ctlLegend);
        m_Graph->SetFormName(this);
        m_Graph->SetCtlSelect(m_ctlSelect);
        m_Graph->SetCtlGradation(m_ctlGradation);
    });

    m_shpBar->setVisible(false);
    m_picSlider[0]->setVisible(false);
    m_intSliderCnt = -1;
    m_ctlGradation->setVisible(false);
    runStep(QStringLiteral("色の階調の表示"), [this] { m_ctlGradation->InitDraw(); });

    m_optAnaUnit[0]->setChecked(true);
    m_lngAnaRange = AnaRangeNone;
    lblArea->setVisible(true);
    lblArea->clear();
    richY->setVisible(false);

    const int mapInnerHeight = static_cast<int>(veltra::ui::pixelsToTwipsY(m_picMap->contentsRect().height()));
    lblX->setVisible(false);
    place(lblX, LblXLeft, mapInnerHeight - LblXHeight - 10, LblXWidth, LblXHeight);
    m_picGraph->setVisible(false);
    m_picWaku->setVisible(false);
    place(m_picWaku, WakuLeft, 0, WakuWidth, WakuHeight);

    ResetGraphLayout();
    HidePreviewControls();

    m_cmbFuriwake->clear();
    for (int i = 2; i <= 9; ++i)
        m_cmbFuriwake->addItem(QString::number(i));

    // The bar graph is wider than its viewport and scrolls sideways (twips).
    place(m_picGraph, 0, 0, GraphWidth, WakuHeight);
    m_HScroll1->setVisible(false);
    place(m_HScroll1, WakuLeft, WakuHeight, WakuWidth, ScrollHeight);
    const int maximum = GraphWidth - WakuWidth + 10;
    const int largeChange = veltra::vb::cLng(maximum / 10.0);
    m_HScroll1->setRange(0, maximum);
    m_HScroll1->setPageStep(largeChange);
    m_HScroll1->setSingleStep(veltra::vb::cLng(largeChange / 10.0));

    m_ctlSelect->setSymbolPath(m_strSymbolPath);

    // The window's own wait dialog; the tallied list, the list of areas
    // without data and the area list chooser join it as they arrive.
    m_frmWait = new frmPSYWait(this);
    m_frmWait->setVisible(false);
    renewCompanions();
    ensureAreaChooser();

    for (QWidget *w : std::initializer_list<QWidget *>{cmdMapOut, cmdListOut, lblCalcEnd, cmdReDisp})
        w->setVisible(false);

    lstSelectAddr->setColumnCount(9);
    lstSelectAddr->setHeaderLabels({QStringLiteral("選択住所"), QStringLiteral("X"), QStringLiteral("Y"),
        QStringLiteral("都道府県コード"), QStringLiteral("都道府県"), QStringLiteral("市区町村コード"),
        QStringLiteral("市区町村"), QStringLiteral("町丁字コード"), QStringLiteral("町丁字")});
    lstSelectAddr->setColumnWidth(0, twipsToPixelsX(AddressColumnWidth));
    for (int c = 1; c < 9; ++c)
        lstSelectAddr->setColumnHidden(c, true);

    m_colors = {};
    SetDefaultColor(0);
    SetDefaultColor(1);
    runStep(QStringLiteral("グラフの色の読み込み"), [this] {
        const QString path = veltra::statwindow::hanreiColorPath(m_strAppPath);
        veltra::statwindow::readColorSection(
            path, veltra::statwindow::graphColorSection(), m_colors.graph.data(), veltra::statwindow::GraphColorCount);
        veltra::statwindow::readColorSection(path, veltra::statwindow::pyramidColorSection(),
            m_colors.pyramid.data(), veltra::statwindow::PyramidColorCount);
    });

    // The chosen item stays marked while the user works in the selector.
    QPalette treePalette = treeStatistic->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        treePalette.setColor(QPalette::Inactive, role, treePalette.color(QPalette::Active, role));
    treeStatistic->setPalette(treePalette);
    m_ctlSelect->setTreeCtl(this);

    cmdAreaSelect[0]->setText(QStringLiteral("地図上から\n地域選択"));
    cmdAreaSelect[1]->setText(QStringLiteral("地図表示\n画面の範囲"));
    cmdAreaSelect[2]->setText(QStringLiteral("地域リスト\nから選択"));
    cmdAreaSelect[3]->setText(QStringLiteral("地域の\nクリア"));
}

void frmStatisticsMap::Form_Unload()
{
    if (chkObjMove->isChecked()) {
        chkObjMove->setChecked(false);
        runStep(QStringLiteral("グラフ移動の終了"), [this] { chkObjMove_Click(); });
    }
    runStep(QStringLiteral("凡例画面を閉じる"), [] { ComPSY::PSY_UnloadLegendForms(); });
    runStep(QStringLiteral("統計地図のクリア"), [] { ComPSY::PSY_ClearStatisticsMap(gobjZor, false); });
    gintStoryStepEnd = -1;
    runStep(QStringLiteral("操作ルームの更新"), [] { veltra::shell::untickOpeRoomStatisticsMap(); });

    // A colour file that cannot be written keeps its old content; the
    // window still closes.
    const QString colorPath = veltra::statwindow::hanreiColorPath(m_strAppPath);
    QString error;
    if (!veltra::statwindow::writeGraphColors(colorPath, m_colors, &error))
        m_failedSteps << QStringLiteral("・%1\n%2\n%3").arg(colorSaveMessage(), colorPath, error);

    unloadSliders();
    delete m_frmWait.data();
    delete frmSel.data();
    m_Graph.reset();
    m_cnMesh.close();
    runStep(QStringLiteral("凡例の消去"), [this] { m_ctlLegend->Clear(); });
    runStep(QStringLiteral("統計項目の選択の終了"), [this] { m_ctlSelect->UserControl_Terminate(); });
    reportFailedSteps();
}

void frmStatisticsMap::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
    // The close box unloads as 閉じる does: the next use makes a new window.
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmStatisticsMap::SetDefaultColor(std::int32_t kind)
{
    if (kind == 0)
        m_colors.graph = veltra::statwindow::defaultGraphColors();
    else
        m_colors.pyramid = veltra::statwindow::defaultPyramidColors();
}

void frmStatisticsMap::ResetGraphLayout()
{
    for (QWidget *w : std::initializer_list<QWidget *>{FrameBaseTokei, FrameHistoSelect, FrameKeisuu, m_ctlGradation, FrameMap})
        w->setVisible(false);
    FrameMap->setGeometry(FrameMapLeftPx, FrameMapTopPx, FrameMapWidthPx, FrameMapHeightPx);
    m_picMap->setGeometry(m_picMap->x(), twipsToPixelsY(PicMapTop), twipsToPixelsX(PicMapWidth), twipsToPixelsY(PicMapHeight));
}

void frmStatisticsMap::HidePreviewControls()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_picGraph, m_picWaku, m_HScroll1, richY, lblX, FrameKeisuu,
             m_lblKeisuu, FrameBaseTokei, m_ctlGradation, FrameHistoSelect})
        w->setVisible(false);
    if (m_intSliderCnt > 0) {
        unloadSliders();
        m_intSliderCnt = -1;
    }
    m_shpBar->setVisible(false);
    m_picSlider[0]->setVisible(false);
}

void frmStatisticsMap::unloadSliders()
{
    while (m_picSlider.size() > 1) {
        delete m_picSlider.back();
        m_picSlider.pop_back();
    }
}

void frmStatisticsMap::HScroll1_Change()
{
    setLeftTwips(m_picGraph, -m_HScroll1->value());
}
