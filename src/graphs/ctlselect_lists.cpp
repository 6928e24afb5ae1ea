// ctlSelect: the selection lists: adding from the tree, removing,
// calculation templates, the entries' data and the tool tip of the rows.
#include "graphs/ctlselect.h"

#include "platform/ui/twips.h"
#include "platform/vb/errors.h"
#include "shell/clstooltip.h"
#include "shell/commonm1.h"
#include "statdataui/frmrequisite.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

constexpr int SubItemCountRole = Qt::UserRole + 1;
constexpr int MaxSubItems = 10;
const QString RyakuMarker = QStringLiteral("RYAKU");

int subItemCount(const QTreeWidgetItem *row)
{
    return row->data(0, SubItemCountRole).toInt();
}

// Sub-item n (1 to 10) of a row; the count grows as the list view's does
// when a later sub-item is written.
void setSubItem(QTreeWidgetItem *row, int n, const QString &text)
{
    row->setText(n, text);
    if (n > subItemCount(row))
        row->setData(0, SubItemCountRole, n);
}

std::int32_t partnerOf(std::int32_t k)
{
    return k ^ 1; // 0 with 1, 2 with 3
}

} // namespace

QString ctlSelect::PathToText(const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('\\'), QLatin1Char(' '));
    return text;
}

QString ctlSelect::entryText(const StatisticsTreeNode &node) const
{
    QString shortName;
    if (m_objStatItem) {
        const std::vector<QVariant> &members = m_objStatItem->StatisticsProperty();
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (members[i].toString() == RyakuMarker) {
                if (i + 1 < members.size())
                    shortName = members[i + 1].toString();
                break;
            }
        }
    }
    if (shortName.trimmed().isEmpty())
        return PathToText(node.FullPath);
    return shortName;
}

QTreeWidgetItem *ctlSelect::addRow(std::int32_t k, const QString &text)
{
    QTreeWidget *list = lstSelect[static_cast<std::size_t>(k)];
    auto *row = new QTreeWidgetItem(list, QStringList{text});
    row->setData(0, SubItemCountRole, 0);
    // As a list view does, the first row of an empty list is the selected one.
    if (list->topLevelItemCount() == 1) {
        list->setCurrentItem(row);
        row->setSelected(true);
    }
    return row;
}

QTreeWidgetItem *ctlSelect::entry(std::int32_t Index, std::int32_t ItemIDX) const
{
    if (Index < 0 || Index > 3)
        throw veltra::vb::SubscriptOutOfRange("no selection list " + std::to_string(Index));
    QTreeWidget *list = lstSelect[static_cast<std::size_t>(Index)];
    if (ItemIDX < 1 || ItemIDX > list->topLevelItemCount())
        throw veltra::vb::SubscriptOutOfRange(
            "no entry " + std::to_string(ItemIDX) + " in selection list " + std::to_string(Index));
    return list->topLevelItem(ItemIDX - 1);
}

void ctlSelect::cmdSelect_Click(std::int16_t Index)
{
    if (Index < 0 || Index > 7)
        return;
    const std::int32_t k = Index / 2;
    QTreeWidget *list = lstSelect[static_cast<std::size_t>(k)];
    if (Index % 2 == 0) {
        const QList<QTreeWidgetItem *> selected = list->selectedItems();
        if (selected.isEmpty())
            return;
        delete selected.front();
        m_lngHoverRow[static_cast<std::size_t>(k)] = 0;
        HideHScrollBars();
        list->update();
        if (Index == 2) {
            FrameCalc->hide();
            FrameCalc2->hide();
        } else if (Index == 6) {
            FrameCalc3->hide();
        }
        return;
    }

    HideHScrollBars();
    const std::optional<StatisticsTreeNode> node = m_objTree ? m_objTree->SelectedItem() : std::nullopt;
    // Only leaves are added.
    if (!node || node->Children > 0)
        return;
    const QString text = entryText(*node);
    QTreeWidget *partner = lstSelect[static_cast<std::size_t>(partnerOf(k))];
    const bool sameAsPartner = partner->topLevelItemCount() > 0 && partner->topLevelItem(0)->text(0) == text;
    switch (m_selectItem) {
    case 1:
        if (k == 1)
            FrameCalc->show();
        if (sameAsPartner)
            return;
        list->clear();
        break;
    case 2:
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->text(0) == text)
                return;
        }
        break;
    case 3:
        if (k == 1)
            FrameCalc2->show();
        else if (k == 3)
            FrameCalc3->show();
        if (sameAsPartner)
            return;
        list->clear();
        break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        list->clear();
        break;
    default:
        break;
    }
    if (m_selectItem >= 1 && m_selectItem <= 8 && m_selectItem != 2)
        m_lngHoverRow[static_cast<std::size_t>(k)] = 0;

    if (m_objStatItem) {
        QTreeWidgetItem *row = addRow(k, text);
        setSubItem(row, 1, node->Text);
        const std::vector<QVariant> &members = m_objStatItem->StatisticsProperty();
        // Members before "RYAKU" go to sub-items 2 on; the row has ten.
        for (std::size_t i = 0; i < members.size() && static_cast<int>(i) + 2 <= MaxSubItems; ++i) {
            const QString member = members[i].toString();
            if (member == RyakuMarker)
                break;
            setSubItem(row, static_cast<int>(i) + 2, member);
        }
    }
    list->update();
    HideHScrollBars();
}

void ctlSelect::cmdCalSel_Click(std::int16_t Index)
{
    if (Index < 0 || Index > 3 || !frmCalcSel)
        return;
    m_lngCalcTarget = Index;
    frmCalcSel->setAnaRange(m_anaRange);
    frmCalcSel->Show();
}

void ctlSelect::frmCalcSel_SelectCalcTemplate(const QString &strTemplateFile)
{
    if (m_lngCalcTarget < 0 || m_lngCalcTarget > 3)
        return;
    const std::int32_t k = m_lngCalcTarget;
    const QString title = CommonM1::GetFileTitle(strTemplateFile);
    QTreeWidget *partner = lstSelect[static_cast<std::size_t>(partnerOf(k))];
    if (partner->topLevelItemCount() > 0 && partner->topLevelItem(0)->text(0) == title)
        return;
    QTreeWidget *list = lstSelect[static_cast<std::size_t>(k)];
    list->clear();
    QTreeWidgetItem *row = addRow(k, title);
    setSubItem(row, 1, strTemplateFile);
    setSubItem(row, 2, strTemplateFile);
    setSubItem(row, 3, QStringLiteral("CALC"));
    if (k == 1) {
        if (m_selectItem == 1)
            FrameCalc->show();
        else
            FrameCalc2->show();
    } else if (k == 3) {
        FrameCalc3->show();
    }
    list->update();
    HideHScrollBars();
}

void ctlSelect::GetItemData(std::int32_t Index, std::vector<QString> &strItemData) const
{
    if (Index < 0 || Index > 3)
        throw veltra::vb::SubscriptOutOfRange("no selection list " + std::to_string(Index));
    const QTreeWidget *list = lstSelect[static_cast<std::size_t>(Index)];
    const int n = list->topLevelItemCount();
    strItemData.assign(static_cast<std::size_t>(n) + 1, QString());
    for (int i = 0; i < n; ++i)
        strItemData[static_cast<std::size_t>(i)] = list->topLevelItem(i)->text(0);
}

void ctlSelect::GetSubItemData(std::int32_t Index, std::int32_t ItemIDX, std::vector<QString> &strItemData) const
{
    const QTreeWidgetItem *row = entry(Index, ItemIDX);
    const int m = subItemCount(row);
    strItemData.assign(static_cast<std::size_t>(m) + 1, QString());
    for (int k = 0; k < m; ++k)
        strItemData[static_cast<std::size_t>(k)] = row->text(k + 1);
}

void ctlSelect::SetSubItemData(std::int32_t Index, std::int32_t ItemIDX, const std::vector<QString> &strItemData)
{
    QTreeWidgetItem *row = entry(Index, ItemIDX);
    for (std::size_t k = 1; k < strItemData.size(); ++k) {
        const int n = static_cast<int>(k) + 1;
        if (n > MaxSubItems)
            throw veltra::vb::SubscriptOutOfRange("an entry has at most ten sub-items");
        setSubItem(row, n, strItemData[k]);
    }
}

void ctlSelect::lstSelect_MouseMove(
    std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    if (Index < 0 || Index > 3)
        return;
    QTreeWidget *list = lstSelect[static_cast<std::size_t>(Index)];
    const QPoint inList(qRound(X / veltra::ui::twipsPerPixelX()), qRound(Y / veltra::ui::twipsPerPixelY()));
    const QPoint inViewport = list->viewport()->mapFrom(list, inList);
    const QModelIndex hit = list->indexAt(inViewport);
    const std::int32_t row = hit.isValid() ? hit.row() + 1 : 0;
    std::int32_t &hover = m_lngHoverRow[static_cast<std::size_t>(Index)];
    if (row == hover || !m_objToolTip)
        return;
    hover = row;
    if (row != 0) {
        m_objToolTip->setTipText(list->topLevelItem(row - 1)->text(0));
        m_objToolTip->Create(list);
    } else {
        m_objToolTip->Destroy();
    }
}

bool ctlSelect::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        for (std::size_t k = 0; k < lstSelect.size(); ++k) {
            QTreeWidget *list = lstSelect[k];
            if (watched != list->viewport())
                continue;
            const auto *move = static_cast<QMouseEvent *>(event);
            const QPoint inList = list->viewport()->mapTo(list, move->position().toPoint());
            const std::int16_t button = (move->buttons() & Qt::LeftButton) ? 1 : 0;
            lstSelect_MouseMove(static_cast<std::int16_t>(k), button, 0,
                static_cast<float>(inList.x() * veltra::ui::twipsPerPixelX()),
                static_cast<float>(inList.y() * veltra::ui::twipsPerPixelY()));
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
