#include "graphcreatebed.h"

#include "graphs/clsstatisticsitem.h"
#include "graphs/ctlselect.h"
#include "graphs/picturebox.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statwindow/frmnotdatarea.h"
#include "statwindow/statwindowregistration.h"

#include <QImage>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace veltra::test {

namespace {

// The selector layout of each map kind.
constexpr int Layouts[] = {1, 2, 2, 4, 5, 8, 6, 7, 3};

} // namespace

GraphCreateBed::GraphCreateBed(const QString &dataFolder, bool withSliderPicture)
{
    gstrDataPath = dataFolder;
    shell::setProgramFolder(m_program.path());
    if (withSliderPicture) {
        QImage handle(11, 15, QImage::Format_RGB32);
        handle.fill(QColor(0, 0, 128));
        handle.save(m_program.file(QStringLiteral("Slider.bmp")), "BMP");
    }
    statwindow::registerStatisticsWindow();
    m_window = ui::form<frmStatisticsMap>();
}

GraphCreateBed::~GraphCreateBed()
{
    ui::WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));
    flushDeletes();
}

void GraphCreateBed::choose(int mapKind, std::int32_t anaRange)
{
    m_window->optAnaUnit(static_cast<std::int16_t>(mapKind))->setChecked(true);
    m_window->m_ctlSelect->setSelectItem(Layouts[mapKind]);
    m_window->setAnaRange(anaRange);
}

void GraphCreateBed::addArea(int pref, int city, int town)
{
    QStringList columns(9, QString());
    columns[0] = QStringLiteral("%1-%2-%3").arg(pref).arg(city).arg(town);
    columns[3] = QString::number(pref);
    columns[5] = city ? QString::number(city) : QString();
    columns[7] = town ? QString::number(town) : QString();
    new QTreeWidgetItem(m_window->lstSelectAddr, columns);
}

void GraphCreateBed::addItem(int k, const QString &name, const QString &folder, int field)
{
    auto *leaf = new QTreeWidgetItem(m_window->treeStatistic, QStringList{name});
    m_window->treeStatistic->setCurrentItem(leaf);
    m_window->m_ctlSelect->setStatItem(std::make_shared<const clsStatisticsItem>(std::vector<QVariant>{
        folder, QString::number(field), QStringLiteral("RYAKU"), name}));
    m_window->m_ctlSelect->cmdSelect_Click(static_cast<std::int16_t>(2 * k + 1));
    delete leaf;
}

void GraphCreateBed::addTreeItem(int k, const QString &nodeKey)
{
    QTreeWidgetItem *found = nullptr;
    for (QTreeWidgetItemIterator it(m_window->treeStatistic); *it && !found; ++it)
        if (frmStatisticsMap::treeNodeKey(*it) == nodeKey)
            found = *it;
    ASSERT_NE(found, nullptr) << nodeKey.toStdString();
    m_window->treeStatistic->setCurrentItem(found);
    m_window->m_ctlSelect->setStatItem(m_window->statisticsItem(nodeKey));
    m_window->m_ctlSelect->cmdSelect_Click(static_cast<std::int16_t>(2 * k + 1));
}

QStringList GraphCreateBed::create()
{
    m_window->cmdGraphCreate_Click();
    QStringList shown;
    for (std::size_t i = m_seenRequests; i < script.requests().size(); ++i)
        shown << script.requests()[i].prompt;
    m_seenRequests = script.requests().size();
    return shown;
}

int GraphCreateBed::handleCount() const
{
    int alive = 0;
    for (const PictureBox *box : m_window->findChildren<PictureBox *>())
        if (box->objectName().startsWith(QStringLiteral("picSlider_")))
            ++alive;
    return alive;
}

QStringList GraphCreateBed::notDatAreas() const
{
    QStringList names;
    const QTreeWidget *list = m_window->notDatArea()->lstNotDatArea;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    return names;
}

} // namespace veltra::test
