#pragma once
// The graph colours of the statistics windows and their file HanreiColor.ini
// in the program folder.
//
// GraphColors holds the 15 graph colours (pie and bar segments, choropleth
// classes of the preview) in entries 1 to 15 and the 2 pyramid colours (left
// and right series) in entries 1 and 2; element 0 of each is unused. Colours
// are VB RGB values (&H00BBGGRR: red + green * 256 + blue * 65536).
//
// Reading a section takes GRAPH1, GRAPH2, ... in order and stops at the
// first key whose value is empty, so the entries after it keep what they
// held. A value of exactly three comma-separated fields ("," or "，") is the
// colour red, green, blue; a field that is not a number counts as 0 and a
// number is rounded and held to 0-255. A value with any other field count
// leaves its entry alone and reading goes on. Writing stores all 17 entries
// as "R,G,B" in one atomic write, whatever the file held.
#include <QString>
#include <array>
#include <cstdint>

namespace veltra::statwindow {

inline constexpr int GraphColorCount = 15;
inline constexpr int PyramidColorCount = 2;

struct GraphColors
{
    std::array<std::int32_t, GraphColorCount + 1> graph{};
    std::array<std::int32_t, PyramidColorCount + 1> pyramid{};
};

// The sections of HanreiColor.ini.
QString graphColorSection(); // "グラフカラー"
QString pyramidColorSection(); // "人口ピラミッド"

// "HanreiColor.ini" in the program folder (a folder ending in a separator).
QString hanreiColorPath(const QString &programFolder);

// VB's RGB; the components are taken as they are.
std::int32_t rgbColor(std::int32_t red, std::int32_t green, std::int32_t blue);
// "R,G,B" of a stored colour.
QString colorText(std::int32_t colour);

// The default colours (SetDefaultColor of kind 0 and of any other kind).
std::array<std::int32_t, GraphColorCount + 1> defaultGraphColors();
std::array<std::int32_t, PyramidColorCount + 1> defaultPyramidColors();
GraphColors defaultColors();

// Reads GRAPH1 ... GRAPH<count> of `section` over entries 1 to count of
// `colours` (a pointer to element 0 of an array of count + 1 entries).
void readColorSection(const QString &path, const QString &section, std::int32_t *colours, int count);

// The defaults with both sections of the file read over them; a missing file
// gives the defaults.
GraphColors readGraphColors(const QString &path);

// Writes the 15 graph and 2 pyramid keys. False, with the reason in `error`,
// when the file cannot be written; the old file then stays as it was.
bool writeGraphColors(const QString &path, const GraphColors &colours, QString *error = nullptr);

} // namespace veltra::statwindow
