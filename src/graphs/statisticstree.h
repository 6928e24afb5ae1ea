#pragma once
// StatisticsTree: what the item selector reads of its host's tree of
// statistics items: the selected node, with its text, its full path (the
// node texts from the root joined by backslashes), its number of children
// (0 for a leaf) and the item a leaf stands for. The host window implements
// it over its tree widget; tests use a fake.
#include "graphs/clsstatisticsitem.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

struct StatisticsTreeNode
{
    QString Text;
    QString FullPath;
    std::int32_t Children = 0;
    std::shared_ptr<const clsStatisticsItem> Item; // null for a node that is no item
};

class StatisticsTree
{
public:
    virtual ~StatisticsTree() = default;
    // The selected node; nullopt when none is selected.
    virtual std::optional<StatisticsTreeNode> SelectedItem() const = 0;
};
