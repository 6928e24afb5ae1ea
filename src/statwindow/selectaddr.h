#pragma once
// The codes of the selected areas: one code text per entry of the window's
// selected-area list, made from the entry's code columns by area level.
//
// Level 0 or 1: the prefecture "00"; level 2: prefecture "00" and
// municipality "000", or "00000" (code kind 5) when the entry's municipality
// code text has five characters; level 3: prefecture "00", municipality "000"
// and town block "000000". Arrays run from index 1; element 0 is empty.
#include <QString>
#include <cstdint>
#include <vector>

namespace veltra::statwindow {

// The code columns of one selected-area list entry, as the list holds them
// (numbers without leading zeros).
struct SelectAddrEntry
{
    QString prefCode; // 都道府県コード
    QString cityCode; // 市区町村コード
    QString townCode; // 町丁字コード
};

inline constexpr std::int32_t CodeKindNormal = 3;
inline constexpr std::int32_t CodeKindFiveDigitCity = 5;

} // namespace veltra::statwindow

void GetSelectAddrCodes(std::int32_t anaRange, const std::vector<veltra::statwindow::SelectAddrEntry> &entries,
    std::vector<QString> &strCodes, std::vector<std::int32_t> &lngCodeKinds, std::int32_t &lngCount);
