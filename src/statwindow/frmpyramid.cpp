// The population pyramid window: its controls, loading, properties, tool-bar
// buttons and closing. The draw is in frmpyramid_draw.cpp.
#include "statwindow/frmpyramid.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/ctllegend.h"
#include "graphs/picturebox.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/programfolder.h"
#include "statrender/clearstatmap.h"
#include "statrender/globals.h"
#include "statwindow/frmnotdatarea.h"
#include "statwindow/frmpsyresize.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindow/statmousemode.h"
#include "zorvik/widget/zorvik.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>

namespace {

using veltra::ui::twipsToPixelsX;
using veltra::ui::twipsToPixelsY;

// The designed client area: only the tool row shows.
constexpr int ClientWidth = 7560;
constexpr int ClientHeight = 675;

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

QPushButton *button(const QString &caption, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

const QStringList &frmPyramid::pyramidItems()
{
    static const QStringList items{QStringLiteral("年齢5歳階級別"), QStringLiteral("年齢各歳別(男女別)"),
        QStringLiteral("平成12年"), QStringLiteral("平成22年"), QStringLiteral("平成32年"),
        QStringLiteral("平成42年")};
    return items;
}

QString frmPyramid::scaleMessage()
{
    return QStringLiteral("地図縮尺を都道府県は1/250001以上、市区町村は1/10001～1/250000以下、町丁字は、1/"
                          "10000以下にしてください。");
}

QString frmPyramid::noRangeMessage()
{
    return QStringLiteral("分析範囲が選択されていません。");
}

QString frmPyramid::notPyramidItemMessage()
{
    return QStringLiteral("人口ピラミッドが表示できない統計項目です。");
}

QString frmPyramid::noItemListMessage()
{
    return QStringLiteral("指定した統計データ項目リストファイルがありません。");
}

QString frmPyramid::noDataKindMessage()
{
    return QStringLiteral("指定した分析単位のデータ種類がありません");
}

QString frmPyramid::noItemMessage()
{
    return QStringLiteral("指定した分析単位の統計項目はありません");
}

QString frmPyramid::nothingToDrawMessage()
{
    return QStringLiteral("指定した統計項目では人口ピラミッドの作成が出来ません");
}

frmPyramid::frmPyramid(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("frmPyramid"));
    setWindowTitle(QStringLiteral("人口ピラミッド"));
    createControls();
    Form_Load();
}

frmPyramid::~frmPyramid()
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
}

void frmPyramid::createControls()
{
    setFixedSize(twipsToPixelsX(ClientWidth), twipsToPixelsY(ClientHeight));
    cmdObjClear = button(QStringLiteral("地図ｸﾞﾗﾌのクリア"), QStringLiteral("cmdObjClear"), this);
    place(cmdObjClear, 240, 120, 1815, 375);
    cmdReSize = button(QStringLiteral("サイズ変更"), QStringLiteral("cmdReSize"), this);
    place(cmdReSize, 2280, 120, 1815, 375);
    // A check box with the look of a button that stays pressed.
    chkObjMove = new QCheckBox(QStringLiteral("グラフ移動"), this);
    chkObjMove->setObjectName(QStringLiteral("chkObjMove"));
    chkObjMove->setStyleSheet(QStringLiteral(
        "QCheckBox { border: 1px solid palette(mid); border-radius: 2px; background: palette(button); }"
        "QCheckBox:checked { background: palette(dark); }"
        "QCheckBox::indicator { width: 0; height: 0; }"));
    place(chkObjMove, 4320, 120, 1815, 375);
    cmdEnd = button(QStringLiteral("閉じる"), QStringLiteral("cmdEnd"), this);
    place(cmdEnd, 6360, 120, 975, 375);

    // The drawing surface and the legend lie below the visible area.
    m_picMap = new PictureBox(this);
    m_picMap->setObjectName(QStringLiteral("picMap"));
    m_picMap->setBackColor(Qt::white);
    place(m_picMap, 120, 1440, 6135, 4215);
    m_ctlLegend = new ctlLegend(this);
    m_ctlLegend->setObjectName(QStringLiteral("ctlLegend"));
    place(m_ctlLegend, 2640, 5880, 4815, 735);

    connect(cmdObjClear, &QPushButton::clicked, this, [this] { cmdObjClear_Click(); });
    connect(cmdReSize, &QPushButton::clicked, this, [this] { cmdReSize_Click(); });
    connect(chkObjMove, &QCheckBox::clicked, this, [this] { chkObjMove_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
}

void frmPyramid::Form_Load()
{
    // This window and the statistics map window exclude each other.
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));

    m_etcPath = gstrDataPath + QStringLiteral("etc\\");
    m_dbPath = gstrDataPath + QStringLiteral("DB\\");
    m_tempPImagePath = m_dbPath + QStringLiteral("TempPImage\\");
    const QString meshPath = veltra::statdata::MeshDatabase::pathInDataFolder(gstrDataPath);
    if (!m_cnMesh.open(meshPath))
        veltra::ui::MsgBox(frmStatisticsMap::meshDatabaseMessage() + meshPath, veltra::ui::vbExclamation);

    m_areaCodes.assign(1, QString());
    m_statisticalDataName.clear();
    m_startDate.clear();
    m_endDate.clear();
    m_anaRange = AnaRangeNone;

    m_Graph = std::make_unique<clsDrawGraph>();
    m_Graph->SetCtlLegend(m_ctlLegend);
    m_Graph->SetFormName(this);

    m_colors = veltra::statwindow::defaultPyramidColors();
    veltra::statwindow::readColorSection(veltra::statwindow::hanreiColorPath(veltra::shell::programFolder()),
        veltra::statwindow::pyramidColorSection(), m_colors.data(), veltra::statwindow::PyramidColorCount);

    m_frmWait = new frmPSYWait(this);
    m_frmWait->setVisible(false);
    m_frmNotDatArea = new frmNotDatArea(this);
    m_frmNotDatArea->setVisible(false);
}

void frmPyramid::setArea(const std::vector<QString> &strIn)
{
    m_areaCodes.assign(1, QString());
    for (std::size_t i = 1; i < strIn.size(); ++i) {
        const QString &code = strIn[i];
        if (code.trimmed().isEmpty())
            continue;
        if (std::find(m_areaCodes.begin() + 1, m_areaCodes.end(), code) == m_areaCodes.end())
            m_areaCodes.push_back(code);
    }
}

void frmPyramid::cmdObjClear_Click()
{
    ComPSY::PSY_ClearStatisticsMap(gobjZor, false);
    ComPSY::PSY_UnloadLegendForms();
}

void frmPyramid::cmdReSize_Click()
{
    auto *dialog = veltra::ui::form<frmPSYReSize>(static_cast<QWidget *>(this));
    dialog->show();
    dialog->raise();
}

void frmPyramid::chkObjMove_Click()
{
    if (chkObjMove->isChecked()) {
        veltra::statwindow::startStatisticsMouseMode(ModeMoveStatElements);
        gintPsyMoveState = 1;
    } else {
        // The mode stays current; only the engine's clicks stop reaching it.
        gintPsyMoveState = 0;
        if (gobjZor)
            gobjZor->setMouseEventMode(0);
    }
}

void frmPyramid::closeFromUser()
{
    if (chkObjMove->isChecked()) {
        chkObjMove->setChecked(false);
        chkObjMove_Click();
    }
    ComPSY::PSY_UnloadLegendForms();
    ComPSY::PSY_ClearStatisticsMap(gobjZor, false);
    gintStoryStepEnd = -1;
}

void frmPyramid::cmdEnd_Click()
{
    if (m_drawing)
        return;
    closeFromUser();
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmPyramid::Form_QueryUnload(int UnloadMode)
{
    if (UnloadMode == 0)
        closeFromUser();
}

void frmPyramid::closeEvent(QCloseEvent *event)
{
    // The close box waits for a running draw; the draw's own refusals close
    // the window from inside it.
    if (event->spontaneous() && m_drawing) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_QueryUnload(event->spontaneous() ? 0 : 1);
    Form_Unload();
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmPyramid::Form_Unload()
{
    delete m_frmWait.data();
    delete m_frmNotDatArea.data();
    m_Graph.reset();
    m_cnMesh.close();
    m_ctlLegend->Clear();
}
