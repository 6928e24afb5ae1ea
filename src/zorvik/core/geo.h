#pragma once
// Geodesy for world coordinates (hundredths of an arc-second from 122° E /
// 24° N on the GRS80 ellipsoid): degrees, metres per unit on each axis at a
// latitude, and the plane rectangular coordinate zones 1..19 of Japan
// (transverse Mercator, scale 0.9999, through PROJ). Plane output follows the
// Japanese survey convention: X = northing, Y = easting, in metres.
#include <cstdint>

namespace zorvik::geo {

inline constexpr double UnitsPerDegree = 360000.0;
inline constexpr double OriginLon = 122.0;
inline constexpr double OriginLat = 24.0;

double longitude(double worldX);
double latitude(double worldY);
double worldX(double longitude);
double worldY(double latitude);

// Ground metres of one world unit along X (east) and Y (north) at a latitude.
double metresPerUnitX(double latitudeDeg);
double metresPerUnitY(double latitudeDeg);

// round(1000 * metres per Y unit): metres = world length * factor / 1000.
double meterFactor(double latitudeDeg);
// Ground length of one X unit divided by that of one Y unit (about cos φ).
double xyUnitRatio(double latitudeDeg);

struct ZoneOrigin
{
    double lat;
    double lon;
};
// Origin of a zone 1..19; false for another number.
bool zoneOrigin(int zone, ZoneOrigin &origin);

// World -> plane rectangular coordinates of the zone. False for a bad zone or
// when PROJ cannot convert.
bool toPlane(int zone, double worldX, double worldY, double &northing, double &easting);
// Plane rectangular -> world.
bool fromPlane(int zone, double northing, double easting, double &worldX, double &worldY);

} // namespace zorvik::geo
