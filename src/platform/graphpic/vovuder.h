#pragma once
// The graph-picture calls of the pie and bar graph maps: one call draws one
// area's graph into two picture files the caller has already created (empty):
// the first at Width x Height pixels for the map, the second the same graph
// at twice the size for printing and export. Both are PNG with a transparent
// background.
//
// Pie: a circle as large as the picture's shorter side allows; each item with
// a positive value is a slice of its share of the values' sum, in item order
// clockwise from twelve o'clock (the callers pass percentages that may add
// up to 99 or 101 after rounding; the circle is closed all the same).
// Bar: the picture is split into ItemCount equal columns in item order; each
// item is a bar from the bottom, value / 100 of the picture high (capped at
// the full height); an item of 0 keeps its column empty.
// Slices and bars have a thin dark outline. Colours are BGR Longs
// (&H00BBGGRR).
//
// Common use: fill one record, create the two files, call VoVuderCircle or
// VoVuderBar, put both paths into the graph element's name.
#include <QString>
#include <array>
#include <cstdint>

struct VoVuderItem
{
    std::int32_t Value = 0;
    std::int32_t Color = 0; // &H00BBGGRR
};

struct VoVuderParam
{
    static constexpr int MaxItems = 64;

    QString OutFile1; // Width x Height
    QString OutFile2; // twice the size
    std::int32_t ItemCount = 0; // items used, 0 to MaxItems
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Reserved = 0;
    std::array<VoVuderItem, MaxItems> Items{};
};

// What a call returns.
enum VoVuderResult : std::int32_t {
    VoVuderOk = 0, // both pictures written, or nothing to draw (a size of 0 or less)
    VoVuderBadRecord = 1, // ItemCount outside 0..64, or a picture too large to make
    VoVuderWriteFailed = 2, // a picture file could not be written (see `error`)
};

// A width or height of 0 or less draws nothing and leaves both files as they
// are. The pictures are written in place (the files are the caller's fresh
// temporary files, not the user's). On a failure `error` receives a message
// for the user; a file already written stays whole.
std::int32_t VoVuderCircle(const VoVuderParam &param, QString *error = nullptr);
std::int32_t VoVuderBar(const VoVuderParam &param, QString *error = nullptr);
