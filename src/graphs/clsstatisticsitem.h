#pragma once
// clsStatisticsItem: one statistics item of the statistics map window's item
// tree (a leaf), as plain data. StatisticsProperty is the item's collection
// of attributes: nine of them (the folder of its value files, DataCnt,
// StartField1 and StartField2 of its item-list file among them), then the
// text "RYAKU", then the item's short name. The collection is 1-based in the
// window's terms; element 0 of the vector is member 1.
#include <QVariant>
#include <vector>

class clsStatisticsItem
{
public:
    clsStatisticsItem() = default;
    explicit clsStatisticsItem(std::vector<QVariant> properties)
        : m_properties(std::move(properties))
    { }

    const std::vector<QVariant> &StatisticsProperty() const { return m_properties; }
    void setStatisticsProperty(std::vector<QVariant> properties) { m_properties = std::move(properties); }

private:
    std::vector<QVariant> m_properties;
};
