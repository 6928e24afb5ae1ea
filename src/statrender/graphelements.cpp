#include "statrender/graphelements.h"

#include "mapwindow/elementinfo.h"
#include "platform/vb/convert.h"
#include "statrender/analysislines.h"
#include "statrender/statelements.h"
#include "zorvik/core/types.h"

#include <cmath>

namespace ComPSY {

namespace {

constexpr std::int16_t StatKindGraph = zorvik::FirstStatKind;

std::int32_t fieldNumber(const std::vector<QString> &lines, std::int32_t line, std::int32_t field)
{
    return veltra::vb::cLng(GetLineField(lines, line, field));
}

// Millimetres of the size class of `average` for the size mode; 0 for a
// mode without classes.
std::int32_t classMillimetres(const std::vector<QString> &classes, std::int32_t sizeMode, double average)
{
    if (sizeMode < 1 || sizeMode > 3)
        return 0;
    const std::int32_t first = 2 + (sizeMode - 1) * 3;
    for (std::int32_t line = first; line < first + 2; ++line) {
        if (fieldNumber(classes, line, 3) <= average && average < fieldNumber(classes, line, 4))
            return fieldNumber(classes, line, 1);
    }
    return fieldNumber(classes, first + 2, 1);
}

std::int32_t rootOf(double value)
{
    return veltra::vb::cLng(std::sqrt(value));
}

} // namespace

QString MakeElementName(const QString &areaCode, const QString &dataPath, std::int32_t lineNumber,
    std::int32_t sizeFigure, std::int32_t x, std::int32_t y, const QString &picture1, const QString &picture2)
{
    QString name = areaCode + QLatin1Char(',') + dataPath + QLatin1Char(',') + QString::number(lineNumber)
        + QLatin1Char(',') + QString::number(sizeFigure) + QLatin1Char(',') + QString::number(x)
        + QLatin1Char(',') + QString::number(y) + QLatin1Char(',') + picture1;
    if (!picture2.isEmpty())
        name += QLatin1Char(',') + picture2;
    return name;
}

void GetGraphSize(std::int32_t graphKind, const std::vector<QString> &sizeClasses, std::int32_t sizeMode,
    double total, std::int32_t &width, std::int32_t &height, std::int32_t &pictureSize, double average)
{
    const std::int32_t m = classMillimetres(sizeClasses, sizeMode, average);
    const std::int32_t p = veltra::vb::cLng(m * 90.0 / 25.4);
    pictureSize = p;
    const bool sized = m != 0 && total != 0;
    switch (graphKind) {
    case 2:
        width = height = 0;
        if (sized) {
            // With no average to compare with, the graph has its class's size.
            width = height = average == 0 ? p : rootOf(double(p) * p * total / average);
        }
        break;
    case 3:
        width = 30;
        height = 200;
        if (sized)
            height = average == 0 ? p : rootOf(double(p) * p * (total / average * 2));
        break;
    default:
        break;
    }
}

void PSY_AddGraphElement(zorvik::Zorvik *engine, const QString &name, std::int32_t x, std::int32_t y,
    std::int32_t x2, std::int32_t y2)
{
    ElementInfo record;
    if (MakePointElement(record, StatKindGraph, name, x, y))
        PSY_AddElementForLevel9(engine, record);
    if (MakeLineElement(record, StatKindGraph, x, y, x2, y2))
        PSY_AddElementForLevel9(engine, record);
}

bool PSY_AddTextElement(
    zorvik::Zorvik *engine, std::int16_t kind, const QString &text, std::int32_t x, std::int32_t y)
{
    ElementInfo record;
    if (!MakePointElement(record, kind, text, x, y))
        return false;
    return PSY_AddElementForLevel9(engine, record);
}

std::int16_t GetRed(std::int32_t colour)
{
    return static_cast<std::int16_t>(colour & 0xFF);
}

std::int16_t GetGreen(std::int32_t colour)
{
    return static_cast<std::int16_t>((colour >> 8) & 0xFF);
}

std::int16_t GetBlue(std::int32_t colour)
{
    return static_cast<std::int16_t>((colour >> 16) & 0xFF);
}

} // namespace ComPSY
