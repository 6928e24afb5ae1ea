#pragma once
// A stand-in for the item selector: answers set by the test for each option
// group, sub-items per entry, and a record of the choices handed back.
#include "graphs/itemselection.h"
#include "platform/vb/errors.h"

#include <map>
#include <utility>

class FakeItemSelection : public ItemSelection
{
public:
    struct SelectData
    {
        std::int16_t selGraph = 0;
        QString selData;
        std::int32_t count = 0;
        QString names;
    };

    std::int16_t GetItemSelect(std::int16_t selflg) const override
    {
        const auto it = answers.find(selflg);
        return it == answers.end() ? 255 : it->second;
    }
    void GetSubItemData(std::int32_t Index, std::int32_t ItemIDX, std::vector<QString> &strItemData) const override
    {
        const auto it = subItems.find({Index, ItemIDX});
        if (it == subItems.end())
            throw veltra::vb::SubscriptOutOfRange("no entry");
        strItemData = it->second;
    }
    void setSelectData(std::int16_t selGraph, const QString &strSelData, std::int32_t intDatasuu,
        const QString &strKoumokuData) override
    {
        handedBack.push_back({selGraph, strSelData, intDatasuu, strKoumokuData});
    }

    std::map<std::int16_t, std::int16_t> answers; // selflg -> answer; 255 when absent
    std::map<std::pair<std::int32_t, std::int32_t>, std::vector<QString>> subItems;
    std::vector<SelectData> handedBack;
};
