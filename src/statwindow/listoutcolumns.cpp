#include "statwindow/listoutcolumns.h"

#include "graphs/ctlselect.h"
#include "graphs/globals.h"

namespace veltra::statwindow {

namespace {

QString firstName(const ctlSelect &select, std::int32_t list)
{
    std::vector<QString> names;
    select.GetItemData(list, names);
    return names.empty() ? QString() : names.front();
}

QString detailOf(const std::vector<QString> &details, std::size_t i)
{
    return i < details.size() ? details[i] : QString();
}

} // namespace

std::vector<QString> tableColumnNames(const ctlSelect &select, std::int32_t graphKind)
{
    std::vector<QString> item;
    select.GetItemData(0, item);
    switch (graphKind) {
    case GraphKindNuri:
        if (select.ListCount(1) > 0)
            item = {firstName(select, 0), firstName(select, 1), QString()};
        break;
    case GraphKindPyramid: {
        std::vector<QString> details;
        select.GetSubItemData(0, 1, details);
        item = {detailOf(details, 7), detailOf(details, 8), QString()};
        break;
    }
    case GraphKindSanpuzu: {
        const std::int32_t total
            = select.ListCount(2) + select.ListCount(0) + select.ListCount(1) + select.ListCount(3);
        item.assign(static_cast<std::size_t>(total) + 1, QString());
        item[0] = firstName(select, 0);
        item[1] = firstName(select, 2);
        std::size_t next = 2;
        if (select.ListCount(1) >= 1)
            item[next++] = firstName(select, 1);
        if (select.ListCount(3) >= 1)
            item[next] = firstName(select, 3);
        break;
    }
    default:
        break;
    }
    return item;
}

} // namespace veltra::statwindow
