// Graph creation of the kinds that the map output draws from the tallied
// records alone (real value, symbol, ranking, flow) and of the population
// pyramid, whose preview is the pyramid of all selected areas together.
#include "statwindow/frmstatisticsmap.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/pyramidcreate.h"

#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>
#include <exception>

using namespace veltra::statwindow;

namespace {

// The one segment of a kind without a preview: blue, RGB(0, 0, 255) as the
// graph stores colours (&H00BBGGRR).
constexpr std::int32_t TallyBlue = 0xFF0000;

// Details of a selector entry (GetSubItemData).
constexpr std::size_t DetailName = 0;
constexpr std::size_t DetailFolder = 1;
constexpr std::size_t DetailField = 2;
constexpr std::size_t DetailClasses = 3;
constexpr std::size_t DetailLeftField = 4;
constexpr std::size_t DetailRightField = 5;
constexpr std::size_t DetailListFile = 6;
constexpr std::size_t DetailLeftName = 7;
constexpr std::size_t DetailRightName = 8;
// A pyramid item names its folder, field, classes and first fields at least.
constexpr std::size_t PyramidDetailsNeeded = 6;

// Where the pyramid preview goes: FrameMap in pixels of the form (as the
// window places it), picMap's height in twips.
constexpr int PyramidFrameTopPx = 362;
constexpr int PyramidFrameHeightPx = 303;
constexpr int PyramidPicHeight = 4185;

QString detail(const std::vector<QString> &details, std::size_t i)
{
    return i < details.size() ? details[i] : QString();
}

std::int32_t number(const QString &text)
{
    return static_cast<std::int32_t>(veltra::vb::val(text));
}

// The kind's message, with the reader's reason on a second line when
// reading failed rather than found nothing.
QString withReason(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

// The folder and field of each item of list 0, from index 1.
struct TallyItems
{
    std::vector<QString> folders{QString()};
    std::vector<QString> fields{QString()};
};

// The kinds drawn from the tallied records alone (and the flow) have no
// preview: the graph holds one blue segment named after the first item.
TallyItems startTally(const ctlSelect &select, clsDrawGraph &graph, std::int32_t itemCount)
{
    std::vector<QString> names;
    select.GetItemData(0, names);
    graph.Clear();
    graph.setAutoRedraw(false);
    graph.AddSegment(0, detail(names, 0), TallyBlue, 0);

    TallyItems items;
    for (std::int32_t k = 1; k <= itemCount; ++k) {
        std::vector<QString> details;
        select.GetSubItemData(0, k, details);
        items.folders.push_back(detail(details, DetailFolder));
        items.fields.push_back(detail(details, DetailField));
    }
    return items;
}

} // namespace

frmStatisticsMap::GraphRun frmStatisticsMap::createValueKind(int mapKind)
{
    try {
        switch (mapKind) {
        case MapKindPyramid:
            return createPyramid();
        case MapKindRyusen:
            return createFlow();
        default:
            return createTallyKind(mapKind);
        }
    } catch (const std::exception &e) {
        return {false, withReason(cannotCreateMessage(mapKind), QString::fromUtf8(e.what()))};
    }
}

frmStatisticsMap::GraphRun frmStatisticsMap::createTallyKind(int mapKind)
{
    glngGraphKind = mapKind == MapKindValue ? GraphKindValue
        : mapKind == MapKindSymbol          ? GraphKindSymbol
                                            : GraphKindRanking;
    const std::int32_t n = m_ctlSelect->ListCount(0);
    if (n < 1)
        return {false, QStringLiteral("グラフ作成する統計項目を１つ以上選択して下さい。")};
    if (mapKind == MapKindSymbol && m_ctlSelect->SymbolListCount() < 1)
        return {false, QStringLiteral("シンボルファイルを選択して下さい。")};

    const TallyItems items = startTally(*m_ctlSelect, *m_Graph, n);
    std::vector<std::int32_t> columns{0};
    for (std::int32_t k = 1; k <= n; ++k) {
        const QString &field = items.fields[static_cast<std::size_t>(k)];
        columns.push_back(field == QLatin1String("CALC") ? -1 : number(field));
    }

    if (auto refusal = readValuesListingGaps(items.folders, n, columns, cannotCreateMessage(mapKind)))
        return *refusal;

    if (mapKind == MapKindRanking) {
        const auto last = static_cast<std::int32_t>(gtypStatArea.size()) - 1;
        QuickSort2Value(gtypStatArea, 1, last, m_ctlSelect->RankKind() == 0);
    }
    FrameMap->setVisible(false);
    lblCalcEnd->setVisible(true);
    return {true, QString()};
}

frmStatisticsMap::GraphRun frmStatisticsMap::createPyramid()
{
    FrameMap->setGeometry(FrameMap->x(), PyramidFrameTopPx, FrameMap->width(), PyramidFrameHeightPx);
    m_picMap->resize(m_picMap->width(), veltra::ui::twipsToPixelsY(PyramidPicHeight));
    glngGraphKind = GraphKindPyramid;
    if (m_ctlSelect->ColorOrg()) {
        m_ctlSelect->ColorOrgDefault();
        SetDefaultColor(1);
    }
    m_picMap->Cls();
    m_Graph->Clear();
    m_Graph->setAutoRedraw(false);

    if (m_ctlSelect->ListCount(0) != 1)
        return {false, QStringLiteral("グラフ作成する統計項目を選択して下さい。")};
    std::vector<QString> details;
    m_ctlSelect->GetSubItemData(0, 1, details);
    if (details.size() < PyramidDetailsNeeded)
        return {false, QStringLiteral("グラフ作成する統計項目を再選択して下さい。")};

    const QString itemName = detail(details, DetailName);
    const std::int32_t classes = number(detail(details, DetailClasses));
    const std::int32_t leftField = number(detail(details, DetailLeftField));
    const std::int32_t rightField = number(detail(details, DetailRightField));
    // The single-year table has too many rows for outlined bars.
    const bool outerFrame = !itemName.contains(QStringLiteral("年齢各歳別(男女別)"));

    StatAreaReader &reader = statAreaReader();
    reader.ReadPyramidValues(
        selectedAreas(), {QString(), detail(details, DetailFolder)}, classes, leftField, rightField);
    const QString cannot = cannotCreateMessage(MapKindPyramid);
    if (!reader.lastError().isEmpty())
        return {false, withReason(cannot, reader.lastError())};

    bool anyData = false;
    for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
        const StatArea &area = gtypStatArea[r];
        bool areaData = false;
        for (std::size_t j = 1; j <= static_cast<std::size_t>(std::max(classes, 0)); ++j) {
            const bool flagged = j >= area.DataFlag.size() || area.DataFlag[j] != 0;
            if (flagged)
                listAreaWithoutData(area.AreaName);
            else if ((j < area.ManValue.size() && area.ManValue[j] != 0)
                || (j < area.WomanValue.size() && area.WomanValue[j] != 0))
                areaData = true;
        }
        if (!areaData)
            listAreaWithoutData(area.AreaName);
        anyData = anyData || areaData;
    }
    if (!anyData)
        return {false, cannot};

    const QString listFile = detail(details, DetailListFile);
    const QString refusal = pyramidListRefusal(listFile, m_lngAnaRange, itemName);
    if (!refusal.isEmpty())
        return {false, refusal};
    m_strAgeClassName = pyramidAgeClassNames(listFile, itemName, leftField, classes);

    FrameMap->setVisible(true);
    m_Graph->AddSegment(0, detail(details, DetailLeftName), m_colors.pyramid[1], 0);
    m_Graph->AddSegment(0, detail(details, DetailRightName), m_colors.pyramid[2], 0);
    const std::int32_t expressionKind = m_ctlSelect->ExpressionKind();
    const auto rows = pyramidRows(gtypStatArea, classes, expressionKind == 1);
    for (std::size_t i = 1; i < rows.size(); ++i)
        m_Graph->AddPyramidSegment(rows[i].first, rows[i].second);

    m_Graph->DrawPyramid(
        &m_picMap->canvas(), m_picMap, expressionKind, m_ctlSelect->HabaMax(), outerFrame, false);
    m_Graph->setAutoRedraw(true);
    return {true, QString()};
}

frmStatisticsMap::GraphRun frmStatisticsMap::createFlow()
{
    glngGraphKind = GraphKindRyusen;
    const std::int32_t n = m_ctlSelect->ListCount(0);
    if (n < 1)
        return {false, QStringLiteral("グラフ作成する統計項目を１つ以上選択して下さい。")};
    if (lstSelectAddr->topLevelItemCount() != 1)
        return {false, QStringLiteral("流線図を作成するためには都道府県を１つだけを選択して下さい。")};

    const TallyItems items = startTally(*m_ctlSelect, *m_Graph, n);
    StatAreaReader &reader = statAreaReader();
    reader.ReadRyusenValues(selectedAreas(), items.folders, n, m_ctlSelect->FlowKind());
    const QString cannot = cannotCreateMessage(MapKindRyusen);
    if (!reader.lastError().isEmpty())
        return {false, withReason(cannot, reader.lastError())};

    bool anyFlow = false;
    for (std::size_t r = 1; r < gtypStatArea.size() && !anyFlow; ++r)
        for (std::size_t k = 1; k < gtypStatArea[r].Ryusen.size() && !anyFlow; ++k)
            anyFlow = gtypStatArea[r].Ryusen[k].FlowCount != 0;
    if (!anyFlow)
        return {false, cannot};

    FrameMap->setVisible(false);
    lblCalcEnd->setVisible(true);
    return {true, QString()};
}
