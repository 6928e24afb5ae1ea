#pragma once
// The procedures of mdlElement on any engine type that offers the engine's
// member names (the headless core, the map control, or a test double).
// Included by mdlelement.cpp, which instantiates them for the core and the
// control, and by tests that need an engine in a state the real one never
// reaches.
#include "mapwindow/kindstyleconv.h"
#include "mapwindow/mdlelement.h"
#include "platform/ui/msgbox.h"
#include "zorvik/core/types.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace veltra::mapwindow {

namespace detail {

// The engine fills name buffers of this many blanks.
inline QString nameBuffer()
{
    return QString(128, QLatin1Char(' '));
}

inline void showReadError(const char *call, int result)
{
    ui::MsgBox(QStringLiteral("%1 Error = ComZorGetElementInfo(%2)").arg(QLatin1String(call)).arg(result),
        ui::vbOKOnly);
}

template <class E>
std::int16_t removeFromSet(E &engine, std::int32_t set, const std::vector<std::int32_t> &handles)
{
    int result = zorvik::code::Ok;
    for (std::int32_t h : handles)
        result = engine.DeleteElementToList(set, h);
    return static_cast<std::int16_t>(result);
}

} // namespace detail

template <class E>
bool readElementInfo(
    E &engine, std::int32_t set, std::int32_t &elem, ElementInfo &info, std::int16_t allPoints)
{
    if (engine.GetNextElementHandle(set, elem) != zorvik::code::Ok) {
        ui::MsgBox(QStringLiteral("領域が取得できませんでした。"), ui::vbInformation);
        // The handle did not advance: reading on would repeat it for ever.
        return false;
    }
    if (elem == 0)
        return false;

    info.Handle = set;
    info.IndexH = elem;
    zorvik::ElementRecord record;
    record.Type = info.Type;
    record.PNum = info.PNum;
    record.iPra = info.iPra;
    record.lPra = info.lPra;
    record.Key = QString(512, QLatin1Char(' '));
    const int infoResult = engine.GetElementsInfo(set, elem, record);
    info.Type = record.Type;
    info.PNum = record.PNum;
    info.iPra = record.iPra;
    info.lPra = record.lPra;
    splitKey(record.Key, info.Key, info.Comment);
    if (infoResult != zorvik::code::Ok)
        detail::showReadError("GetElementsInfo", infoResult);

    if (info.PNum > 0) {
        const std::int32_t count = allPoints != 0 ? info.PNum : 1;
        info.lX.assign(static_cast<std::size_t>(count), 0);
        info.lY.assign(static_cast<std::size_t>(count), 0);
        const int pointsResult = engine.GetElementPoints(set, elem, count, info.lX, info.lY);
        if (pointsResult != zorvik::code::Ok)
            detail::showReadError("GetElementPoints", pointsResult);
    } else {
        // An element without points must not show the previous element's.
        info.lX.clear();
        info.lY.clear();
    }
    return true;
}

template <class E> QString kindName(E &engine, std::int16_t kind, std::int32_t typeFlag)
{
    QString name = detail::nameBuffer();
    const int result = typeFlag == 1 ? engine.GetConnectorName(kind, name) : engine.GetVectorName(kind, name);
    return result != zorvik::code::Ok ? QString() : name;
}

template <class E> std::int16_t vectKindStyle(E &engine, std::int16_t kind, ElmKindStyle &style)
{
    QString name = detail::nameBuffer();
    engine.GetVectorName(kind, name);
    style.Name = name;
    zorvik::Style6 numbers;
    engine.GetVectorDispInfo(kind, style.Disp, style.Pick, numbers);
    int result = zorvik::code::Ok;
    std::int32_t width = 0, code = 0;
    std::int16_t lineType = 0; // an unknown code repeats the state before
    for (int s = 0; s < 3; ++s) {
        engine.GetPaletteColor(numbers.n[2 * s], style.R[s], style.G[s], style.B[s]);
        result = engine.GetLineType(numbers.n[2 * s + 1], width, code);
        if (const auto converted = lineTypeFromEngineCode(code))
            lineType = *converted;
        style.LineType[s] = lineType;
        style.LineWidth[s] = static_cast<std::int16_t>(std::clamp<std::int32_t>(width, INT16_MIN, INT16_MAX));
    }
    style.Hatch = 0;
    style.FillStyle = 0;
    style.HatchIndex = 0;
    style.Pal = numbers.n;
    return static_cast<std::int16_t>(result);
}

template <class E> std::int16_t cnectKindStyle(E &engine, std::int16_t kind, ElmKindStyle &style)
{
    QString name = detail::nameBuffer();
    engine.GetConnectorName(kind, name);
    style.Name = name;
    zorvik::Style6 numbers;
    engine.GetConnectorDispInfo(kind, style.Disp, style.Pick, style.Hatch, numbers, style.HatchIndex);
    std::int32_t hatchCode = 0;
    if (engine.GetHatch(style.HatchIndex, hatchCode) == zorvik::code::Ok) {
        if (const auto converted = fillStyleFromHatchCode(hatchCode))
            style.FillStyle = *converted;
    }
    int result = zorvik::code::Ok;
    for (int s = 0; s < 3; ++s) {
        result = engine.GetPaletteColor(numbers.n[2 * s], style.R[s], style.G[s], style.B[s]);
        style.LineType[s] = 0;
        style.LineWidth[s] = 0;
    }
    style.Pal = numbers.n;
    return static_cast<std::int16_t>(result);
}

template <class E>
std::optional<std::int16_t> filterSetBySpace(E &engine, std::int32_t set, std::int16_t space)
{
    if (space == -1)
        return std::nullopt;
    std::int16_t count = 0;
    int result = engine.GetSpaceIDVectorIDListCount(space, count);
    std::vector<std::int16_t> vectorKinds;
    if (count > 0)
        result = engine.GetSpaceIDVectorIDList(space, count, vectorKinds);

    std::vector<std::int32_t> dropped;
    if (set != 0) {
        std::int32_t elem = 0;
        ElementInfo info;
        while (readElementInfo(engine, set, elem, info, 0)) {
            bool keep = false;
            if (info.Type == zorvik::TypeConnector) {
                QString name, dll;
                std::int16_t owner = 0;
                // An unknown connector kind belongs to no space.
                keep = engine.GetConnectorKindInfo(info.iPra[2], name, owner, dll) == zorvik::code::Ok
                    && owner == space;
            } else {
                keep = std::find(vectorKinds.begin(), vectorKinds.end(), info.iPra[2]) != vectorKinds.end();
            }
            if (!keep)
                dropped.push_back(elem);
        }
    }
    if (!dropped.empty())
        result = detail::removeFromSet(engine, set, dropped);
    return static_cast<std::int16_t>(result);
}

template <class E>
std::optional<std::int16_t> filterSetByKind(
    E &engine, std::int32_t set, std::int16_t kind, std::int16_t selector)
{
    if (kind == -1)
        return std::nullopt;
    if (selector != 1 && selector != 2)
        return std::int16_t{0};
    const std::int16_t wantedType = selector == 1 ? zorvik::TypeVector : zorvik::TypeConnector;
    std::vector<std::int32_t> dropped;
    std::int32_t elem = 0;
    ElementInfo info;
    while (readElementInfo(engine, set, elem, info, 0)) {
        if (info.Type != wantedType || info.iPra[2] != kind)
            dropped.push_back(elem);
    }
    return detail::removeFromSet(engine, set, dropped);
}

} // namespace veltra::mapwindow
