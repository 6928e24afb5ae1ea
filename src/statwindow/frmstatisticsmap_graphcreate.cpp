// Graph creation of the statistics map window ("グラフ作成"): the checks of
// the user's choices, the steps every kind shares, and the choropleth class
// histogram and the pie and bar previews.
//
// The whole run keeps the window disabled: it lets window messages through
// (the wait dialog, the reader), and a second command of the window started
// in the middle would rebuild the records the run is reading.
#include "statwindow/frmstatisticsmap.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmpsywait.h"
#include "statrender/clearstatmap.h"
#include "statwindow/globals.h"
#include "statwindow/frmselectarea.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/runscope.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <exception>
#include <stdexcept>

using namespace veltra::statwindow;

namespace {

// Details of a selector entry (GetSubItemData).
constexpr std::size_t DetailFolder = 1;
constexpr std::size_t DetailField = 2;

QString detail(const std::vector<QString> &details, std::size_t i)
{
    return i < details.size() ? details[i] : QString();
}

// The field of an item's values; -1 for a calculation template.
std::int32_t fieldNumber(const QString &text)
{
    if (text == QLatin1String("CALC"))
        return -1;
    return static_cast<std::int32_t>(veltra::vb::val(text));
}

// Keeps the window disabled and the wait dialog up for one run; both are
// put back however the run ends.
class GraphRunScope
{
public:
    GraphRunScope(QWidget *window, frmPSYWait *wait, bool &running)
        : m_run(window, running)
        , m_wait(wait)
    {
    }
    ~GraphRunScope() { hideWait(); }
    GraphRunScope(const GraphRunScope &) = delete;
    GraphRunScope &operator=(const GraphRunScope &) = delete;

    void showWait()
    {
        if (m_wait)
            m_wait->show();
        veltra::ui::DoEvents();
    }
    void hideWait()
    {
        if (m_wait)
            m_wait->hide();
    }

private:
    veltra::statwindow::RunScope m_run;
    QPointer<frmPSYWait> m_wait;
};

} // namespace

StatAreaReader &frmStatisticsMap::statAreaReader()
{
    if (!m_reader) {
        AnalyzerEngine1 = std::make_unique<veltra::analyzer::AnalyzerEngine>();
        m_calculation = std::make_unique<StatAreaCalculation>(*AnalyzerEngine1);
        m_reader = std::make_unique<StatAreaReader>(m_cnMesh);
        m_reader->setWindow(this);
        m_reader->setCalculation(m_calculation.get());
    }
    return *m_reader;
}

AreaSelection frmStatisticsMap::selectedAreas() const
{
    AreaSelection selection;
    selection.anaRange = m_lngAnaRange;
    for (int i = 0; i < lstSelectAddr->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = lstSelectAddr->topLevelItem(i);
        selection.entries.push_back(
            {row->text(PrefCodeColumn), row->text(CityCodeColumn), row->text(TownCodeColumn)});
    }
    return selection;
}

int frmStatisticsMap::chosenMapKind() const
{
    for (int i = 0; i < static_cast<int>(m_optAnaUnit.size()); ++i)
        if (m_optAnaUnit[static_cast<std::size_t>(i)]->isChecked())
            return i;
    return MapKindNuri;
}

void frmStatisticsMap::renewCompanions()
{
    delete m_frmTotalList.data();
    delete m_frmNotDatArea.data();
    m_frmTotalList = new frmTotalList(this);
    m_frmNotDatArea = new frmNotDatArea(this);
    m_frmTotalList->setVisible(false);
    m_frmNotDatArea->setVisible(false);
}

void frmStatisticsMap::listAreaWithoutData(const QString &areaName)
{
    m_frmNotDatArea->show();
    m_frmNotDatArea->Disp(areaName);
}

void frmStatisticsMap::cmdGraphCreate_Click()
{
    if (m_graphCreating)
        return;
    renewCompanions();

    // A list view always has a current entry once it holds one, so an empty
    // list is the case of no current entry.
    const int areaCount = lstSelectAddr->topLevelItemCount();
    const int mapKind = chosenMapKind();
    const QString refusal = graphCreateRefusal(areaCount, m_lngAnaRange, mapKind);
    if (!refusal.isEmpty()) {
        veltra::ui::MsgBox(refusal, veltra::ui::vbOKOnly);
        return;
    }

    if (frmSel)
        frmSel->hide();
    ResetGraphLayout();
    HidePreviewControls();
    for (QWidget *w : std::initializer_list<QWidget *>{cmdMapOut, cmdListOut, lblCalcEnd, m_ctlGradation})
        w->setVisible(false);

    GraphRun run;
    {
        GraphRunScope scope(this, m_frmWait, m_graphCreating);
        scope.showWait();
        try {
            ComPSY::PSY_UnloadLegendForms();
            FrameMap->setTitle(m_optAnaUnit[static_cast<std::size_t>(mapKind)]->text());
            run = runGraphKind(mapKind);
        } catch (const std::exception &e) {
            // The user's choices stay; the reason goes on a second line.
            QString message = cannotCreateMessage(mapKind);
            if (message.isEmpty())
                message = QStringLiteral("グラフを作成できませんでした。");
            run = {false, message + QLatin1Char('\n') + QString::fromUtf8(e.what())};
        }
        if (run.drawn) {
            cmdMapOut->setVisible(true);
            cmdListOut->setVisible(true);
        }
    }
    if (!run.message.isEmpty())
        veltra::ui::MsgBox(run.message, veltra::ui::vbOKOnly);
}

frmStatisticsMap::GraphRun frmStatisticsMap::runGraphKind(int mapKind)
{
    switch (mapKind) {
    case MapKindNuri:
        return createChoropleth();
    case MapKindPie:
    case MapKindBar:
        return createPieBar(mapKind);
    case MapKindValue:
    case MapKindSymbol:
    case MapKindRanking:
    case MapKindPyramid:
    case MapKindRyusen:
        return createValueKind(mapKind);
    case MapKindSanpuzu: {
        // The diagram shows its own output button; the two output buttons
        // come only with a false result (another kind chosen).
        QString message;
        const bool handled = scatterGraph(message);
        return {!handled, message};
    }
    default:
        // Every option has its branch above; nothing else reaches here.
        return {};
    }
}

std::optional<frmStatisticsMap::GraphRun> frmStatisticsMap::readValuesListingGaps(
    const std::vector<QString> &folders, std::int32_t count, const std::vector<std::int32_t> &columns,
    const QString &cannot)
{
    QString reason;
    if (!readItemValues(folders, count, columns, reason))
        return GraphRun{false, reason.isEmpty() ? cannot : cannot + QLatin1Char('\n') + reason};
    bool anyData = false;
    for (std::size_t i = 1; i < gtypStatArea.size(); ++i) {
        const StatArea &area = gtypStatArea[i];
        for (std::size_t k = 1; k < area.DataFlag.size(); ++k) {
            if (area.DataFlag[k] != 0)
                listAreaWithoutData(area.AreaName);
            else
                anyData = true;
        }
    }
    if (!anyData)
        return GraphRun{false, cannot};
    return std::nullopt;
}

bool frmStatisticsMap::readItemValues(const std::vector<QString> &folders, std::int32_t count,
    const std::vector<std::int32_t> &columns, QString &reason)
{
    StatAreaReader &reader = statAreaReader();
    const bool read = reader.ReadStatValues(selectedAreas(), folders, count, columns);
    reason = read ? QString() : reader.lastError();
    return read;
}

frmStatisticsMap::GraphRun frmStatisticsMap::createChoropleth()
{
    FrameMap->setTitle(QStringLiteral("ヒストグラム"));
    glngGraphKind = GraphKindNuri;

    // The denominator (list 1) goes with an item; without one nothing is drawn.
    if (m_ctlSelect->ListCount(0) == 0)
        return {false, QStringLiteral("グラフ作成する統計項目を選択して下さい。")};
    const std::int32_t t = m_ctlSelect->ListCount(1) > 0 ? 2 : 1;

    m_Graph->ChangeColorFlgInit();
    m_cmbFuriwake->clear();
    for (int i = 2; i <= 9; ++i)
        m_cmbFuriwake->addItem(QString::number(i));

    std::vector<QString> folders{QString()};
    std::vector<std::int32_t> columns{0};
    QString itemName;
    for (std::int32_t j = 0; j < t; ++j) {
        std::vector<QString> details;
        m_ctlSelect->GetSubItemData(j, 1, details);
        folders.push_back(detail(details, DetailFolder));
        columns.push_back(fieldNumber(detail(details, DetailField)));
        std::vector<QString> names;
        m_ctlSelect->GetItemData(j, names);
        if (j == 0) {
            itemName = names.front();
            m_Graph->SetNoticeName(itemName);
            m_ctlLegend->setLegendTitle(itemName);
        } else {
            m_Graph->SetCompName(names.front());
        }
    }

    const QString cannot = cannotCreateMessage(MapKindNuri);
    QString reason;
    if (!readItemValues(folders, t, columns, reason))
        return {false, reason.isEmpty() ? cannot : cannot + QLatin1Char('\n') + reason};

    int counted = 0;
    for (std::size_t i = 1; i < gtypStatArea.size(); ++i) {
        const StatArea &area = gtypStatArea[i];
        const std::size_t items = area.DataFlag.empty() ? 0 : area.DataFlag.size() - 1;
        if (items != 1 && items != 2)
            continue;
        bool hasData = area.DataFlag[1] == 0;
        if (items == 2)
            hasData = hasData && area.DataFlag[2] == 0;
        if (hasData)
            ++counted;
        else
            listAreaWithoutData(area.AreaName);
    }
    if (counted == 0)
        return {false, cannot};
    if (counted < 2)
        return {false, QStringLiteral("選択した地域では塗り分け地図の作成が出来ません")};

    for (QWidget *w : std::initializer_list<QWidget *>{m_ctlGradation, FrameBaseTokei, FrameHistoSelect, m_shpBar,
             m_picSlider[0], m_ctlLegend, FrameMap})
        w->setVisible(true);
    lblMethodUser->setVisible(false);
    m_picMap->Cls();
    m_Graph->SetCtlLegend(m_ctlLegend);
    m_Graph->Clear();
    m_Graph->setAutoRedraw(false);

    const bool withDenominator = t == 2;
    const std::int32_t calcKind = m_ctlSelect->CalcKind();
    for (std::size_t i = 1; i < gtypStatArea.size(); ++i) {
        StatArea &area = gtypStatArea[i];
        const double a = area.Value.size() > 1 ? statNumber(area.Value[1]) : 0;
        bool usable = area.DataFlag.size() > 1 && area.DataFlag[1] == 0;
        double value = a;
        if (withDenominator && area.Value.size() > 2) {
            usable = usable && area.DataFlag.size() > 2 && area.DataFlag[2] == 0;
            value = graphValue(a, statNumber(area.Value[2]), calcKind);
        }
        area.CalcValue.resize(2);
        if (usable) {
            area.CalcValue[1] = value;
            m_Graph->AddSegment(value, itemName,
                m_colors.graph[static_cast<std::size_t>(graphColorSlot(static_cast<std::int32_t>(i)))], 0);
        }
    }

    m_optMethod[3]->setChecked(true);
    m_intMethod = 3;
    m_intMethodChanged = 0;

    const std::int32_t k = sturgesClassCount(m_Graph->GraphCnt());
    m_cmbFuriwake->setCurrentIndex(std::min(k, 9) - 2);
    const auto c = static_cast<std::int16_t>(m_cmbFuriwake->currentText().toInt());
    m_intSliderCnt = c;
    m_intGradeNum = c;
    createSliders(c);

    m_Graph->SetGradeNum(c);
    m_Graph->DrawHistogram(&m_picMap->canvas(), m_picMap, false, QStringLiteral("1"), 0, QString());
    m_Graph->setAutoRedraw(true);
    return {true, QString()};
}

void frmStatisticsMap::createSliders(std::int16_t count)
{
    const QString path = veltra::fs::resolve(m_strAppPath + QStringLiteral("Slider.bmp"));
    const QImage picture(path);
    if (picture.isNull())
        throw std::runtime_error(
            QStringLiteral("境界つまみの画像を読み込めません：%1").arg(path).toStdString());
    unloadSliders();
    PictureBox *first = m_picSlider[0];
    first->setPicture(picture);
    for (std::int16_t i = 1; i <= count; ++i) {
        auto *handle = new PictureBox(first->parentWidget());
        handle->setObjectName(QStringLiteral("picSlider_%1").arg(i));
        handle->setBorderStyle(first->BorderStyle());
        handle->setGeometry(first->geometry());
        handle->setPicture(picture);
        handle->setVisible(true);
        m_picSlider.push_back(handle);
    }
}

frmStatisticsMap::GraphRun frmStatisticsMap::createPieBar(int mapKind)
{
    const bool bar = mapKind == MapKindBar;
    glngGraphKind = bar ? GraphKindBar : GraphKindPie;
    if (m_ctlSelect->ColorOrg()) {
        m_ctlSelect->ColorOrgDefault();
        SetDefaultColor(0);
    }
    if (!bar)
        m_picMap->Cls();
    m_Graph->Clear();
    m_Graph->setAutoRedraw(false);

    const std::int32_t n = m_ctlSelect->ListCount(0);
    if (n < 1)
        return {false, QStringLiteral("グラフ作成する統計項目を１つ以上選択して下さい。")};
    std::vector<QString> names;
    m_ctlSelect->GetItemData(0, names);
    std::vector<QString> folders{QString()};
    std::vector<std::int32_t> columns{0};
    std::vector<QString> itemNames{QString()};
    for (std::int32_t k = 1; k <= n; ++k) {
        std::vector<QString> details;
        m_ctlSelect->GetSubItemData(0, k, details);
        folders.push_back(detail(details, DetailFolder));
        columns.push_back(fieldNumber(detail(details, DetailField)));
        itemNames.push_back(detail(names, static_cast<std::size_t>(k - 1)));
    }

    const QString cannot = cannotCreateMessage(mapKind);
    if (auto refusal = readValuesListingGaps(folders, n, columns, cannot))
        return *refusal;

    std::int32_t added = 0;
    for (std::int32_t k = 1; k <= n; ++k) {
        const auto item = static_cast<std::size_t>(k);
        double sum = 0;
        bool itemHasData = false;
        for (std::size_t i = 1; i < gtypStatArea.size(); ++i) {
            const StatArea &area = gtypStatArea[i];
            if (item < area.Value.size())
                sum += statNumber(area.Value[item]);
            if (item < area.DataFlag.size() && area.DataFlag[item] == 0)
                itemHasData = true;
        }
        if (!itemHasData)
            continue;
        m_Graph->AddSegment(sum, itemNames[item], m_colors.graph[static_cast<std::size_t>(graphColorSlot(k))], 0);
        ++added;
    }
    if (added == 0)
        return {false, cannot};

    FrameMap->setVisible(true);
    if (!bar) {
        m_Graph->DrawPie(&m_picMap->canvas(), m_picMap, false);
        m_Graph->setAutoRedraw(true);
        return {true, QString()};
    }
    glngGraphKind = GraphKindBarAxis;
    m_Graph->DrawMemori(&m_picMap->canvas(), m_picMap, false);
    m_Graph->setAutoRedraw(true);
    for (QWidget *w : std::initializer_list<QWidget *>{m_picGraph, m_picWaku, m_HScroll1})
        w->setVisible(true);
    glngGraphKind = GraphKindBar;
    m_Graph->setAutoRedraw(false);
    m_Graph->DrawRectangle(&m_picGraph->canvas(), m_picGraph, false);
    m_Graph->setAutoRedraw(true);
    return {true, QString()};
}
