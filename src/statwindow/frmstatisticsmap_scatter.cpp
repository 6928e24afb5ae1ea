// The scatter diagram of the statistics map window ("相関係数と散布図"): the
// X and Y items (each optionally over a denominator) of every selected area
// become points, the graph object draws them with the least-squares line and
// the correlation coefficient, and a click on a point offers to centre the
// map on its area.
#include "statwindow/frmstatisticsmap.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/ctllegend.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/widechars.h"
#include "shell/globals.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/scatterpoints.h"
#include "zorvik/widget/zorvik.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <exception>

using namespace veltra::statwindow;

namespace {

// The preview in the normal and the scatter layout: the frame in pixels of
// the form, the picture in twips.
constexpr int FrameMapTopPx = 392;
constexpr int FrameMapHeightPx = 273;
constexpr int FrameMapWidthPx = 1005;
constexpr int ScatterFrameMapTopPx = 362;
constexpr int ScatterFrameMapHeightPx = 303;
constexpr int PicMapWidth = 6135;
constexpr int PicMapHeight = 3735;
constexpr int ScatterPicMapWidth = 10135;
constexpr int ScatterPicMapHeight = 4185;

// Pure blue (BGR) for every point.
constexpr std::int32_t PointColour = 0xFF0000;

const QString &cannotScatter()
{
    static const QString message = QStringLiteral("選択した統計項目では散布図の作成が出来ません");
    return message;
}

// The folder (detail 1) and field (detail 2; -1 for a calculation template)
// of entry 1 of a selection list, and its display text.
struct ItemSlot
{
    QString folder;
    std::int32_t column = 0;
    QString name;
};

ItemSlot itemSlot(ctlSelect &select, std::int32_t list)
{
    std::vector<QString> details;
    select.GetSubItemData(list, 1, details);
    std::vector<QString> names;
    select.GetItemData(list, names);
    ItemSlot slot;
    slot.folder = details.size() > 1 ? details[1] : QString();
    const QString field = details.size() > 2 ? details[2] : QString();
    slot.column = field == QLatin1String("CALC") ? -1 : static_cast<std::int32_t>(veltra::vb::val(field));
    slot.name = names.empty() ? QString() : names.front();
    return slot;
}

} // namespace

void frmStatisticsMap::setScatterLayout(bool scatter)
{
    FrameMap->setGeometry(FrameMap->x(), scatter ? ScatterFrameMapTopPx : FrameMapTopPx, FrameMapWidthPx,
        scatter ? ScatterFrameMapHeightPx : FrameMapHeightPx);
    m_picMap->setGeometry(m_picMap->x(), m_picMap->y(),
        veltra::ui::twipsToPixelsX(scatter ? ScatterPicMapWidth : PicMapWidth),
        veltra::ui::twipsToPixelsY(scatter ? ScatterPicMapHeight : PicMapHeight));
    // lblX sits 10 twips above the bottom of the picture's inside.
    const double inside = veltra::ui::pixelsToTwipsY(m_picMap->contentsRect().height());
    const double labelHeight = veltra::ui::pixelsToTwipsY(lblX->height());
    lblX->move(lblX->x(), veltra::ui::twipsToPixelsY(inside - labelHeight - 10));
}

void frmStatisticsMap::showScatterFailure()
{
    m_ctlLegend->setVisible(true);
    for (QWidget *w : std::initializer_list<QWidget *>{richY, lblX, FrameMap, FrameKeisuu, m_lblKeisuu})
        w->setVisible(false);
}

bool frmStatisticsMap::CreateScatterGraph()
{
    QString message;
    const bool result = scatterGraph(message);
    if (!message.isEmpty())
        veltra::ui::MsgBox(message, veltra::ui::vbOKOnly);
    return result;
}

bool frmStatisticsMap::scatterGraph(QString &message)
{
    HidePreviewControls();
    setScatterLayout(false);
    if (!m_optAnaUnit[MapKindSanpuzu]->isChecked()) {
        m_ctlLegend->setVisible(true);
        return false;
    }
    setScatterLayout(true);

    if (m_ctlSelect->ListCount(0) != 1 || m_ctlSelect->ListCount(2) != 1) {
        message = QStringLiteral("グラフ作成する統計項目を選択して下さい。");
        return true;
    }
    // Slots 1 X, 2 Y, then the X denominator and the Y denominator when chosen.
    std::vector<ItemSlot> itemSlots{itemSlot(*m_ctlSelect, 0), itemSlot(*m_ctlSelect, 2)};
    const bool xDenominator = m_ctlSelect->ListCount(1) > 0;
    const bool yDenominator = m_ctlSelect->ListCount(3) > 0;
    if (xDenominator)
        itemSlots.push_back(itemSlot(*m_ctlSelect, 1));
    if (yDenominator)
        itemSlots.push_back(itemSlot(*m_ctlSelect, 3));

    lblX->setText(itemSlots[0].name);
    richY->setVisible(false);
    richY->setText(veltra::vb::toWide(itemSlots[1].name));
    richY->setVisible(true);

    std::vector<QString> folders{QString()};
    std::vector<std::int32_t> columns{0};
    for (const ItemSlot &slot : itemSlots) {
        folders.push_back(slot.folder);
        columns.push_back(slot.column);
    }
    QString reason;
    if (!readItemValues(folders, static_cast<std::int32_t>(itemSlots.size()), columns, reason)) {
        message = reason.isEmpty() ? cannotScatter() : cannotScatter() + QLatin1Char('\n') + reason;
        return true;
    }
    for (std::size_t i = 1; i < gtypStatArea.size(); ++i)
        if (!takesPartInScatter(gtypStatArea[i]))
            listAreaWithoutData(gtypStatArea[i].AreaName);
    if (!scatterHasValues(gtypStatArea)) {
        message = cannotScatter();
        return true;
    }

    m_ctlLegend->setVisible(false);
    for (QWidget *w : std::initializer_list<QWidget *>{richY, lblX, FrameMap, FrameKeisuu, m_lblKeisuu})
        w->setVisible(true);
    glngGraphKind = GraphKindSanpuzu;
    FrameMap->setTitle(QStringLiteral("散布図"));
    m_Graph->Clear();
    m_Graph->setAutoRedraw(false);

    const ScatterSlots layout{xDenominator, yDenominator, m_ctlSelect->CalcKind2(), m_ctlSelect->CalcKind3()};
    const std::vector<ScatterPoint> points = scatterPoints(gtypStatArea, layout);
    if (points.size() >= 2) {
        for (const ScatterPoint &p : points) {
            m_Graph->AddSegment(p.y, QString(), PointColour, p.x);
            m_Graph->AddSanpuIDX(p.area);
        }
        m_Graph->setAutoRedraw(true);
        if (m_Graph->DrawSanpuzu(&m_picMap->canvas(), m_picMap, false) == 1) {
            cmdListOut->setVisible(true);
            return true;
        }
        m_Graph->setAutoRedraw(false);
    }
    showScatterFailure();
    message = cannotScatter();
    return true;
}

void frmStatisticsMap::picMap_MouseUp(std::int16_t, std::int16_t, float X, float Y)
{
    if (glngGraphKind != GraphKindSanpuzu)
        return;
    std::int32_t index = -1;
    try {
        index = m_Graph->chkZahyou(X, Y);
    } catch (const std::exception &) {
        return; // a point without its area: nothing to offer
    }
    if (index < 1 || static_cast<std::size_t>(index) >= gtypStatArea.size())
        return;
    const StatArea &area = gtypStatArea[static_cast<std::size_t>(index)];
    const QString question = area.AreaName + QLatin1Char('\n') + QStringLiteral("に移動しますか？");
    if (veltra::ui::MsgBox(question, veltra::ui::vbYesNo) != veltra::ui::vbYes || !gobjZor)
        return;
    gobjZor->setCenterX(area.X);
    gobjZor->setCenterY(area.Y);
    gobjZor->Refresh();
}
