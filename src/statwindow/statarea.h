#pragma once
// StatArea: one selected area of the statistics graph being built, with its
// place-name row (position, codes, name) and what the readers filled in: one
// value and status per item, the two age-class series of a pyramid and the
// flow partners of a flow map.
//
// Every per-item, per-class and partner array holds an unused element 0, so
// item i, class c and partner k sit at index i, c and k (from 1). AreaCode has
// 11 characters ("00" prefecture, "000" municipality, "000000" town block),
// or 13 when the area was selected with a five-digit municipality code.
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

// A value of an area: empty, a number, or a text (picture names and markers
// that graph creation stores among the numbers).
using StatValue = std::variant<std::monostate, double, QString>;

// One flow partner of an area.
struct RyusenPair
{
    std::int32_t PartnerCode = 0; // field 1 of the flow line
    double FlowCount = 0;
};

// DataFlag values.
inline constexpr std::int32_t StatFlagRead = 0; // a value was read
inline constexpr std::int32_t StatFlagNoData = 1; // the field held "-"
inline constexpr std::int32_t StatFlagNotFound = 2; // no line for the area

struct StatArea
{
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t PrefCode = 0;
    std::int32_t CityCode = 0; // 0 for a prefecture
    std::int32_t TownCode = 0; // 0 for a prefecture or a municipality
    QString AreaCode;
    QString AreaName; // the area's own name column only
    QString ItemName; // never filled
    std::vector<std::int32_t> DataFlag;
    std::vector<StatValue> Value;
    std::vector<StatValue> CalcValue; // 0..1 once graph creation made it
    std::vector<double> ManValue;
    std::vector<double> WomanValue;
    std::vector<RyusenPair> Ryusen;
};

// The number in a value; 0 for an empty value or a text.
double statNumber(const StatValue &value);
