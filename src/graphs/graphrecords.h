#pragma once
// The records of the graph-drawing class: one fed segment and one class of
// the choropleth classification. Colours are BGR (&H00BBGGRR).
#include <QString>
#include <cstdint>

// One entry of the segment list: an area's or item's statistic.
struct GraphSegment
{
    double Value = 0; // the statistic; a scatter point's Y value
    std::int32_t Color = 0;
    QString Name;
    double Setaisuu = 0; // the household count; a scatter point's X value
    double PlotX = 0; // where the scatter diagram plotted the point (twips)
    double PlotY = 0;
};

// One class: [Ijyou, Miman), the last class closed at the largest value.
struct ClassRange
{
    double Kensuu = 0; // values in the class
    double Ijyou = 0;
    double Miman = 0;
};
