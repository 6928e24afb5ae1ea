// A look at the item selector in a host with an item tree built from the
// shipped 2020 census item list, in the choropleth, scatter and symbol
// layouts: skipped unless VELTRA_SHOW_SECONDS or VELTRA_SHOT_DIR is set. With
// VELTRA_SHOT_DIR the host window is saved there as selector-layoutN.png;
// with VELTRA_SHOW_SECONDS each layout stays up that long (run the program
// with -platform xcb on an X display to see them).
#include "graphs/ctlselect.h"
#include "graphs/statisticstree.h"
#include "platform/profile/profile.h"
#include "shell/programfolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The host's tree: a QTreeWidget whose leaves carry their statistics item.
class HostTree : public StatisticsTree
{
public:
    explicit HostTree(QTreeWidget *tree)
        : m_tree(tree)
    { }
    std::optional<StatisticsTreeNode> SelectedItem() const override
    {
        QTreeWidgetItem *node = m_tree->currentItem();
        if (!node)
            return std::nullopt;
        StatisticsTreeNode out;
        out.Text = node->text(0);
        out.Children = node->childCount();
        QStringList path;
        for (QTreeWidgetItem *n = node; n; n = n->parent())
            path.prepend(n->text(0));
        out.FullPath = path.join(QLatin1Char('\\'));
        const auto found = m_items.find(node);
        if (found != m_items.end())
            out.Item = found->second;
        return out;
    }

    // Builds statistics name > area unit > item group > item from the list.
    void fill(const QString &statName, const QString &listFile)
    {
        auto *root = new QTreeWidgetItem(m_tree, QStringList{statName});
        using veltra::profile::getString;
        for (int u = 1;; ++u) {
            const QString unit = getString(QStringLiteral("ﾃﾞｰﾀ種類"), QStringLiteral("Entry%1").arg(u), QString(), listFile);
            if (unit.isEmpty())
                break;
            auto *unitNode = new QTreeWidgetItem(root, QStringList{unit});
            const QString folder = getString(unit, QStringLiteral("Path"), QString(), listFile);
            for (int g = 1;; ++g) {
                const QString group = getString(unit, QStringLiteral("Entry%1").arg(g), QString(), listFile);
                if (group.isEmpty())
                    break;
                // The age table is long; its first rows are enough to look at.
                auto *groupNode = new QTreeWidgetItem(unitNode, QStringList{group});
                for (int i = 1; i <= 6; ++i) {
                    const QString entry = getString(group, QStringLiteral("Entry%1").arg(i), QString(), listFile);
                    if (entry.isEmpty())
                        break;
                    const QString name = entry.section(QLatin1Char(','), 0, 0);
                    auto *leaf = new QTreeWidgetItem(groupNode, QStringList{name});
                    std::vector<QVariant> members{folder + group + QLatin1Char('\\'), statName, unit, group, name,
                        i, QString(), QString(), QString(), QStringLiteral("RYAKU"), name};
                    m_items[leaf] = std::make_shared<clsStatisticsItem>(members);
                }
            }
        }
        m_tree->expandToDepth(1);
    }

    // Selects the node at "unit/group/item" and returns its item.
    std::shared_ptr<const clsStatisticsItem> select(const QString &unit, const QString &group, const QString &item)
    {
        QTreeWidgetItem *root = m_tree->topLevelItem(0);
        for (int a = 0; a < root->childCount(); ++a) {
            QTreeWidgetItem *u = root->child(a);
            for (int b = 0; u->text(0) == unit && b < u->childCount(); ++b) {
                QTreeWidgetItem *g = u->child(b);
                for (int c = 0; g->text(0) == group && c < g->childCount(); ++c) {
                    if (g->child(c)->text(0) == item) {
                        m_tree->setCurrentItem(g->child(c));
                        return m_items[g->child(c)];
                    }
                }
            }
        }
        return nullptr;
    }

private:
    QTreeWidget *m_tree;
    std::map<QTreeWidgetItem *, std::shared_ptr<const clsStatisticsItem>> m_items;
};

} // namespace

TEST(Showcase, ItemSelectorLayoutsWithTheCensusItems)
{
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    const QString shots = qEnvironmentVariable("VELTRA_SHOT_DIR");
    if (seconds <= 0 && shots.isEmpty())
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS or VELTRA_SHOT_DIR to show the selector";

    const QString saved = veltra::shell::programFolder();
    veltra::shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
    const QString data = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");

    QWidget host;
    host.setWindowTitle(QStringLiteral("統計項目の選択"));
    auto *row = new QHBoxLayout(&host);
    auto *treeWidget = new QTreeWidget(&host);
    treeWidget->setHeaderHidden(true);
    treeWidget->setMinimumWidth(230);
    auto *select = new ctlSelect(&host);
    select->setMinimumWidth(385);
    row->addWidget(treeWidget, 0, Qt::AlignTop);
    row->addWidget(select, 0, Qt::AlignTop);
    HostTree tree(treeWidget);
    tree.fill(QStringLiteral("R2国勢調査"), data + QStringLiteral("etc/R2国勢調査.txt"));
    treeWidget->setFixedHeight(293);
    select->setSymbolPath(data + QStringLiteral("Symbol_Data/"));
    select->setTreeCtl(&tree);
    host.move(10, 10);
    host.show();

    const QString pref = QStringLiteral("都道府県");
    auto addItem = [&](int list, const QString &group, const QString &item) {
        select->setStatItem(tree.select(pref, group, item));
        select->cmdSelect_Click(static_cast<std::int16_t>(2 * list + 1));
    };
    auto showAndSave = [&](int layout) {
        QApplication::processEvents();
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            EXPECT_TRUE(host.grab().save(shots + QStringLiteral("/selector-layout%1.png").arg(layout)));
        }
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < seconds * 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    };

    select->setSelectItem(1);
    addItem(0, QStringLiteral("人口"), QStringLiteral("総人口"));
    addItem(1, QStringLiteral("面積"), QStringLiteral("面積(km2)"));
    EXPECT_EQ(select->GetItemSelect(1), 1);
    showAndSave(1);

    select->setSelectItem(3);
    addItem(0, QStringLiteral("世帯"), QStringLiteral("一般世帯数"));
    addItem(1, QStringLiteral("世帯"), QStringLiteral("世帯数"));
    addItem(2, QStringLiteral("人口"), QStringLiteral("男"));
    addItem(3, QStringLiteral("人口"), QStringLiteral("総人口"));
    select->optCalc3[1]->setChecked(true);
    EXPECT_EQ(select->ListCount(3), 1);
    showAndSave(3);

    select->setSelectItem(5);
    addItem(0, QStringLiteral("人口"), QStringLiteral("総人口"));
    ASSERT_GT(select->lstSymbol->count(), 0);
    select->lstSymbol->setCurrentRow(1);
    showAndSave(5);

    veltra::shell::setProgramFolder(saved);
}
