#include "zorvik/core/geo.h"

#include <QByteArray>
#include <array>
#include <cmath>
#include <memory>
#include <mutex>
#include <proj.h>

namespace zorvik::geo {

namespace {

constexpr double A = 6378137.0; // GRS80 semi-major axis
constexpr double F = 1.0 / 298.257222101; // GRS80 flattening
constexpr double E2 = F * (2.0 - F);
constexpr double Pi = 3.14159265358979323846;

// Zone origins (latitude, longitude in degrees) of zones 1..19.
constexpr std::array<ZoneOrigin, 19> Origins = {{
    {33.0, 129.5},
    {33.0, 131.0},
    {36.0, 132.0 + 10.0 / 60},
    {33.0, 133.5},
    {36.0, 134.0 + 20.0 / 60},
    {36.0, 136.0},
    {36.0, 137.0 + 10.0 / 60},
    {36.0, 138.5},
    {36.0, 139.0 + 50.0 / 60},
    {40.0, 140.0 + 50.0 / 60},
    {44.0, 140.25},
    {44.0, 142.25},
    {44.0, 144.25},
    {26.0, 142.0},
    {26.0, 127.5},
    {26.0, 124.0},
    {26.0, 131.0},
    {20.0, 136.0},
    {26.0, 154.0},
}};

struct ProjDeleter
{
    void operator()(PJ *p) const { proj_destroy(p); }
};

// One transverse Mercator operation per zone, made on first use.
std::mutex g_projMutex;
std::array<std::unique_ptr<PJ, ProjDeleter>, 19> g_zones;

PJ *zoneOperation(int zone)
{
    auto &slot = g_zones[zone - 1];
    if (!slot) {
        const ZoneOrigin o = Origins[zone - 1];
        const QByteArray def = QByteArray("+proj=tmerc +lat_0=") + QByteArray::number(o.lat, 'g', 17)
            + " +lon_0=" + QByteArray::number(o.lon, 'g', 17)
            + " +k=0.9999 +x_0=0 +y_0=0 +ellps=GRS80 +units=m";
        slot.reset(proj_create(PJ_DEFAULT_CTX, def.constData()));
    }
    return slot.get();
}

// Runs the zone's operation on one point (radians forward, metres east and
// north back): false for a zone outside 1..19 or a point it cannot map.
bool transform(
    int zone, PJ_DIRECTION direction, double first, double second, double &outFirst, double &outSecond)
{
    if (zone < 1 || zone > 19)
        return false;
    std::lock_guard lock(g_projMutex);
    PJ *op = zoneOperation(zone);
    if (!op)
        return false;
    const PJ_COORD c = proj_trans(op, direction, proj_coord(first, second, 0, 0));
    if (!std::isfinite(c.v[0]) || !std::isfinite(c.v[1]))
        return false;
    outFirst = c.v[0];
    outSecond = c.v[1];
    return true;
}

} // namespace

double longitude(double worldX)
{
    return OriginLon + worldX / UnitsPerDegree;
}

double latitude(double worldY)
{
    return OriginLat + worldY / UnitsPerDegree;
}

double worldX(double lon)
{
    return (lon - OriginLon) * UnitsPerDegree;
}

double worldY(double lat)
{
    return (lat - OriginLat) * UnitsPerDegree;
}

double metresPerUnitY(double latitudeDeg)
{
    const double s = std::sin(latitudeDeg * Pi / 180.0);
    const double w = std::sqrt(1.0 - E2 * s * s);
    const double meridian = A * (1.0 - E2) / (w * w * w);
    return meridian * Pi / (180.0 * UnitsPerDegree);
}

double metresPerUnitX(double latitudeDeg)
{
    const double phi = latitudeDeg * Pi / 180.0;
    const double s = std::sin(phi);
    const double primeVertical = A / std::sqrt(1.0 - E2 * s * s);
    return primeVertical * std::cos(phi) * Pi / (180.0 * UnitsPerDegree);
}

double meterFactor(double latitudeDeg)
{
    return std::round(1000.0 * metresPerUnitY(latitudeDeg));
}

double xyUnitRatio(double latitudeDeg)
{
    return metresPerUnitX(latitudeDeg) / metresPerUnitY(latitudeDeg);
}

bool zoneOrigin(int zone, ZoneOrigin &origin)
{
    if (zone < 1 || zone > 19)
        return false;
    origin = Origins[zone - 1];
    return true;
}

bool toPlane(int zone, double wx, double wy, double &northing, double &easting)
{
    double e = 0, n = 0;
    if (!transform(zone, PJ_FWD, proj_torad(longitude(wx)), proj_torad(latitude(wy)), e, n))
        return false;
    easting = e;
    northing = n;
    return true;
}

bool fromPlane(int zone, double northing, double easting, double &wx, double &wy)
{
    double lam = 0, phi = 0;
    if (!transform(zone, PJ_INV, easting, northing, lam, phi))
        return false;
    wx = worldX(proj_todeg(lam));
    wy = worldY(proj_todeg(phi));
    return true;
}

} // namespace zorvik::geo
