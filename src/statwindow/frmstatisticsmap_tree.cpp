// The statistics map window's item tree: era years, statistics, data kinds
// and items for the current level and map kind, the items behind the
// selectable nodes, and the selector's entries carried over a rebuild.
#include "graphs/ctlgradation.h"
#include "graphs/ctlselect.h"
#include "platform/fs/fs.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/statfileformat.h"
#include "statdata/statfilepaths.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/readerbusy.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace veltra::statwindow;
namespace statdata = veltra::statdata;

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int MaxEntries = 32000;
constexpr int PyramidKind = 6; // optAnaUnit index of 人口ピラミッド
constexpr int FlowKind = 7; // optAnaUnit index of 流線図
// Depth of a data kind node: era year 0, statistics 1, data kind 2, item 3.
constexpr int DataKindDepth = 2;

QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &key, const QString &text)
{
    auto *node = new QTreeWidgetItem(parent, QStringList{text});
    node->setData(0, KeyRole, key);
    return node;
}

QString iniValue(const QString &section, const QString &key, const QString &file)
{
    QString value;
    mdlCommon::ReadIniString(section, key, value, file);
    return value;
}

int depthOf(const QTreeWidgetItem *node)
{
    int depth = 0;
    for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

} // namespace

QString frmStatisticsMap::treeNodeKey(const QTreeWidgetItem *node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

std::shared_ptr<const clsStatisticsItem> frmStatisticsMap::statisticsItem(const QString &key) const
{
    const auto it = m_colStatItems.find(key);
    return it == m_colStatItems.end() ? nullptr : it->second;
}

void frmStatisticsMap::CreateStatisticTree()
{
    ReaderBusy busy(this);
    treeStatistic->setVisible(false);
    treeStatistic->clear();
    ReadYearList();
    BuildStatisticTree();
    RelinkSelectedItems();
    treeStatistic->setVisible(true);

    // A graph made for other areas or another map kind is withdrawn.
    for (QWidget *w : std::initializer_list<QWidget *>{FrameMap, FrameHistoSelect, FrameBaseTokei,
             FrameKeisuu, m_ctlGradation, cmdMapOut, cmdListOut, cmdReDisp, lblCalcEnd})
        w->setVisible(false);
}

void frmStatisticsMap::ReadYearList()
{
    m_typYearList = readYearList(m_strEtcPath, m_optAnaUnit[FlowKind]->isChecked());
}

QTreeWidgetItem *frmStatisticsMap::FindTreeNode(QTreeWidget *tree, const QString &text)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *node = tree->topLevelItem(i);
        if (text.contains(node->text(0), Qt::CaseInsensitive))
            return node;
    }
    return nullptr;
}

void frmStatisticsMap::BuildStatisticTree()
{
    const QString unit = areaUnitOfLevel(m_lngAnaRange);
    ClearStatisticsItems();
    for (std::size_t i = 0; i + 1 < m_typYearList.size(); ++i) {
        const StatYearEntry &year = m_typYearList[i];
        // A start date that is no day gives no era year and no list file.
        if (year.EraYearText.isEmpty())
            continue;
        const int index = static_cast<int>(i);
        QTreeWidgetItem *parent = FindTreeNode(treeStatistic, year.EraYearText);
        if (!parent) {
            parent = new QTreeWidgetItem(treeStatistic, QStringList{year.EraYearText});
            parent->setData(0, KeyRole, eraNodeKey(index));
        }
        QTreeWidgetItem *statNode = addNode(parent, statisticsNodeKey(index),
            iniValue(statdata::itemListTitleSection(), statdata::entryKey(1), year.ListFile));
        if (readEntryList(statdata::itemListKindSection(), year.ListFile).contains(unit))
            addDataKinds(statNode, year, unit);
        if (statNode->childCount() == 0)
            delete statNode;
        if (parent->childCount() == 0)
            delete parent;
        else
            parent->setExpanded(true);
    }
}

void frmStatisticsMap::addDataKinds(QTreeWidgetItem *statNode, const StatYearEntry &year, const QString &unit)
{
    const bool pyramid = m_optAnaUnit[PyramidKind]->isChecked();
    const bool flow = m_optAnaUnit[FlowKind]->isChecked();
    const QString statKey = treeNodeKey(statNode);
    const QString base = statdata::resolveListFolder(
        year.ListFile, iniValue(unit, statdata::itemListPathKey(), year.ListFile));
    for (int j = 1; j <= MaxEntries; ++j) {
        const QString name = iniValue(unit, statdata::entryKey(j), year.ListFile);
        if (name.isEmpty())
            break;
        // Without a Path there is no folder to read values from.
        if (base.isEmpty())
            continue;
        const QString folder = statdata::joinPath(base, name);
        if (!veltra::fs::folderExists(folder))
            continue;
        const QString kindKey = dataKindNodeKey(statKey, j);
        if (pyramid) {
            if (!isPyramidDataKind(name))
                continue;
            addNode(statNode, kindKey, name);
            const PyramidFields fields = readPyramidFields(name, year.ListFile);
            AddStatisticsItem(kindKey, pyramidAttributes(folder, j, fields, year.ListFile, year.EraCode));
        } else if (flow) {
            if (name != flowDataKind())
                continue;
            addNode(statNode, kindKey, name);
            AddStatisticsItem(kindKey,
                flowAttributes(
                    folder, j, year.EraCode, iniValue(name, QStringLiteral("流線図略"), year.ListFile)));
        } else {
            QTreeWidgetItem *kindNode = addNode(statNode, kindKey, name);
            for (int k = 1; k <= MaxEntries; ++k) {
                const QString entry = iniValue(name, statdata::entryKey(k), year.ListFile);
                if (entry.isEmpty())
                    break;
                QString text;
                QString abbreviation;
                splitItemEntry(entry, text, abbreviation);
                const QString itemKey = itemNodeKey(kindKey, k);
                addNode(kindNode, itemKey, text);
                AddStatisticsItem(itemKey, leafAttributes(folder, k, year.EraCode, abbreviation));
            }
            if (kindNode->childCount() == 0)
                delete kindNode;
        }
    }
}

void frmStatisticsMap::AddStatisticsItem(const QString &key, std::vector<QVariant> values)
{
    m_colStatItems[key] = std::make_shared<const clsStatisticsItem>(std::move(values));
}

void frmStatisticsMap::ClearStatisticsItems()
{
    m_colStatItems.clear();
}

QTreeWidgetItem *frmStatisticsMap::findEntryNode(const std::vector<QString> &details) const
{
    for (QTreeWidgetItemIterator it(treeStatistic); *it; ++it) {
        QTreeWidgetItem *node = *it;
        const std::shared_ptr<const clsStatisticsItem> item = statisticsItem(treeNodeKey(node));
        if (!item)
            continue;
        // A pyramid or flow item is its data kind node; a leaf's data kind is
        // its parent.
        const QString dataKind = depthOf(node) > DataKindDepth ? node->parent()->text(0) : node->text(0);
        if (entryMatchesNode(details, node->text(0), dataKind, item->StatisticsProperty()))
            return node;
    }
    return nullptr;
}

void frmStatisticsMap::RelinkSelectedItems()
{
    for (std::int32_t list = 0; list <= 1; ++list) {
        const std::int32_t count = m_ctlSelect->ListCount(list);
        if (count == 0)
            return;
        bool found = false;
        for (std::int32_t e = 1; e <= count; ++e) {
            std::vector<QString> details;
            m_ctlSelect->GetSubItemData(list, e, details);
            // A template does not depend on the tree.
            if (isTemplateEntry(details)) {
                found = true;
                continue;
            }
            const QTreeWidgetItem *node = findEntryNode(details);
            if (!node)
                continue;
            found = true;
            // The entry takes the details an entry added now would get.
            const std::vector<QVariant> attributes
                = attributesBeforeMarker(statisticsItem(treeNodeKey(node))->StatisticsProperty());
            std::vector<QString> data(attributes.size() + 1);
            for (std::size_t k = 0; k < attributes.size(); ++k)
                data[k + 1] = attributes[k].toString();
            m_ctlSelect->SetSubItemData(list, e, data);
        }
        if (!found) {
            m_ctlSelect->Clear();
            return;
        }
    }
}

void frmStatisticsMap::treeStatistic_Click()
{
    const QTreeWidgetItem *node = treeStatistic->currentItem();
    if (!node || !node->isSelected() || node->childCount() > 0)
        return;
    const std::shared_ptr<const clsStatisticsItem> item = statisticsItem(treeNodeKey(node));
    if (item)
        m_ctlSelect->setStatItem(item);
}
