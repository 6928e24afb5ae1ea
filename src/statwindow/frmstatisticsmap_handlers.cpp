// The statistics map window's public members and event handlers.
#include "graphs/clsanafile.h"
#include "graphs/ctlselect.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "statwindow/frmstatisticsmap.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <exception>

void frmStatisticsMap::setAnaRange(std::int32_t lngNew)
{
    m_lngAnaRange = lngNew;
    m_ctlSelect->setAnaRange(lngNew);
}

std::optional<StatisticsTreeNode> frmStatisticsMap::SelectedItem() const
{
    const QTreeWidgetItem *node = treeStatistic->currentItem();
    if (!node || !node->isSelected())
        return std::nullopt;
    StatisticsTreeNode result;
    result.Text = node->text(0);
    result.Children = node->childCount();
    QStringList path;
    for (const QTreeWidgetItem *n = node; n; n = n->parent())
        path.prepend(n->text(0));
    result.FullPath = path.join(QLatin1Char('\\'));
    result.Item = statisticsItem(treeNodeKey(node));
    return result;
}

void frmStatisticsMap::Command1_Click()
{
    clsAnaFile objAnaFile;
    objAnaFile.SetFormName(this);
    objAnaFile.SetCtlSelect(m_ctlSelect);
    try {
        objAnaFile.CsvReadReq(
            m_strDBPath + QStringLiteral("tempheader") + Text1->text() + QStringLiteral(".CSV"));
    } catch (const std::exception &e) {
        veltra::ui::MsgBox(QString::fromUtf8(e.what()), veltra::ui::vbExclamation);
    }
}

void frmStatisticsMap::cmdEnd_Click()
{
    veltra::ui::WindowRegistry::instance().unload(this);
}

