// The statistics map window's Step 1 list and Step 2 switch: the areas
// chosen from the area lists or found on the map, the list's buttons and
// double click, and the map kind that sets the item selector's layout.
#include "graphs/ctlselect.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "statrender/clearstatmap.h"
#include "statwindow/addresslines.h"
#include "statwindow/frmselectarea.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"

#include <QLabel>
#include <QTreeWidget>

using namespace veltra::statwindow;

namespace {

constexpr int FlowKind = 7; // optAnaUnit index of 流線図
constexpr int ScatterKind = 8; // optAnaUnit index of 相関係数と散布図
// ctlSelect.SelectItem of the map kinds 0 to 7.
constexpr std::array<std::int32_t, 8> KindLayout{1, 2, 2, 4, 5, 8, 6, 7};
constexpr std::int32_t ScatterLayout = 3;

} // namespace

void frmStatisticsMap::ensureAreaChooser()
{
    if (frmSel)
        return;
    frmSel = new frmSelectArea(this);
    connect(frmSel, &frmSelectArea::SelectArea, this, &frmStatisticsMap::frmSel_SelectArea);
}

void frmStatisticsMap::cmdAreaSelect_Click(int Index)
{
    switch (Index) {
    case 0:
        selectAreasOnMap();
        break;
    case 1:
        selectAreasInView();
        break;
    case 2:
        ensureAreaChooser();
        frmSel->show();
        frmSel->raise();
        frmSel->activateWindow();
        break;
    case 3:
        clearSelectedAreas();
        break;
    default:
        break;
    }
}

void frmStatisticsMap::frmSel_SelectArea(std::int32_t lngAnaRange, const QStringList &itmSel)
{
    m_ctlSelect->setSelectItem(m_ctlSelect->SelectItem());
    m_ctlSelect->setAnaRange(m_lngAnaRange);
    const bool levelChanged = m_lngAnaRange != lngAnaRange;
    if (levelChanged)
        clearSelectedAreas();
    if (itmSel.isEmpty())
        return;
    const SelectedAreaEntry entry = chosenAreaEntry(lngAnaRange, itmSel);
    if (!m_selectedAreas.add(lngAnaRange, entry))
        return;
    appendSelectedAreaItem(entry);
    setAnaRange(lngAnaRange);
    lblArea->setText(areaLevelName(lngAnaRange));
    showSelectCount();
    if (levelChanged)
        CreateStatisticTree();
}

void frmStatisticsMap::lstSelectAddr_DblClick()
{
    QTreeWidgetItem *item = lstSelectAddr->currentItem();
    if (!item || !item->isSelected())
        return;
    m_selectedAreas.removeAt(lstSelectAddr->indexOfTopLevelItem(item));
    delete item;
    showSelectCount();
}

void frmStatisticsMap::optAnaUnit_MouseUp(int Index)
{
    ResetGraphLayout();
    HidePreviewControls();
    if (Index >= 0 && Index < static_cast<int>(KindLayout.size())) {
        // A flow map is drawn between prefectures only.
        if (Index == FlowKind)
            frmSel_SelectArea(AnaRangePref, {});
        m_ctlSelect->setSelectItem(KindLayout[Index]);
    }
    CreateStatisticTree();
    if (Index == ScatterKind)
        m_ctlSelect->setSelectItem(ScatterLayout);
    ComPSY::PSY_UnloadLegendForms();
}

void frmStatisticsMap::SetAddrList(std::vector<QString> lines)
{
    if (lines.size() <= 1)
        return;
    AddressIntake intake;
    intake.cancelled = [] {
        veltra::ui::DoEvents();
        return gintWaitCancel > 0;
    };
    intake.added = [this](const SelectedAreaEntry &entry) { appendSelectedAreaItem(entry); };
    takeAddressLines(m_selectedAreas, m_lngAnaRange, std::move(lines), intake);
    // A cancelled intake keeps what it added, and the count says so.
    showSelectCount();
}

void frmStatisticsMap::QuickSort2Address(std::vector<QString> &strArray, std::int32_t lngStart, std::int32_t lngEnd)
{
    veltra::statwindow::QuickSort2Address(strArray, lngStart, lngEnd);
}

void frmStatisticsMap::appendSelectedAreaItem(const SelectedAreaEntry &entry)
{
    lstSelectAddr->addTopLevelItem(new QTreeWidgetItem(QStringList(entry.begin(), entry.end())));
}

void frmStatisticsMap::clearSelectedAreas()
{
    m_selectedAreas.clear();
    lstSelectAddr->clear();
    lblSelectCnt->clear();
}

void frmStatisticsMap::showSelectCount()
{
    if (m_selectedAreas.isEmpty())
        lblSelectCnt->clear();
    else
        lblSelectCnt->setText(QString::number(m_selectedAreas.size()));
}
