#include "mapwindow/pointertext.h"

#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "zorvik/widget/zorvik.h"

namespace veltra::mapwindow {

namespace {

constexpr std::int64_t unitsPerDegree = 360000;
constexpr std::int64_t unitsPerMinute = 6000;
constexpr std::int64_t unitsPerSecond = 100;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// A real number as a plain number text (15 significant digits, no trailing
// zeros), as the general number format shows it.
QString generalNumber(double value)
{
    QString text = QString::number(value, 'g', 15);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

} // namespace

QString dmsText(std::int32_t world, int baseDegrees)
{
    const std::int64_t degrees = floorDiv(world, unitsPerDegree);
    const std::int64_t rest = world - degrees * unitsPerDegree; // 0 .. 359999
    const std::int64_t minutes = rest / unitsPerMinute;
    const std::int64_t seconds = (rest % unitsPerMinute) / unitsPerSecond;
    return vb::format(static_cast<double>(degrees + baseDegrees), QStringLiteral("000")) + QLatin1Char('.')
        + vb::format(static_cast<double>(minutes), QStringLiteral("00")) + QLatin1Char('.')
        + vb::format(static_cast<double>(seconds), QStringLiteral("00"));
}

QString worldPointerText(std::int32_t x, std::int32_t y)
{
    return QStringLiteral("ﾜｰﾙﾄﾞ座標  X: %1, Y: %2").arg(x).arg(y);
}

QString planePointerText(double planeX, double planeY)
{
    return QStringLiteral("19座標系  X: %1, Y: %2").arg(generalNumber(planeX), generalNumber(planeY));
}

QString latLonPointerText(std::int32_t x, std::int32_t y)
{
    return QStringLiteral("緯度: %1, 経度: %2").arg(dmsText(y, 24), dmsText(x, 122));
}

QString devicePointerText(double deviceX, double deviceY)
{
    return QStringLiteral("ﾃﾞﾊﾞｲｽ座標  X: %1, Y: %2")
        .arg(static_cast<qint64>(vb::roundHalfEven(deviceX)))
        .arg(static_cast<qint64>(vb::roundHalfEven(deviceY)));
}

std::optional<QString> pointerText(
    std::int16_t pointType, std::int32_t x, std::int32_t y, const zorvik::Zorvik &map)
{
    double outX = 0, outY = 0;
    switch (pointType) {
    case 0:
        return worldPointerText(x, y);
    case 1:
        map.ConvertCoord(0, x, y, outX, outY, map.PlaneZoneNo());
        return planePointerText(outX, outY);
    case 2:
        return latLonPointerText(x, y);
    case 3:
        map.ConvertCoord(4, x, y, outX, outY, map.PlaneZoneNo());
        return devicePointerText(outX, outY);
    default:
        return std::nullopt;
    }
}

} // namespace veltra::mapwindow
