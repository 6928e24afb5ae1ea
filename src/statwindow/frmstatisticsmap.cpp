#include "statwindow/frmstatisticsmap.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/ctlselect.h"
#include "graphs/picturebox.h"
#include "platform/ui/fittinglabel.h"
#include "platform/ui/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
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

namespace {

// The designed geometry, in twips of the form unless a comment says otherwise.
constexpr int FormWidth = 15360;
constexpr int FormInnerHeight = 10560; // 11000 with the title bar
constexpr int ToolRowTop = 672;
constexpr int ToolButtonWidth = 1815;
constexpr int ToolButtonHeight = 375;
constexpr int EndButtonWidth = 975;
constexpr int StepTop = 1140;
constexpr int LeftColumn = 120;
constexpr int LeftWidth = 5235;
constexpr int PreviewTop = 5880;
constexpr int PreviewRight = 11400; // classification and statistics frames

QPushButton *button(const QString &caption, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLabel *label(const QString &caption, const QString &name, QWidget *parent)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

QGroupBox *frame(const QString &caption, const QString &name, QWidget *parent)
{
    auto *f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    return f;
}

} // namespace

QString frmStatisticsMap::meshDatabaseMessage()
{
    return QStringLiteral("地名データベースを開けませんでした：");
}

QString frmStatisticsMap::colorSaveMessage()
{
    return QStringLiteral("グラフの色を HanreiColor.ini に保存できませんでした。");
}

frmStatisticsMap::frmStatisticsMap(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setObjectName(QStringLiteral("frmStatisticsMap"));
    setWindowTitle(QStringLiteral("統計地図作成"));
    resize(veltra::ui::twipsToPixelsX(FormWidth), veltra::ui::twipsToPixelsY(FormInnerHeight));
    createControls();
    connectHandlers();
    Form_Load();
}

frmStatisticsMap::~frmStatisticsMap()
{
    // The preview's mouse filter reads this window's members; the children
    // deleted after this body would still send it their events.
    disconnectClassificationAndScatter();
}

void frmStatisticsMap::place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(veltra::ui::twipsToPixelsX(left), veltra::ui::twipsToPixelsY(top),
        veltra::ui::twipsToPixelsX(width), veltra::ui::twipsToPixelsY(height));
}

void frmStatisticsMap::createControls()
{
    createToolRow();
    createStepFrames();
    // The preview band: the frame first, so that the legend and the
    // classification frames lie over its right part.
    createPreview();
    createClassification();
}

void frmStatisticsMap::createToolRow()
{
    cmdObjClear = button(QStringLiteral("地図ｸﾞﾗﾌのクリア"), QStringLiteral("cmdObjClear"), this);
    cmdLoad = button(QStringLiteral("読み込み"), QStringLiteral("cmdLoad"), this);
    cmdSave = button(QStringLiteral("状態保存"), QStringLiteral("cmdSave"), this);
    chkObjMove = new QCheckBox(QStringLiteral("グラフ移動"), this);
    chkObjMove->setObjectName(QStringLiteral("chkObjMove"));
    cmdReSize = button(QStringLiteral("サイズ変更"), QStringLiteral("cmdReSize"), this);
    chkDataSansho = new QCheckBox(QStringLiteral("統計データ参照"), this);
    chkDataSansho->setObjectName(QStringLiteral("chkDataSansho"));
    int left = LeftColumn;
    for (QWidget *w : std::initializer_list<QWidget *>{cmdObjClear, cmdLoad, cmdSave, chkObjMove, cmdReSize, chkDataSansho}) {
        place(w, left, ToolRowTop, ToolButtonWidth, ToolButtonHeight);
        left += ToolButtonWidth + 5;
    }
    // The two check boxes look like buttons that stay pressed.
    for (QCheckBox *c : {chkObjMove, chkDataSansho})
        c->setStyleSheet(QStringLiteral("QCheckBox { border: 1px solid palette(mid); border-radius: 2px;"
                                        " padding-left: 6px; background: palette(button); }"
                                        "QCheckBox:checked { background: palette(midlight); }"));

    cmdMapOut = button(QStringLiteral("地図へ出力"), QStringLiteral("cmdMapOut"), this);
    place(cmdMapOut, left, ToolRowTop, 1500, ToolButtonHeight);
    cmdListOut = button(QStringLiteral("表へ出力"), QStringLiteral("cmdListOut"), this);
    place(cmdListOut, left + 1560, ToolRowTop, 1500, ToolButtonHeight);
    cmdReDisp = button(QStringLiteral("統計地図設定"), QStringLiteral("cmdReDisp"), this);
    place(cmdReDisp, left, ToolRowTop, ToolButtonWidth, ToolButtonHeight);
    cmdEnd = button(QStringLiteral("閉じる"), QStringLiteral("cmdEnd"), this);
    place(cmdEnd, FormWidth - LeftColumn - EndButtonWidth, ToolRowTop, EndButtonWidth, ToolButtonHeight);

    // The hidden test of reading an analysis header back.
    Command1 = button(QStringLiteral("CSV読込テスト"), QStringLiteral("Command1"), this);
    place(Command1, LeftColumn, 120, ToolButtonWidth, ToolButtonHeight);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    place(Text1, LeftColumn + ToolButtonWidth + 60, 150, 900, 315);
}

void frmStatisticsMap::createStepFrames()
{
    // Step 1: the areas.
    FrameAnaRange = frame(QStringLiteral("Step1：地域の選択"), QStringLiteral("FrameAnaRange"), this);
    place(FrameAnaRange, LeftColumn, StepTop, LeftWidth, 2700);
    for (int i = 0; i < 4; ++i) {
        cmdAreaSelect[i] = button(QString(), QStringLiteral("cmdAreaSelect_%1").arg(i), FrameAnaRange);
        place(cmdAreaSelect[i], 120 + i * 1260, 240, 1200, 555);
    }
    lstSelectAddr = new QTreeWidget(FrameAnaRange);
    lstSelectAddr->setObjectName(QStringLiteral("lstSelectAddr"));
    lstSelectAddr->setRootIsDecorated(false);
    lstSelectAddr->setColumnCount(0);
    place(lstSelectAddr, 120, 870, 4995, 1440);
    lblSelectCntCaption = label(QStringLiteral("地域数："), QStringLiteral("lblSelectCntCaption"), FrameAnaRange);
    place(lblSelectCntCaption, 120, 2370, 720, 255);
    lblSelectCnt = label(QString(), QStringLiteral("lblSelectCnt"), FrameAnaRange);
    place(lblSelectCnt, 840, 2370, 840, 255);
    lblArea = label(QString(), QStringLiteral("lblArea"), FrameAnaRange);
    place(lblArea, 1800, 2370, 1500, 255);

    // Step 2: the map kind, in three columns of three.
    FrameAnaWay = frame(QStringLiteral("Step2：地図の選択"), QStringLiteral("FrameAnaWay"), this);
    place(FrameAnaWay, LeftColumn, 3900, LeftWidth, 1920);
    const std::array<QString, 9> kinds{QStringLiteral("塗り分け地図"), QStringLiteral("円グラフ地図"),
        QStringLiteral("棒グラフ地図"), QStringLiteral("実数値地図"), QStringLiteral("シンボル地図"),
        QStringLiteral("ランキング地図"), QStringLiteral("人口ピラミッド"), QStringLiteral("流線図"),
        QStringLiteral("相関係数と散布図")};
    constexpr std::array<int, 3> columnLeft{120, 1620, 3300};
    constexpr std::array<int, 3> columnWidth{1500, 1680, 1860};
    optAnaUnitGroup = new QButtonGroup(this);
    for (int i = 0; i < 9; ++i) {
        m_optAnaUnit[i] = new QRadioButton(kinds[i], FrameAnaWay);
        m_optAnaUnit[i]->setObjectName(QStringLiteral("optAnaUnit_%1").arg(i));
        place(m_optAnaUnit[i], columnLeft[i / 3], 270 + (i % 3) * 330, columnWidth[i / 3], 300);
        optAnaUnitGroup->addButton(m_optAnaUnit[i], i);
    }
    cmdGraphCreate = button(QStringLiteral("グラフ作成"), QStringLiteral("cmdGraphCreate"), FrameAnaWay);
    place(cmdGraphCreate, 3300, 1320, 1815, 435);

    // Step 3: the items, the tree beside the item selector.
    FrameStatistic = frame(QStringLiteral("Step3：統計項目の選択"), QStringLiteral("FrameStatistic"), this);
    place(FrameStatistic, LeftColumn + LeftWidth + 120, StepTop, FormWidth - 2 * LeftColumn - LeftWidth - 120, 4680);
    treeStatistic = new QTreeWidget(FrameStatistic);
    treeStatistic->setObjectName(QStringLiteral("treeStatistic"));
    treeStatistic->setHeaderHidden(true);
    place(treeStatistic, 120, 240, 3720, 4320);
    m_ctlSelect = new ctlSelect(FrameStatistic);
    m_ctlSelect->setObjectName(QStringLiteral("ctlSelect"));
    place(m_ctlSelect, 3900, 240, 5825, 4400);
}

void frmStatisticsMap::createPreview()
{
    // FrameMap's place is set in pixels of the form (ResetGraphLayout).
    FrameMap = frame(QStringLiteral("地図の塗りわけ"), QStringLiteral("FrameMap"), this);
    m_picMap = new PictureBox(FrameMap);
    m_picMap->setObjectName(QStringLiteral("picMap"));
    m_picMap->setBackColor(Qt::white);
    place(m_picMap, 120, 240, 6135, 3735);

    // The bar graph's viewport and its scroll bar lie on the picture.
    m_picWaku = new PictureBox(m_picMap);
    m_picWaku->setObjectName(QStringLiteral("picWaku"));
    m_picWaku->setBorderStyle(0);
    m_picGraph = new PictureBox(m_picWaku);
    m_picGraph->setObjectName(QStringLiteral("picGraph"));
    m_picGraph->setBorderStyle(0);
    m_HScroll1 = new QScrollBar(Qt::Horizontal, m_picMap);
    m_HScroll1->setObjectName(QStringLiteral("HScroll1"));

    // The class bar with its boundary handle 0, and the scatter axis texts.
    m_shpBar = new QFrame(m_picMap);
    m_shpBar->setObjectName(QStringLiteral("shpBar"));
    static_cast<QFrame *>(m_shpBar)->setFrameStyle(QFrame::Box | QFrame::Plain);
    place(m_shpBar, 360, 3240, 5415, 45);
    auto *slider = new PictureBox(m_picMap);
    slider->setObjectName(QStringLiteral("picSlider_0"));
    slider->setBorderStyle(0);
    place(slider, 300, 3090, 165, 225);
    m_picSlider.push_back(slider);
    lblX = label(QString(), QStringLiteral("lblX"), m_picMap);
    lblX->setAlignment(Qt::AlignHCenter);
    richY = new veltra::statwindow::VerticalLabel(m_picMap);
    richY->setObjectName(QStringLiteral("richY"));
    place(richY, 60, 240, 540, 3000);

    lblCalcEnd = label(QStringLiteral("集計が完了しました。"), QStringLiteral("lblCalcEnd"), this);
    place(lblCalcEnd, 240, PreviewTop + 360, 3000, 255);
}

void frmStatisticsMap::createClassification()
{
    m_ctlLegend = new ctlLegend(this);
    m_ctlLegend->setObjectName(QStringLiteral("ctlLegend"));
    place(m_ctlLegend, 6480, PreviewTop + 240, 4620, 2565);
    m_ctlGradation = new ctlGradation(this);
    m_ctlGradation->setObjectName(QStringLiteral("ctlGradation"));
    place(m_ctlGradation, 6480, PreviewTop + 2880, 4800, 750);

    FrameHistoSelect = frame(QStringLiteral("地図の塗り分け"), QStringLiteral("FrameHistoSelect"), this);
    place(FrameHistoSelect, PreviewRight, PreviewTop + 240, 3840, 2340);
    const std::array<QString, 5> methods{QStringLiteral("属性値"), QStringLiteral("自然分類"),
        QStringLiteral("等量分類"), QStringLiteral("等間隔分類"), QStringLiteral("標準偏差分類")};
    for (int i = 0; i < 5; ++i) {
        m_optMethod[i] = new QRadioButton(methods[i], FrameHistoSelect);
        m_optMethod[i]->setObjectName(QStringLiteral("optMethod_%1").arg(i));
        place(m_optMethod[i], 120, 270 + i * 360, 1815, 300);
    }
    lblFuriwake = label(QStringLiteral("階級数："), QStringLiteral("lblFuriwake"), FrameHistoSelect);
    place(lblFuriwake, 2040, 270, 1200, 255);
    m_cmbFuriwake = new QComboBox(FrameHistoSelect);
    m_cmbFuriwake->setObjectName(QStringLiteral("cmbFuriwake"));
    place(m_cmbFuriwake, 2040, 570, 855, 315);
    cmdKoushin = button(QStringLiteral("更新"), QStringLiteral("cmdKoushin"), FrameHistoSelect);
    place(cmdKoushin, 2040, 1050, 1215, 375);
    lblMethodUser = label(QStringLiteral("ユーザ変更"), QStringLiteral("lblMethodUser"), FrameHistoSelect);
    place(lblMethodUser, 2040, 1590, 1500, 255);

    FrameBaseTokei = frame(QStringLiteral("基本統計量"), QStringLiteral("FrameBaseTokei"), this);
    place(FrameBaseTokei, PreviewRight, PreviewTop + 2640, 3840, 1380);
    const std::array<QString, 6> captions{QStringLiteral("平均値："), QStringLiteral("分　散："),
        QStringLiteral("標準偏差："), QStringLiteral("最大値："), QStringLiteral("最小値："),
        QStringLiteral("範囲：")};
    const std::array<QString, 6> names{QStringLiteral("lblAverage"), QStringLiteral("lblBunsan"),
        QStringLiteral("lblStandard"), QStringLiteral("lblMax"), QStringLiteral("lblMin"),
        QStringLiteral("lblRange")};
    std::array<QLabel *, 6> values{};
    for (int i = 0; i < 6; ++i) {
        const int left = i < 3 ? 120 : 1920;
        const int top = 270 + (i % 3) * 330;
        place(label(captions[i], names[i] + QStringLiteral("Caption"), FrameBaseTokei), left, top, 960, 255);
        // Figures are padded for a narrower font than ours: shrink, never cut.
        values[i] = new veltra::ui::FittingLabel(QString(), FrameBaseTokei);
        values[i]->setObjectName(names[i]);
        place(values[i], left + 960, top, 840, 255);
    }
    m_lblAverage = values[0];
    m_lblBunsan = values[1];
    m_lblStandard = values[2];
    m_lblMax = values[3];
    m_lblMin = values[4];
    m_lblRange = values[5];

    FrameKeisuu = frame(QStringLiteral("相関係数"), QStringLiteral("FrameKeisuu"), this);
    place(FrameKeisuu, PreviewRight, PreviewTop + 240, 3840, 720);
    m_lblKeisuu = label(QString(), QStringLiteral("lblKeisuu"), FrameKeisuu);
    place(m_lblKeisuu, 120, 300, 3600, 255);
}

void frmStatisticsMap::connectHandlers()
{
    connect(m_HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });

    for (int i = 0; i < 4; ++i)
        connect(cmdAreaSelect[i], &QPushButton::clicked, this, [this, i] { cmdAreaSelect_Click(i); });
    connect(lstSelectAddr, &QTreeWidget::itemDoubleClicked, this, [this] { lstSelectAddr_DblClick(); });
    for (int i = 0; i < 9; ++i)
        connect(m_optAnaUnit[i], &QRadioButton::released, this, [this, i] { optAnaUnit_MouseUp(i); });
    connect(cmdGraphCreate, &QPushButton::clicked, this, [this] { cmdGraphCreate_Click(); });
    connect(treeStatistic, &QTreeWidget::itemClicked, this, [this] { treeStatistic_Click(); });
    connect(cmdKoushin, &QPushButton::clicked, this, [this] { cmdKoushin_Click(); });
    connect(m_ctlLegend, &ctlLegend::ColorChange, this, &frmStatisticsMap::ctlLegend_ColorChange);
    connect(m_ctlLegend, &ctlLegend::RangeChange, this, &frmStatisticsMap::ctlLegend_RangeChange);
    connect(m_ctlGradation, &ctlGradation::GradationChange, this, &frmStatisticsMap::ctlGradation_GradationChange);
    connect(cmdMapOut, &QPushButton::clicked, this, [this] { cmdMapOut_Click(); });
    connect(cmdListOut, &QPushButton::clicked, this, [this] { cmdListOut_Click(); });
    connect(cmdReDisp, &QPushButton::clicked, this, [this] { cmdReDisp_Click(); });
    connect(chkDataSansho, &QCheckBox::clicked, this, [this] { chkDataSansho_Click(); });
    connect(chkObjMove, &QCheckBox::clicked, this, [this] { chkObjMove_Click(); });
    connect(cmdObjClear, &QPushButton::clicked, this, [this] { cmdObjClear_Click(); });
    connect(cmdReSize, &QPushButton::clicked, this, [this] { cmdReSize_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdLoad, &QPushButton::clicked, this, [this] { cmdLoad_Click(); });
    connectClassificationAndScatter();
}

QRadioButton *frmStatisticsMap::optMethod(std::int16_t index) const
{
    return index >= 0 && index < static_cast<std::int16_t>(m_optMethod.size()) ? m_optMethod[index] : nullptr;
}

QRadioButton *frmStatisticsMap::optAnaUnit(std::int16_t index) const
{
    return index >= 0 && index < static_cast<std::int16_t>(m_optAnaUnit.size()) ? m_optAnaUnit[index] : nullptr;
}

PictureBox *frmStatisticsMap::picSlider(std::int16_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_picSlider.size() ? m_picSlider[index] : nullptr;
}
