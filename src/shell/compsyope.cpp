#include "shell/compsyope.h"

#include "platform/fs/fs.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"

#include <cmath>

namespace ComPSYOpe {

void DeleteFolder(const QString &folderPath)
{
    if (folderPath.isEmpty() || !veltra::fs::folderExists(folderPath))
        throw veltra::vb::FileError("Path not found: \"" + folderPath.toStdString() + "\"");
    if (!veltra::fs::deleteFolder(folderPath))
        throw veltra::vb::FileError("Cannot delete the folder \"" + folderPath.toStdString() + "\"");
}

namespace {

constexpr double kPi = 3.14159265; // the value the flow maps were drawn with
constexpr double kBarbLength = 10000;
constexpr double kBarbAngle = 20;

double radians(double degrees)
{
    return degrees / 180 * kPi;
}

} // namespace

std::int16_t GetAngle(double dx, double dy)
{
    if (dy == 0)
        return dx >= 0 ? 0 : 180;
    // The arc cosine of dx / r, taken as atan2(|dy|, dx): a vector so close
    // to the x axis that the cosine computes as exactly 1 has no trouble here.
    const double degrees = std::atan2(std::fabs(dy), dx) / kPi * 180;
    const double whole = std::floor(degrees);
    return static_cast<std::int16_t>(degrees - whole >= 0.5 ? whole + 1 : whole);
}

void GetArrowHead(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t &barb1X,
    std::int32_t &barb1Y, std::int32_t &barb2X, std::int32_t &barb2Y)
{
    if (x1 == x2 && y1 == y2) {
        barb1X = barb2X = x2;
        barb1Y = barb2Y = y2;
        return;
    }
    const double L = kBarbLength;
    const double v = GetAngle(std::fabs(double(x2) - x1), std::fabs(double(y2) - y1));
    const double s20 = std::sin(radians(kBarbAngle)) * L, c20 = std::cos(radians(kBarbAngle)) * L;
    const double sA = std::sin(radians(v + kBarbAngle)) * L, cA = std::cos(radians(v + kBarbAngle)) * L;
    const double sB = std::sin(radians(v - kBarbAngle)) * L, cB = std::cos(radians(v - kBarbAngle)) * L;
    double ax, ay, bx, by; // the barbs' offsets from point 2
    const int sx = (x2 > x1) - (x2 < x1), sy = (y2 > y1) - (y2 < y1);
    if (sx == 0) { // along y
        ax = -sy * s20, ay = -sy * c20;
        bx = sy * s20, by = -sy * c20;
    } else if (sy == 0) { // along x
        ax = -sx * c20, ay = sx * s20;
        bx = -sx * c20, by = -sx * s20;
    } else if (sx == sy) { // both increasing or both decreasing
        ax = -sx * cA, ay = -sx * sA;
        bx = -sx * cB, by = -sx * sB;
    } else { // one increasing, the other decreasing
        ax = -sx * cB, ay = sx * sB;
        bx = -sx * cA, by = sx * sA;
    }
    barb1X = veltra::vb::cLng(x2 + ax);
    barb1Y = veltra::vb::cLng(y2 + ay);
    barb2X = veltra::vb::cLng(x2 + bx);
    barb2Y = veltra::vb::cLng(y2 + by);
}

} // namespace ComPSYOpe
