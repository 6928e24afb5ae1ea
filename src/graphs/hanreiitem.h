#pragma once
// One legend item: a BGR colour (&H00BBGGRR) and its text. The choropleth
// legend keeps "lower/upper/count" in strName; the graph maps keep the item's
// label there.
#include <QString>
#include <cstdint>

struct HanreiItem
{
    std::int32_t lngColor = 0;
    QString strName;
};
