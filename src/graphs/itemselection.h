#pragma once
// ItemSelection: what the analysis-file class asks of the statistics item
// selector (ctlSelect): the option choices of its frames, the sub-items of a
// chosen entry, and the saved choices handed back when an analysis header is
// read. The selector control implements it; tests use a fake.
#include <QString>
#include <cstdint>
#include <vector>

class ItemSelection
{
public:
    virtual ~ItemSelection() = default;

    // selflg 1: the calculation (1 "割合(%)", 2 "比率", 3 "増加率");
    // 2: the expression kind (1 "絶対値", 2 "相対値"); 3: the flow direction
    // (1 "流入", 2 "流出"). 255 when the frame is hidden, nothing of the group
    // is chosen, for any other selflg and on any error.
    virtual std::int16_t GetItemSelect(std::int16_t selflg) const = 0;

    // The sub-items of entry ItemIDX (1-based) of list Index (0 to 3) into
    // strItemData(0 .. m-1), m being the entry's sub-item count, with
    // element m empty. A list or entry that does not exist raises an error
    // (platform/vb/errors.h) to the caller.
    virtual void GetSubItemData(
        std::int32_t Index, std::int32_t ItemIDX, std::vector<QString> &strItemData) const = 0;

    // The choices saved in an analysis header: the graph kind, "expression
    // kind/flow kind/calculation kind/method", the count of names and the
    // names joined by "/".
    virtual void setSelectData(std::int16_t selGraph, const QString &strSelData, std::int32_t intDatasuu,
        const QString &strKoumokuData) = 0;
};
