#include "statwindow/graphcolors.h"

#include "platform/profile/profile.h"
#include "platform/vb/convert.h"
#include "shellcore/mdlcommon_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace veltra::statwindow {

namespace {

QString graphKey(int index)
{
    return QStringLiteral("GRAPH%1").arg(index);
}

// One colour component of the file: 0 for a field that is no number, else
// the number rounded and held to 0-255.
std::int32_t component(const QString &field)
{
    const std::optional<double> number = vb::toNumber(field);
    if (!number || std::isnan(*number))
        return 0;
    return static_cast<std::int32_t>(std::clamp(vb::roundHalfEven(*number), 0.0, 255.0));
}

} // namespace

QString graphColorSection()
{
    return QStringLiteral("グラフカラー");
}

QString pyramidColorSection()
{
    return QStringLiteral("人口ピラミッド");
}

QString hanreiColorPath(const QString &programFolder)
{
    return programFolder + QStringLiteral("HanreiColor.ini");
}

std::int32_t rgbColor(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return red + green * 256 + blue * 65536;
}

QString colorText(std::int32_t colour)
{
    const std::int32_t blue = colour / 65536;
    const std::int32_t green = (colour - blue * 65536) / 256;
    const std::int32_t red = colour - blue * 65536 - green * 256;
    return QStringLiteral("%1,%2,%3").arg(red).arg(green).arg(blue);
}

std::array<std::int32_t, GraphColorCount + 1> defaultGraphColors()
{
    return {0, rgbColor(0, 0, 255), rgbColor(50, 205, 50), rgbColor(173, 255, 47), rgbColor(255, 246, 150),
        rgbColor(135, 206, 250), rgbColor(224, 255, 255), rgbColor(255, 192, 203), rgbColor(186, 85, 211),
        rgbColor(0, 0, 128), rgbColor(219, 112, 147), rgbColor(255, 165, 0), rgbColor(255, 99, 71),
        rgbColor(219, 213, 185), rgbColor(0, 128, 128), rgbColor(230, 230, 255)};
}

std::array<std::int32_t, PyramidColorCount + 1> defaultPyramidColors()
{
    return {0, rgbColor(80, 160, 245), rgbColor(245, 100, 100)};
}

GraphColors defaultColors()
{
    return {defaultGraphColors(), defaultPyramidColors()};
}

void readColorSection(const QString &path, const QString &section, std::int32_t *colours, int count)
{
    for (int i = 1; i <= count; ++i) {
        QString value;
        mdlCommon::ReadIniString(section, graphKey(i), value, path);
        if (value.trimmed().isEmpty())
            return;
        std::vector<QString> fields;
        if (mdlCommon::SplitComma(value, fields) != 3)
            continue;
        colours[i] = rgbColor(component(fields[0]), component(fields[1]), component(fields[2]));
    }
}

GraphColors readGraphColors(const QString &path)
{
    GraphColors colours = defaultColors();
    readColorSection(path, graphColorSection(), colours.graph.data(), GraphColorCount);
    readColorSection(path, pyramidColorSection(), colours.pyramid.data(), PyramidColorCount);
    return colours;
}

bool writeGraphColors(const QString &path, const GraphColors &colours, QString *error)
{
    std::vector<profile::KeyWrite> writes;
    for (int i = 1; i <= GraphColorCount; ++i)
        writes.push_back({graphColorSection(), graphKey(i), colorText(colours.graph[i])});
    for (int i = 1; i <= PyramidColorCount; ++i)
        writes.push_back({pyramidColorSection(), graphKey(i), colorText(colours.pyramid[i])});
    return profile::writeStrings(writes, path, error);
}

} // namespace veltra::statwindow
