// ComSampleProgram2: the temporary search shapes in the engine and the area
// codes of a found element set.
#include "mapwindow/mdlelement.h"
#include "shell/comdatectrl.h"
#include "shell/compsy.h"
#include "shell/globals.h"
#include "statwindow/comsampleprogram2.h"
#include "statwindow/searchshapes.h"
#include "zorvik/widget/zorvik.h"

using veltra::statwindow::PointList;

namespace ComSampleProgram2 {

namespace {

constexpr std::int32_t CirclePointCount = 91;

// A lone polygon record in a fresh set in `shape`; an earlier set there is
// released first.
void putShape(zorvik::Zorvik &engine, const PointList &points, std::int16_t kind,
    const std::array<std::int32_t, 6> &dates, std::int32_t &shape)
{
    engine.ReleaseElements(shape);
    shape = 0;
    engine.CreateElementList(shape);
    zorvik::ElementRecord record;
    record.Type = zorvik::TypeVector;
    record.PNum = static_cast<std::int32_t>(points.x.size());
    record.iPra = {0, 0, kind};
    record.lPra = dates;
    record.X = points.x;
    record.Y = points.y;
    engine.AddElementToList(shape, record);
}

constexpr std::array<std::int32_t, 6> ShapeDates{0, 0, -1, -1, 0, 0};
constexpr std::array<std::int32_t, 6> CircleDates{0, 0, 65535, 65535, 0, 0};

// The first day of the display period lies on or before 30 September 1970.
veltra::statwindow::CodePeriod codePeriod(const zorvik::Zorvik &engine)
{
    std::int32_t day = 0;
    if (ComDateCtrl::DaysBetween(QStringLiteral("昭和45年09月30日"), gdtBaseDate, day)
        && engine.DateMode() <= day)
        return veltra::statwindow::CodePeriod::UpTo1970;
    return veltra::statwindow::CodePeriod::After1970;
}

} // namespace

void MakePolygonShape(zorvik::Zorvik &engine, const std::vector<std::int32_t> &X,
    const std::vector<std::int32_t> &Y, std::int16_t intIPra2, std::int32_t &lngShape)
{
    PointList points;
    points.x = X;
    points.y = Y;
    points.y.resize(points.x.size(), 0);
    putShape(engine, points, intIPra2, ShapeDates, lngShape);
}

void MakeCircleShape(zorvik::Zorvik &engine, std::int32_t lngX, std::int32_t lngY, std::int32_t lngRadius,
    std::int32_t &lngShape)
{
    PointList points;
    GetCirclePoints(engine, lngRadius, CirclePointCount, lngX, lngY, points.x, points.y);
    putShape(engine, points, gintTempIPra2, CircleDates, lngShape);
}

void GetCirclePoints(zorvik::Zorvik &engine, std::int32_t lngRadius, std::int32_t lngCount, std::int32_t lngX,
    std::int32_t lngY, std::vector<std::int32_t> &X, std::vector<std::int32_t> &Y)
{
    const PointList ring
        = veltra::statwindow::circlePoints(lngCount, lngRadius, lngX, lngY, 1.0 / engine.WorldPerDevice());
    X = ring.x;
    Y = ring.y;
}

bool MakeBandShape(
    zorvik::Zorvik &engine, std::int32_t lngLineSet, std::int32_t &lngHalfWidth, std::int32_t &lngShape)
{
    std::int32_t elem = 0;
    ElementInfo info;
    if (!veltra::mapwindow::readElementInfo(engine, lngLineSet, elem, info, 1))
        return false;
    const std::optional<veltra::statwindow::Band> band
        = veltra::statwindow::bandOutline({info.lX, info.lY}, lngHalfWidth);
    if (!band)
        return false;
    lngHalfWidth = band->reducedHalfWidth;
    putShape(engine, band->outline, info.iPra[2], ShapeDates, lngShape);
    return true;
}

std::int32_t CollectAreaCodes(
    zorvik::Zorvik &engine, std::int32_t lngSet, std::int16_t intKind, std::vector<QString> &strCodes)
{
    strCodes.assign(1, QStringLiteral("0,0,0"));
    // A search that found nothing leaves no set; there is nothing to read.
    if (lngSet == 0)
        return 0;
    const veltra::statwindow::CodePeriod period = codePeriod(engine);
    std::int32_t elem = 0;
    for (;;) {
        if (ComPSY::PSY_CheckCancel())
            return 0;
        ElementInfo info;
        if (!veltra::mapwindow::readElementInfo(engine, lngSet, elem, info, 0))
            break;
        if (info.lX.empty() || info.lY.empty())
            continue;
        const std::optional<QString> code
            = veltra::statwindow::areaCode(intKind, info.Key, info.iPra[2], period);
        if (code) {
            strCodes.push_back(QString::number(info.lX[0]) + QLatin1Char(',') + QString::number(info.lY[0])
                + QLatin1Char(',') + *code);
        }
    }
    return static_cast<std::int32_t>(strCodes.size()) - 1;
}

} // namespace ComSampleProgram2
