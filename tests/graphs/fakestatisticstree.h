#pragma once
// A stand-in for the host's item tree: the test sets the selected node. leaf()
// builds a leaf of the statistics map window's shape: nine attributes, the
// marker "RYAKU" and the short name.
#include "graphs/statisticstree.h"

#include <QStringList>

class FakeStatisticsTree : public StatisticsTree
{
public:
    std::optional<StatisticsTreeNode> SelectedItem() const override { return selected; }

    // Selects a leaf at `path` (node texts joined by backslashes) whose item
    // has the short name `shortName`; returns its item.
    std::shared_ptr<const clsStatisticsItem> selectLeaf(const QString &path, const QString &shortName)
    {
        StatisticsTreeNode node;
        node.FullPath = path;
        node.Text = path.section(QLatin1Char('\\'), -1);
        node.Children = 0;
        std::vector<QVariant> members;
        for (int i = 1; i <= 9; ++i)
            members.emplace_back(QStringLiteral("%1-属性%2").arg(node.Text).arg(i));
        members.emplace_back(QStringLiteral("RYAKU"));
        members.emplace_back(shortName);
        node.Item = std::make_shared<clsStatisticsItem>(members);
        selected = node;
        return node.Item;
    }

    void selectFolder(const QString &path, int children)
    {
        StatisticsTreeNode node;
        node.FullPath = path;
        node.Text = path.section(QLatin1Char('\\'), -1);
        node.Children = children;
        selected = node;
    }

    std::optional<StatisticsTreeNode> selected;
};
