#pragma once
// The pointer position texts of the status bar, in the four coordinate forms
// the user cycles through: 0 world, 1 plane rectangular, 2 latitude and
// longitude, 3 device pixels.
//
// World units are hundredths of an arc-second from 122° E (X) and 24° N (Y).
// Degrees, minutes and seconds are taken with floor division, so a point west
// of 122° E or south of 24° N reads as a proper position (X -1 is
// 121.59.59); the hundredths are dropped.
#include <QString>
#include <cstdint>
#include <optional>

namespace zorvik {
class Zorvik;
}

namespace veltra::mapwindow {

// "ddd.mm.ss" of a world coordinate counted from `baseDegrees`.
QString dmsText(std::int32_t world, int baseDegrees);

QString worldPointerText(std::int32_t x, std::int32_t y);
QString planePointerText(double planeX, double planeY);
QString latLonPointerText(std::int32_t x, std::int32_t y);
QString devicePointerText(double deviceX, double deviceY);

// The text of form `pointType` for world (x, y), converting through the map
// control where the form needs it; nothing for an unknown form.
std::optional<QString> pointerText(
    std::int16_t pointType, std::int32_t x, std::int32_t y, const zorvik::Zorvik &map);

} // namespace veltra::mapwindow
